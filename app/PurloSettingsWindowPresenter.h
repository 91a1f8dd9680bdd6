#pragma once

#include "platform/Appearance.h"
#include "settings/PurloSettingsRouter.h"
#include "settings/SettingsSectionTab.h"
#include "settings/SettingsWindowController.h"

#include <memory>
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
    ~PurloSettingsWindowPresenter();

    // The program's presenter, over the shared router; it is never destroyed, so no exit
    // of the program destroys its window.
    static PurloSettingsWindowPresenter& shared();

    // Selects tab when one is given (none keeps the selection), so an open window
    // switches at once; then brings the window to the front, making it over runtime,
    // appearance and windowHints on the first call. The window is kept until the
    // application quits.
    void show(std::optional<SettingsSectionTab> tab, PurloRuntime& runtime,
              const Appearance& appearance, FixedWindowHints& windowHints);

    // Empty until the first show.
    SettingsWindowController* windowController() const { return windowController_.get(); }

private:
    PurloSettingsRouter& router_;
    std::unique_ptr<SettingsWindowController> windowController_;
};

} // namespace purlo
