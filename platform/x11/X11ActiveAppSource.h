#pragma once

#include "platform/ActiveAppSource.h"
#include "platform/x11/WindowIdentity.h"
#include "platform/x11/X11Connection.h"

#include <filesystem>

namespace purlo {

// The application in front, as the window manager announces it: the root window's
// _NET_ACTIVE_WINDOW, that window's WM_CLASS, and its process's command name where
// the class says too little. What was read is kept, and read again only once the server
// has told of a change to one of those properties: a reading while nothing changed asks
// the server nothing and so never waits for it.
class X11ActiveAppSource final : public ActiveAppSource {
public:
    // The connection must outlive the source; processFolder is where processes are
    // listed (/proc).
    explicit X11ActiveAppSource(const X11Connection& connection,
                                std::filesystem::path processFolder = "/proc");
    ~X11ActiveAppSource() override;
    X11ActiveAppSource(const X11ActiveAppSource&) = delete;
    X11ActiveAppSource& operator=(const X11ActiveAppSource&) = delete;

    std::optional<FrontmostApplication> frontmostApplication() const override;

private:
    struct ActiveWindow {
        unsigned long window = 0; // 0: none
        WindowClass windowClass;
        std::optional<unsigned long> processId;
    };

    void noticeChange(const _XEvent& event) const;
    ActiveWindow readActiveWindow() const;
    void follow(unsigned long window) const;

    const X11Connection& connection_;
    std::filesystem::path processFolder_;
    unsigned long activeWindowAtom_ = 0;
    unsigned long processIdAtom_ = 0;
    Cancellable changes_;
    // None until the first reading, and again after a change.
    mutable std::optional<ActiveWindow> known_;
    // The window whose changes the server tells of besides the root's; 0: none.
    mutable unsigned long followed_ = 0;
};

} // namespace purlo
