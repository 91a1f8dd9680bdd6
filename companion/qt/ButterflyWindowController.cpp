#include "companion/qt/ButterflyWindowController.h"

#include "model/CompanionPresence.h"
#include "runtime/PurloRuntime.h"

namespace purlo {

ButterflyWindowController::ButterflyWindowController(PurloRuntime& runtime,
                                                     DesktopWindowContext context)
    : runtime_(runtime)
    , context_(std::move(context))
    , panel_(Size{panelSide, panelSide}, true, context_.panelHints) {
    panel_.setOrigin(Point{0, 0});
    view_ = new ButterflyView(&panel_);
    view_->setGeometry(panel_.rect());

    const auto deliver = [this] {
        update(*runtime_.scene(), *runtime_.settings(), runtime_.activeApp()->bundleIdentifier);
    };
    EventLoop& loop = context_.loop;
    subscriptions_.push_back(
        runtime.scene().subscribeDeferred(loop, [deliver](const CompanionScene&) { deliver(); }));
    subscriptions_.push_back(
        runtime.settings().subscribeDeferred(loop, [deliver](const PurloSettings&) { deliver(); }));
    subscriptions_.push_back(runtime.activeApp().subscribeDeferred(
        loop, [deliver](const ActiveAppSnapshot&) { deliver(); }));
}

ButterflyWindowController::~ButterflyWindowController() = default;

void ButterflyWindowController::update(
    const CompanionScene& scene, const PurloSettings& settings,
    const std::optional<std::string>& frontmostBundleIdentifier) {
    const bool allowed = runtime_.settings()->hasCompletedFirstRunOnboarding;
    const bool shown = scene.butterflyPosition && scene.isVisible && allowed &&
                       !hidesCompanion(settings.companionPresenceMode, frontmostBundleIdentifier,
                                       context_.ownBundleIdentifier);
    if (!shown) {
        panel_.orderOut();
        return;
    }
    panel_.setLevel(settings.companionPresenceMode == CompanionPresenceMode::desktopLevel
                        ? DesktopPanel::Level::desktop
                        : DesktopPanel::Level::floating);
    const double half = panelSide / 2;
    panel_.setOrigin(Point{scene.butterflyPosition->x - half, scene.butterflyPosition->y - half});
    if (!panel_.isVisible()) {
        panel_.orderFrontRegardless();
    }
}

} // namespace purlo
