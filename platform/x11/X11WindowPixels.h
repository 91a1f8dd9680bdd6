#pragma once

#include "platform/WindowPixels.h"

#include <cstddef>
#include <cstdint>
#include <vector>

struct xcb_connection_t;

namespace purlo {

// Puts pixels into a window over the toolkit's own xcb connection, so that they reach
// the server in order with the toolkit's own painting of the same window. Only a window
// of depth 32 whose pixels are laid out as the program's (alpha, red, green, blue from
// the high byte, least significant byte first) takes them: they go as they are, never
// converted. What is learnt of a window is kept for the next put to it.
class X11WindowPixels final : public WindowPixels {
public:
    // The connection must outlive this; null puts nothing.
    explicit X11WindowPixels(xcb_connection_t* connection);
    ~X11WindowPixels() override;
    X11WindowPixels(const X11WindowPixels&) = delete;
    X11WindowPixels& operator=(const X11WindowPixels&) = delete;

    bool put(std::uint64_t nativeWindow, PixelArea area, const std::uint32_t* first,
             int stride) override;

private:
    // Whether the window takes the program's pixels, asked of the server once per window.
    bool takesPixels(std::uint32_t window);
    void forgetWindow();

    xcb_connection_t* connection_;
    std::uint32_t window_ = 0;
    std::uint32_t context_ = 0;    // the graphics context for window_, 0 when it takes none
    std::size_t requestBytes_ = 0; // the longest request the server takes
    std::vector<std::uint32_t> rows_;
};

} // namespace purlo
