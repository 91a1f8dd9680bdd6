#pragma once

#include "platform/DesktopObservers.h"
#include "platform/WakeDetector.h"

namespace purlo {

// Activation and screen changes as Qt announces them; waking from sleep as the two
// clocks show it. Qt announces one screen change in several signals (a screen added,
// then its geometry, then its free area), so the signals that arrive before the loop
// turns make one notice. An activation is told only if a shown window of the program has
// the focus when the loop gets to it.
class QtDesktopObservers final : public DesktopObservers {
public:
    // The loop must outlive the observers and every handle they give out.
    explicit QtDesktopObservers(EventLoop& loop, WakeDetector::SuspendedSeconds suspendedSeconds =
                                                     suspendedSecondsSinceBoot);

    Cancellable observeDidBecomeActive(EventLoop::Action action) override;
    Cancellable observeScreenParametersChanged(EventLoop::Action action) override;
    Cancellable observeDidWake(EventLoop::Action action) override;

private:
    EventLoop& loop_;
    WakeDetector::SuspendedSeconds suspendedSeconds_;
};

} // namespace purlo
