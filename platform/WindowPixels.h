#pragma once

#include "platform/PanelHints.h"

#include <cstdint>

namespace purlo {

// Pixels put straight into a window of the program's own, past the toolkit's painting:
// for a picture that changes many times a second where nothing lies beneath it, so that
// each change costs one request of the window system's instead of the toolkit's whole
// round of clearing, painting and copying.
class WindowPixels {
public:
    virtual ~WindowPixels() = default;

    // Puts area's width x height pixels, premultiplied ARGB rows stride words apart
    // starting at first, at area in the window's own pixels; they replace what was there.
    // False, with nothing sent, when the window cannot take pixels in that form.
    virtual bool put(std::uint64_t nativeWindow, PixelArea area, const std::uint32_t* first,
                     int stride) = 0;
};

} // namespace purlo
