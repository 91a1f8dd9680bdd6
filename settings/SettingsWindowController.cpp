#include "settings/SettingsWindowController.h"

#include "settings/SettingsView.h"
#include "ui/FixedWindowFrame.h"
#include "ui/WindowPlacement.h"
#include "ui/WindowTheme.h"

namespace purlo {

SettingsWindowController::SettingsWindowController(PurloRuntime& runtime,
                                                   PurloSettingsRouter& router,
                                                   const Appearance& appearance,
                                                   FixedWindowHints& windowHints)
    : window_(std::make_unique<SettingsView>(runtime, router, appearance)) {
    window_->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint);
    window_->setWindowTitle(QStringLiteral("Purlo Settings"));
    window_->setFixedSize(SettingsView::contentSize);
    keepFixedFrame(*window_, windowHints, FixedWindowHints::Buttons::closeAndMinimize);
    keepInTheme(*window_, appearance);
    centerOnScreen(*window_);
}

SettingsWindowController::~SettingsWindowController() = default;

void SettingsWindowController::makeKeyAndOrderFront() {
    bringToFront(*window_);
}

} // namespace purlo
