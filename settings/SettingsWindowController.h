#pragma once

#include "platform/Appearance.h"
#include "platform/FixedWindowHints.h"
#include "runtime/PurloRuntime.h"
#include "settings/PurloSettingsRouter.h"

#include <QObject>
#include <memory>

namespace purlo {

class SettingsView;

// Owns the one Settings window, "Purlo Settings": a fixed 760 x 620 (shorter only on a
// screen that cannot hold it), titled, closable and minimisable window hosting the
// settings view, centred when it is made and left where the user puts it after that.
// Closing it only hides it, so it comes back as it was, on the tab it showed. The window
// manager is told it offers no resizing.
class SettingsWindowController final : public QObject {
    Q_OBJECT

public:
    // The runtime, the router, the appearance and the hints must outlive the controller.
    SettingsWindowController(PurloRuntime& runtime, PurloSettingsRouter& router,
                             const Appearance& appearance, FixedWindowHints& windowHints);
    SettingsWindowController(const SettingsWindowController&) = delete;
    SettingsWindowController& operator=(const SettingsWindowController&) = delete;
    ~SettingsWindowController() override;

    SettingsView& window() const { return *window_; }

    // Shows the window in front of the others and gives it the keyboard, as tall as its
    // screen has room for, up to 620.
    void makeKeyAndOrderFront();

protected:
    // The window manager's frame is known only once it has framed the window, and the
    // user may take the window to another screen: a window too tall for its screen then,
    // frame and all, takes the height there is and is centred there, title bar on it.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // On a screen too short for it (a 1366 x 768 laptop at 150 %, a 1080p screen at
    // 200 %) the window takes the height there is; its page scrolls to every control.
    void center();

    std::unique_ptr<SettingsView> window_;
};

} // namespace purlo
