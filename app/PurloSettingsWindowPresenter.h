#pragma once

#include "settings/PurloSettingsRouter.h"
#include "settings/SettingsSectionTab.h"

#include <optional>

namespace purlo {

class PurloRuntime;

// Opens the one Settings window, on a chosen tab or on the tab it showed last. The
// companion's single click, the popover's Settings row and a second launch all come
// through here.
class PurloSettingsWindowPresenter {
public:
    explicit PurloSettingsWindowPresenter(PurloSettingsRouter& router);
    PurloSettingsWindowPresenter(const PurloSettingsWindowPresenter&) = delete;
    PurloSettingsWindowPresenter& operator=(const PurloSettingsWindowPresenter&) = delete;

    // The program's presenter, over the shared router.
    static PurloSettingsWindowPresenter& shared();

    // Selects tab when one is given (none keeps the selection), so an open window
    // switches at once. The Settings window itself, built over runtime on the first
    // show, is not part of the program yet, so selecting is all a show does.
    void show(std::optional<SettingsSectionTab> tab, PurloRuntime& runtime);

private:
    PurloSettingsRouter& router_;
};

} // namespace purlo
