#include "app/PurloSettingsWindowPresenter.h"

#include "app/MainMenu.h"
#include "settings/SettingsView.h"

#include <QCoreApplication>

namespace purlo {

PurloSettingsWindowPresenter::PurloSettingsWindowPresenter(PurloSettingsRouter& router)
    : router_(router) {}

PurloSettingsWindowPresenter::~PurloSettingsWindowPresenter() = default;

PurloSettingsWindowPresenter& PurloSettingsWindowPresenter::shared() {
    static PurloSettingsWindowPresenter presenter(PurloSettingsRouter::shared());
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
        // The shared presenter outlives the application object, and no window may: the
        // window goes while the application still runs its last moments.
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit,
                         &windowController_->window(), [this] { windowController_.reset(); });
    }
    windowController_->makeKeyAndOrderFront();
}

} // namespace purlo
