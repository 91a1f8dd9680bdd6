#include "app/PurloSettingsWindowPresenter.h"

namespace purlo {

PurloSettingsWindowPresenter::PurloSettingsWindowPresenter(PurloSettingsRouter& router)
    : router_(router) {}

PurloSettingsWindowPresenter& PurloSettingsWindowPresenter::shared() {
    static PurloSettingsWindowPresenter presenter(PurloSettingsRouter::shared());
    return presenter;
}

void PurloSettingsWindowPresenter::show(std::optional<SettingsSectionTab> tab, PurloRuntime&) {
    if (tab) {
        router_.setSelectedTab(*tab);
    }
}

} // namespace purlo
