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
    : window_(std::make_unique<SettingsView>(runtime, router, appearance))
    , height_(*window_, SettingsView::contentSize.height()) {
    window_->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint);
    window_->setWindowTitle(QStringLiteral("Purlo Settings"));
    window_->setFixedWidth(SettingsView::contentSize.width());
    keepFixedFrame(*window_, windowHints, FixedWindowHints::Buttons::closeAndMinimize);
    keepInTheme(*window_, appearance);
    height_.center();
}

SettingsWindowController::~SettingsWindowController() = default;

// Each opening takes the height the window's screen has room for now.
void SettingsWindowController::makeKeyAndOrderFront() {
    height_.fitAgain();
    bringToFront(*window_);
}

} // namespace purlo
