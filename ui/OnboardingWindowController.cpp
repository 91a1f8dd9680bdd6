#include "ui/OnboardingWindowController.h"

#include "ui/FixedWindowFrame.h"
#include "ui/OnboardingView.h"
#include "ui/WindowPlacement.h"
#include "ui/WindowTheme.h"

namespace purlo {

OnboardingWindowController::OnboardingWindowController(PurloRuntime& runtime,
                                                       DesktopObservers& desktopObservers,
                                                       const Appearance& appearance,
                                                       FixedWindowHints& windowHints)
    : runtime_(runtime)
    , window_(std::make_unique<OnboardingView>(runtime, appearance, 1, [this] { close(); }))
    , height_(*window_, OnboardingView::fixedSize.height()) {
    window_->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowCloseButtonHint);
    window_->setWindowTitle(QStringLiteral("Welcome to Purlo"));
    keepFixedFrame(*window_, windowHints, FixedWindowHints::Buttons::close);
    keepInTheme(*window_, appearance);
    center();
    appActivationObserver_ =
        desktopObservers.observeDidBecomeActive([this] { bringForwardIfPending(); });
}

OnboardingWindowController::~OnboardingWindowController() = default;

QWidget* OnboardingWindowController::window() const {
    return window_.get();
}

// Later, not now: the view that asks for the close is still answering a click.
void OnboardingWindowController::close() {
    window_->close();
    if (runtime_.settings()->hasCompletedFirstRunOnboarding) {
        window_.release()->deleteLater();
    }
}

void OnboardingWindowController::center() {
    height_.center();
}

void OnboardingWindowController::makeKeyAndOrderFront() {
    bringToFront(*window_);
}

void OnboardingWindowController::bringForwardIfPending() {
    if (!runtime_.settings()->hasCompletedFirstRunOnboarding) {
        makeKeyAndOrderFront();
    }
}

} // namespace purlo
