#pragma once

#include "platform/Cancellable.h"
#include "platform/EventLoop.h"

namespace purlo {

// The three moments of the desktop the companion reacts to. Each action runs on the
// event loop, later than the moment itself, until its handle is dropped or cancelled.
class DesktopObservers {
public:
    virtual ~DesktopObservers() = default;

    // One of the program's own windows became the active one.
    [[nodiscard]] virtual Cancellable observeDidBecomeActive(EventLoop::Action action) = 0;
    // Screens were added, removed, resized or rearranged, or their usable areas moved.
    [[nodiscard]] virtual Cancellable observeScreenParametersChanged(EventLoop::Action action) = 0;
    // The machine woke from sleep.
    [[nodiscard]] virtual Cancellable observeDidWake(EventLoop::Action action) = 0;
};

} // namespace purlo
