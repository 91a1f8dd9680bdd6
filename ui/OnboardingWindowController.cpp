#include "ui/OnboardingWindowController.h"

#include "ui/OnboardingView.h"
#include "ui/PurloPalette.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

namespace purlo {

OnboardingWindowController::OnboardingWindowController(PurloRuntime& runtime,
                                                       DesktopObservers& desktopObservers,
                                                       const Appearance& appearance)
    : runtime_(runtime)
    , appearance_(appearance)
    , window_(std::make_unique<OnboardingView>(runtime, appearance, 1, [this] { close(); })) {
    window_->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowCloseButtonHint);
    window_->setWindowTitle(QStringLiteral("Welcome to Purlo"));
    window_->installEventFilter(this);
    applyAppearance();
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
    const QScreen* screen = window_->screen();
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return;
    }
    QRect frame = window_->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window_->move(frame.topLeft());
}

void OnboardingWindowController::makeKeyAndOrderFront() {
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void OnboardingWindowController::bringForwardIfPending() {
    if (!runtime_.settings()->hasCompletedFirstRunOnboarding) {
        makeKeyAndOrderFront();
    }
}

// When the desktop switches between light and dark, the appearance hears of it from
// the same palette change; asking it on the next turn of the loop gets its new answer.
bool OnboardingWindowController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_.get() && (event->type() == QEvent::ApplicationPaletteChange ||
                                     event->type() == QEvent::ThemeChange)) {
        QTimer::singleShot(0, this, [this] { applyAppearance(); });
    }
    return QObject::eventFilter(watched, event);
}

void OnboardingWindowController::applyAppearance() {
    if (window_) {
        window_->setPalette(purloPalette(appearance_.darkAppearance()));
    }
}

} // namespace purlo
