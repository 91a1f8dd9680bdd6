#include "app/PurloSettingsWindowPresenter.h"

#include "app/MainMenu.h"
#include "settings/SettingsView.h"

#include <QCoreApplication>

namespace purlo {

PurloSettingsWindowPresenter::PurloSettingsWindowPresenter(PurloSettingsRouter& router)
    : router_(router) {}

PurloSettingsWindowPresenter::~PurloSettingsWindowPresenter() = default;

// Made once and never destroyed. A lost display ends the program through exit(), which
// runs the destructors of such objects after Qt's own are gone: a window destroyed then
// crashes. Every way the program ends with a quit lets the window go before that.
PurloSettingsWindowPresenter& PurloSettingsWindowPresenter::shared() {
    static auto& presenter = *new PurloSettingsWindowPresenter(PurloSettingsRouter::shared());
    return presenter;
}

void PurloSettingsWindowPresenter::show(std::optional<SettingsSectionTab> tab,
                                        PurloRuntime& runtime, const Appearance& appearance,
                                        FixedWindowHints& windowHints) {
    if (tab) {
        router_.setSelectedTab(*tab);
    }
    if (!windowController_) {
        windowController_ =
            std::make_unique<SettingsWindowController>(runtime, router_, appearance, windowHints);
        // Control-W closes it, as the main menu's Close would.
        installMainMenuShortcuts(windowController_->window());
        // The shared presenter outlives the application object, and no window may: on a
        // quit the window goes while the application still runs its last moments.
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit,
                         &windowController_->window(), [this] { windowController_.reset(); });
    }
    windowController_->makeKeyAndOrderFront();
}

} // namespace purlo
