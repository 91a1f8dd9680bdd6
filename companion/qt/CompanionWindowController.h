#pragma once

#include "companion/CompanionViewModel.h"
#include "companion/qt/CompanionView.h"
#include "companion/qt/DesktopWindowContext.h"
#include "platform/Cancellable.h"
#include "platform/qt/DesktopPanel.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace purlo {

class PurloRuntime;

// The cat's window: a 160 x 204 panel on the desktop holding the companion view, with
// room below it for her paws at her largest sizes, kept in step with the runtime. The
// scene's position is the panel's lower-left corner; the window reaches below it. Every change of
// the scene, the settings or the frontmost application arrives one turn of the loop later and sets
// the panel's level, whether it is shown, and where; each is touched only when it changes, since
// the scene may change ten times a second.
//
// Only her body takes the pointer: the panel's input area is her hit area and follows
// her size, so the window system itself hands her the first click the moment the
// pointer is on her, and sends every click beside her to the windows below. When the
// runtime's companionAcceptsMouse says the pointer has left her, her hover ends.
class CompanionWindowController {
public:
    // A single click on the cat calls openAppearanceSettings.
    CompanionWindowController(PurloRuntime& runtime, DesktopWindowContext context,
                              std::function<void()> openAppearanceSettings);
    CompanionWindowController(const CompanionWindowController&) = delete;
    CompanionWindowController& operator=(const CompanionWindowController&) = delete;
    ~CompanionWindowController();

    // Places the panel from the runtime's present values at once; the launch calls it
    // after the runtime has started.
    void refreshWindow();
    // Reads the desktop's reduce-motion setting again.
    void refreshAppearance();

    DesktopPanel& window() { return panel_; }
    CompanionView& view() { return *view_; }
    const CompanionViewModel& viewModel() const { return viewModel_; }

private:
    void deliver();
    void applyPlacement(const CompanionScene& scene, const PurloSettings& settings,
                        const std::optional<std::string>& frontmostBundleIdentifier);
    void applyMouseAcceptance(bool accepts);
    void applyInputArea();
    void placeWindow(Point panelOrigin);

    PurloRuntime& runtime_;
    DesktopWindowContext context_;
    CompanionViewModel viewModel_;
    DesktopPanel panel_;
    CompanionView* view_;
    std::optional<bool> forwardedMouseAcceptance_;
    std::vector<Cancellable> subscriptions_;
};

} // namespace purlo
