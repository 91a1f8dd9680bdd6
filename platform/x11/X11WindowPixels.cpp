#include "platform/x11/X11WindowPixels.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

namespace purlo {
namespace {

// The fixed part of a PutImage request, before its pixels.
constexpr std::size_t putImageHeaderBytes = 24;

template <typename Reply>
using ReplyPointer = std::unique_ptr<Reply, decltype(&std::free)>;

const xcb_visualtype_t* findVisual(const xcb_setup_t* setup, xcb_visualid_t id,
                                   std::uint8_t depth) {
    for (auto screens = xcb_setup_roots_iterator(setup); screens.rem; xcb_screen_next(&screens)) {
        for (auto depths = xcb_screen_allowed_depths_iterator(screens.data); depths.rem;
             xcb_depth_next(&depths)) {
            if (depths.data->depth != depth) {
                continue;
            }
            for (auto visuals = xcb_depth_visuals_iterator(depths.data); visuals.rem;
                 xcb_visualtype_next(&visuals)) {
                if (visuals.data->visual_id == id) {
                    return visuals.data;
                }
            }
        }
    }
    return nullptr;
}

// Thirty-two bits a pixel with no padding between rows beyond them.
bool thirtyTwoBitPixels(const xcb_setup_t* setup) {
    for (auto formats = xcb_setup_pixmap_formats_iterator(setup); formats.rem;
         xcb_format_next(&formats)) {
        if (formats.data->depth == 32) {
            return formats.data->bits_per_pixel == 32 && formats.data->scanline_pad == 32;
        }
    }
    return false;
}

// The program's words, as the server reads them from this machine's memory.
bool laidOutAsOurs(const xcb_setup_t* setup, const xcb_visualtype_t& visual) {
    const bool serverOrder = setup->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST;
    return serverOrder == (std::endian::native == std::endian::little) &&
           visual._class == XCB_VISUAL_CLASS_TRUE_COLOR && visual.red_mask == 0xff0000 &&
           visual.green_mask == 0x00ff00 && visual.blue_mask == 0x0000ff;
}

} // namespace

X11WindowPixels::X11WindowPixels(xcb_connection_t* connection)
    : connection_(connection) {}

X11WindowPixels::~X11WindowPixels() {
    forgetWindow();
}

bool X11WindowPixels::put(std::uint64_t nativeWindow, PixelArea area, const std::uint32_t* first,
                          int stride) {
    if (connection_ == nullptr || area.width <= 0 || area.height <= 0 ||
        !takesPixels(static_cast<std::uint32_t>(nativeWindow))) {
        return false;
    }
    const std::size_t rowBytes = static_cast<std::size_t>(area.width) * 4;
    const int rowsPerRequest = static_cast<int>(
        std::max<std::size_t>(1, (requestBytes_ - putImageHeaderBytes) / rowBytes));
    for (int top = 0; top < area.height; top += rowsPerRequest) {
        const int rows = std::min(rowsPerRequest, area.height - top);
        const std::uint32_t* start = first + static_cast<std::ptrdiff_t>(top) * stride;
        // Rows that do not follow one another in memory are gathered first.
        if (stride != area.width) {
            rows_.resize(static_cast<std::size_t>(area.width) * rows);
            for (int row = 0; row < rows; ++row) {
                std::copy_n(start + static_cast<std::ptrdiff_t>(row) * stride, area.width,
                            rows_.begin() + static_cast<std::ptrdiff_t>(row) * area.width);
            }
            start = rows_.data();
        }
        xcb_put_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window_, context_,
                      static_cast<std::uint16_t>(area.width), static_cast<std::uint16_t>(rows),
                      static_cast<std::int16_t>(area.x), static_cast<std::int16_t>(area.y + top), 0,
                      32, static_cast<std::uint32_t>(rowBytes * rows),
                      reinterpret_cast<const std::uint8_t*>(start));
    }
    xcb_flush(connection_);
    return true;
}

bool X11WindowPixels::takesPixels(std::uint32_t window) {
    if (window == window_) {
        return context_ != 0;
    }
    forgetWindow();
    window_ = window;
    if (window == 0) {
        return false;
    }
    const auto attributesCookie = xcb_get_window_attributes(connection_, window);
    const auto geometryCookie = xcb_get_geometry(connection_, window);
    const ReplyPointer<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(connection_, attributesCookie, nullptr), &std::free);
    const ReplyPointer<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(connection_, geometryCookie, nullptr), &std::free);
    if (!attributes || !geometry || geometry->depth != 32) {
        return false;
    }
    const xcb_setup_t* setup = xcb_get_setup(connection_);
    const xcb_visualtype_t* visual = findVisual(setup, attributes->visual, geometry->depth);
    if (visual == nullptr || !laidOutAsOurs(setup, *visual) || !thirtyTwoBitPixels(setup)) {
        return false;
    }
    requestBytes_ = static_cast<std::size_t>(xcb_get_maximum_request_length(connection_)) * 4;
    context_ = xcb_generate_id(connection_);
    const std::uint32_t noExposures = 0;
    xcb_create_gc(connection_, context_, window, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
    return true;
}

void X11WindowPixels::forgetWindow() {
    if (context_ != 0) {
        xcb_free_gc(connection_, context_);
        xcb_flush(connection_);
    }
    context_ = 0;
    window_ = 0;
}

} // namespace purlo
