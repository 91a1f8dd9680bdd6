#pragma once

#include "platform/Appearance.h"
#include "platform/FixedWindowHints.h"
#include "runtime/PurloRuntime.h"
#include "settings/PurloSettingsRouter.h"

#include <memory>

namespace purlo {

class SettingsView;

// Owns the one Settings window, "Purlo Settings": a fixed 760 x 620, titled, closable
// and minimisable window hosting the settings view, centred when it is made and left
// where the user puts it after that. Closing it only hides it, so it comes back as it
// was, on the tab it showed. The window manager is told it offers no resizing.
class SettingsWindowController {
public:
    // The runtime, the router, the appearance and the hints must outlive the controller.
    SettingsWindowController(PurloRuntime& runtime, PurloSettingsRouter& router,
                             const Appearance& appearance, FixedWindowHints& windowHints);
    SettingsWindowController(const SettingsWindowController&) = delete;
    SettingsWindowController& operator=(const SettingsWindowController&) = delete;
    ~SettingsWindowController();

    SettingsView& window() const { return *window_; }

    // Shows the window in front of the others and gives it the keyboard.
    void makeKeyAndOrderFront();

private:
    std::unique_ptr<SettingsView> window_;
};

} // namespace purlo
