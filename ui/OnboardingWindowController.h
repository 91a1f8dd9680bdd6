#pragma once

#include "platform/Appearance.h"
#include "platform/Cancellable.h"
#include "platform/DesktopObservers.h"
#include "platform/FixedWindowHints.h"
#include "runtime/PurloRuntime.h"
#include "ui/HeightKeptOnScreen.h"

#include <memory>

class QWidget;

namespace purlo {

class OnboardingView;

// Owns the first-run window, "Welcome to Purlo": fixed at 600 x 760 (shorter only on a
// screen that cannot hold it), titled and closable only (the window manager is told so
// too), hosting the onboarding view on its first slide. Closing the window only hides
// it, so it comes back on the slide it showed. Until onboarding is completed, the window
// returns to the front whenever Purlo becomes active; after that, activation leaves it
// alone. The program makes the controller only while onboarding is pending and keeps it
// for the rest of the run; the window itself, with its drawing surface, goes once
// onboarding is completed and it has closed, since nothing shows it again.
class OnboardingWindowController final {
public:
    // The runtime, the observers, the appearance and the hints must outlive the
    // controller.
    OnboardingWindowController(PurloRuntime& runtime, DesktopObservers& desktopObservers,
                               const Appearance& appearance, FixedWindowHints& windowHints);
    OnboardingWindowController(const OnboardingWindowController&) = delete;
    OnboardingWindowController& operator=(const OnboardingWindowController&) = delete;
    ~OnboardingWindowController();

    // Null once onboarding is completed and the window has gone.
    QWidget* window() const;
    OnboardingView& view() const { return *window_; }

    // On the screen the window is on, else the primary one; on a screen too short for it
    // (a 1366 x 768 laptop's, less its panel and the title bar) the window takes the
    // height there is, its bar and button whole and the slide above them shortened.
    void center();
    // Shows the window in front of the others and gives it the keyboard.
    void makeKeyAndOrderFront();
    // Brings the window back while onboarding is not completed; nothing after.
    void bringForwardIfPending();

private:
    void close();

    PurloRuntime& runtime_;
    std::unique_ptr<OnboardingView> window_;
    HeightKeptOnScreen height_;
    // Released first, so that an activation never reaches a window being torn down.
    Cancellable appActivationObserver_;
};

} // namespace purlo
