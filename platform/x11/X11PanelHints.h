#pragma once

#include "platform/PanelHints.h"
#include "platform/x11/X11Connection.h"

namespace purlo {

// Tells an EWMH window manager, through the window's own properties, that a panel is
// sticky (on every workspace, _NET_WM_DESKTOP 0xFFFFFFFF) and skips the taskbar and
// the pager. The toolkit adds its own states to _NET_WM_STATE when it maps the window
// and keeps these; the window manager reads them all as it takes the window on. The
// part of a panel that takes the pointer is the window's input shape (the X shape
// extension), which the server keeps across every showing.
class X11PanelHints final : public PanelHints {
public:
    // The connection must outlive the hints; a closed one makes them do nothing.
    explicit X11PanelHints(const X11Connection& connection);

    void prepare(std::uint64_t nativeWindow) override;
    void setInputArea(std::uint64_t nativeWindow, PixelArea area) override;

private:
    const X11Connection& connection_;
};

} // namespace purlo
