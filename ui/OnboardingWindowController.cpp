#include "ui/OnboardingWindowController.h"

#include "ui/FixedWindowFrame.h"
#include "ui/OnboardingView.h"
#include "ui/WindowPlacement.h"
#include "ui/WindowTheme.h"

#include <QEvent>

namespace purlo {

OnboardingWindowController::OnboardingWindowController(PurloRuntime& runtime,
                                                       DesktopObservers& desktopObservers,
                                                       const Appearance& appearance,
                                                       FixedWindowHints& windowHints)
    : runtime_(runtime)
    , window_(std::make_unique<OnboardingView>(runtime, appearance, 1, [this] { close(); })) {
    window_->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowCloseButtonHint);
    window_->setWindowTitle(QStringLiteral("Welcome to Purlo"));
    keepFixedFrame(*window_, windowHints, FixedWindowHints::Buttons::close);
    keepInTheme(*window_, appearance);
    window_->installEventFilter(this);
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
    fitHeightToScreen(*window_, OnboardingView::fixedSize.height());
    centerOnScreen(*window_);
}

bool OnboardingWindowController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_.get() && event->type() == QEvent::Move && tallerThanScreen(*window_)) {
        center();
    }
    return QObject::eventFilter(watched, event);
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
