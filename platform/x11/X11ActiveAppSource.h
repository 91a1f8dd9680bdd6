#pragma once

#include "platform/ActiveAppSource.h"
#include "platform/x11/X11Connection.h"

#include <filesystem>

namespace purlo {

// The application in front, as the window manager announces it: the root window's
// _NET_ACTIVE_WINDOW, that window's WM_CLASS, and its process's command name where
// the class says too little.
class X11ActiveAppSource final : public ActiveAppSource {
public:
    // The connection must outlive the source; processFolder is where processes are
    // listed (/proc).
    explicit X11ActiveAppSource(const X11Connection& connection,
                                std::filesystem::path processFolder = "/proc");

    std::optional<FrontmostApplication> frontmostApplication() const override;

private:
    const X11Connection& connection_;
    std::filesystem::path processFolder_;
    unsigned long activeWindowAtom_ = 0;
    unsigned long processIdAtom_ = 0;
};

} // namespace purlo
