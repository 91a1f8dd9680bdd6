#pragma once

#include "companion/qt/ButterflyView.h"
#include "companion/qt/DesktopWindowContext.h"
#include "model/CompanionScene.h"
#include "model/PurloSettings.h"
#include "platform/Cancellable.h"
#include "platform/qt/DesktopPanel.h"

#include <optional>
#include <string>
#include <vector>

namespace purlo {

class PurloRuntime;

// The butterfly's own 72 x 72 window, so it can fly beyond the cat's panel. It always
// lets clicks through, is centred on the butterfly the scene carries and is shown only
// while there is one and the cat herself may be seen.
class ButterflyWindowController {
public:
    static constexpr double panelSide = 72;

    ButterflyWindowController(PurloRuntime& runtime, DesktopWindowContext context);
    ButterflyWindowController(const ButterflyWindowController&) = delete;
    ButterflyWindowController& operator=(const ButterflyWindowController&) = delete;
    ~ButterflyWindowController();

    DesktopPanel& window() { return panel_; }
    const ButterflyView& view() const { return *view_; }

    // What every delivery of the runtime's scene, settings and frontmost application
    // does: shows, moves or hides the butterfly.
    void update(const CompanionScene& scene, const PurloSettings& settings,
                const std::optional<std::string>& frontmostBundleIdentifier);

private:
    PurloRuntime& runtime_;
    DesktopWindowContext context_;
    DesktopPanel panel_;
    ButterflyView* view_;
    std::vector<Cancellable> subscriptions_;
};

} // namespace purlo
