#include "companion/ToolkitSourceOver.h"

namespace purlo {
namespace {

// Each of the four 8-bit channels of pixel times scale / 255, as the toolkit rounds it:
// (x + x / 256 + 128) / 256, two channels at a time. The cat's own drawing rounds
// otherwise, so this is not its scaling.
std::uint32_t toolkitScaled(std::uint32_t pixel, std::uint32_t scale) {
    std::uint32_t redBlue = (pixel & 0x00ff00ffu) * scale;
    redBlue = ((redBlue + ((redBlue >> 8) & 0x00ff00ffu) + 0x00800080u) >> 8) & 0x00ff00ffu;
    std::uint32_t alphaGreen = ((pixel >> 8) & 0x00ff00ffu) * scale;
    alphaGreen = (alphaGreen + ((alphaGreen >> 8) & 0x00ff00ffu) + 0x00800080u) & 0xff00ff00u;
    return redBlue | alphaGreen;
}

} // namespace

void toolkitSourceOver(const PixelBuffer& below, PixelRect area, const std::uint32_t* first,
                       int stride) {
    for (int row = 0; row < area.height; ++row) {
        const std::uint32_t* laid = first + static_cast<std::ptrdiff_t>(row) * stride;
        std::uint32_t* pixels = below.at(area.x, area.y + row);
        for (int column = 0; column < area.width; ++column) {
            const std::uint32_t pixel = laid[column];
            const std::uint32_t alpha = pixel >> 24;
            if (alpha == 255) {
                pixels[column] = pixel;
            } else if (pixel != 0) {
                pixels[column] = pixel + toolkitScaled(pixels[column], 255 - alpha);
            }
        }
    }
}

} // namespace purlo
