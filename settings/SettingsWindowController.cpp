#include "settings/SettingsWindowController.h"

#include "settings/SettingsView.h"
#include "ui/FixedWindowFrame.h"
#include "ui/WindowPlacement.h"
#include "ui/WindowTheme.h"

#include <QEvent>

namespace purlo {

SettingsWindowController::SettingsWindowController(PurloRuntime& runtime,
                                                   PurloSettingsRouter& router,
                                                   const Appearance& appearance,
                                                   FixedWindowHints& windowHints)
    : window_(std::make_unique<SettingsView>(runtime, router, appearance)) {
    window_->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint);
    window_->setWindowTitle(QStringLiteral("Purlo Settings"));
    window_->setFixedWidth(SettingsView::contentSize.width());
    keepFixedFrame(*window_, windowHints, FixedWindowHints::Buttons::closeAndMinimize);
    keepInTheme(*window_, appearance);
    window_->installEventFilter(this);
    center();
}

SettingsWindowController::~SettingsWindowController() = default;

// Screens come and go and change their scale while the window waits hidden: each opening
// takes the height its screen has room for now, and a window whose height had to change
// is centred again, since its place was chosen for the other one.
void SettingsWindowController::makeKeyAndOrderFront() {
    const int height = window_->height();
    fitHeightToScreen(*window_, SettingsView::contentSize.height());
    if (window_->height() != height) {
        centerOnScreen(*window_);
    }
    bringToFront(*window_);
}

bool SettingsWindowController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_.get() && event->type() == QEvent::Move && tallerThanScreen(*window_)) {
        center();
    }
    return QObject::eventFilter(watched, event);
}

void SettingsWindowController::center() {
    fitHeightToScreen(*window_, SettingsView::contentSize.height());
    centerOnScreen(*window_);
}

} // namespace purlo
