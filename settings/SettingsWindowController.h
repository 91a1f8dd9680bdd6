#pragma once

#include "platform/Appearance.h"
#include "platform/FixedWindowHints.h"
#include "runtime/PurloRuntime.h"
#include "settings/PurloSettingsRouter.h"
#include "ui/HeightKeptOnScreen.h"

#include <memory>

namespace purlo {

class SettingsView;

// Owns the one Settings window, "Purlo Settings": a fixed 760 x 620 (shorter only on a
// screen that cannot hold it), titled, closable and minimisable window hosting the
// settings view, centred when it is made and left where the user puts it after that.
// Closing it only hides it, so it comes back as it was, on the tab it showed. The window
// manager is told it offers no resizing.
class SettingsWindowController {
public:
    // The runtime, the router, the appearance and the hints must outlive the controller.
    SettingsWindowController(PurloRuntime& runtime, PurloSettingsRouter& router,
                             const Appearance& appearance, FixedWindowHints& windowHints);
    SettingsWindowController(const SettingsWindowController&) = delete;
    SettingsWindowController& operator=(const SettingsWindowController&) = delete;
    ~SettingsWindowController();

    SettingsView& window() const { return *window_; }

    // Shows the window in front of the others and gives it the keyboard, as tall as its
    // screen has room for, up to 620.
    void makeKeyAndOrderFront();

private:
    std::unique_ptr<SettingsView> window_;
    // On a screen too short for it (a 1366 x 768 laptop at 150 %, a 1080p screen at
    // 200 %) the window takes the height there is; its page scrolls to every control.
    HeightKeptOnScreen height_;
};

} // namespace purlo
