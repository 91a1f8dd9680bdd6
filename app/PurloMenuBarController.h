#pragma once

#include "app/PopoverPlacement.h"
#include "platform/Appearance.h"
#include "platform/Clock.h"
#include "platform/EventLoop.h"
#include "platform/FixedWindowHints.h"
#include "ui/PurloMenuBarView.h"

#include <QObject>
#include <QRect>
#include <QSystemTrayIcon>
#include <functional>
#include <memory>
#include <string_view>

namespace purlo {

class PurloRuntime;

// The paw in the panel's tray and the popover it opens. A click on the paw opens the
// popover beside it, or closes it when it is open; a click anywhere else closes it
// too. Where no tray is running, the program says so once and the cat herself stays
// the way into Settings. The popover is built when it first opens, not at start.
class PurloMenuBarController final : public QObject {
public:
    // What the program has to tell the user, one line at a time.
    using Tell = std::function<void(std::string_view line)>;

    // Told when no tray host runs.
    static constexpr const char* noTrayMessage =
        "Purlo: no system tray is running, so the paw is not in the panel. Click the cat to "
        "open Settings.";

    // The runtime, clock, loop, appearance and the hints for the Settings window must
    // outlive the controller. What the program has to tell the user goes to tell
    // (standard error unless given).
    PurloMenuBarController(PurloRuntime& runtime, const Clock& clock, EventLoop& loop,
                           const Appearance& appearance, FixedWindowHints& windowHints,
                           QObject* parent = nullptr);
    PurloMenuBarController(PurloRuntime& runtime, const Clock& clock, EventLoop& loop,
                           const Appearance& appearance, FixedWindowHints& windowHints, Tell tell,
                           QObject* parent = nullptr);
    ~PurloMenuBarController() override;

    // Closes the popover when it is open; otherwise opens it at the paw and gives it the
    // keyboard.
    void togglePopover();

    // Runs whenever the user comes back to Purlo through the paw: as the popover opens,
    // and after "Settings…" in it has opened Settings.
    void setUserReturned(std::function<void()> userReturned) {
        userReturned_ = std::move(userReturned);
    }
    // How "Settings…" opens Settings; without it, through the program's one presenter.
    void setOpenSettings(std::function<void()> openSettings) {
        openSettings_ = std::move(openSettings);
    }

    QSystemTrayIcon& statusItem() { return statusItem_; }
    PurloMenuBarView& popover();
    bool isPopoverShown() const { return popover_ && popover_->isVisible(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Where the popover opens from: the paw, or the pointer when the tray keeps its
    // icon's place to itself.
    QRect anchor() const;
    // The free area of the anchor's screen.
    QRect availableArea() const;
    // Where the popover goes at a size: beside the anchor as it opens; afterwards with its
    // edge where it met the panel, however its height changes.
    QRect placeFor(const QSize& size);

    PurloRuntime& runtime_;
    const Clock& clock_;
    EventLoop& loop_;
    const Appearance& appearance_;
    FixedWindowHints& windowHints_;
    std::unique_ptr<PurloMenuBarView> popover_;
    QSystemTrayIcon statusItem_;
    QRect anchor_;
    PanelEdge panelEdge_;
    std::function<void()> userReturned_;
    std::function<void()> openSettings_;
    // True while the popover opens and takes its first size beside the anchor.
    bool opening_ = false;
};

} // namespace purlo
