#include "companion/qt/CompanionWindowController.h"

#include "companion/CompanionViewLayout.h"
#include "model/CatProfile.h"
#include "model/CompanionPresence.h"
#include "runtime/CompanionPanelGeometry.h"
#include "runtime/PurloRuntime.h"

namespace purlo {
namespace {

QString qtText(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

CompanionWindowController::CompanionWindowController(PurloRuntime& runtime,
                                                     DesktopWindowContext context,
                                                     std::function<void()> openAppearanceSettings)
    : runtime_(runtime)
    , context_(std::move(context))
    , viewModel_(CompanionViewModel::makeSnapshot(*runtime.scene(), *runtime.settings()))
    , panel_(Size{CompanionViewLayout::panelWidth, CompanionViewLayout::windowHeight}, false,
             context_.panelHints) {
    panel_.setWindowTitle(qtText(CatProfile::sanitizedName(runtime.settings()->companionName)));
    placeWindow(runtime.scene()->position);
    view_ = new CompanionView(runtime, viewModel_, context_.loop, std::move(openAppearanceSettings),
                              &panel_);
    view_->setReduceMotion(context_.appearance.reduceMotion());
    if (context_.windowPixels != nullptr) {
        view_->putFramesThrough(*context_.windowPixels);
    }

    EventLoop& loop = context_.loop;
    subscriptions_.push_back(
        runtime.scene().subscribeDeferred(loop, [this](const CompanionScene&) { deliver(); }));
    subscriptions_.push_back(
        runtime.settings().subscribeDeferred(loop, [this](const PurloSettings&) { deliver(); }));
    subscriptions_.push_back(runtime.activeApp().subscribeDeferred(
        loop, [this](const ActiveAppSnapshot&) { deliver(); }));
    subscriptions_.push_back(runtime.companionAcceptsMouse().subscribeDeferred(
        loop, [this](bool accepts) { applyMouseAcceptance(accepts); }));
}

CompanionWindowController::~CompanionWindowController() = default;

void CompanionWindowController::refreshWindow() {
    applyPlacement(*runtime_.scene(), *runtime_.settings(), runtime_.activeApp()->bundleIdentifier);
    applyInputArea();
}

void CompanionWindowController::refreshAppearance() {
    view_->setReduceMotion(context_.appearance.reduceMotion());
}

// One delivery carries the newest scene, settings and frontmost application together,
// whichever of them changed.
void CompanionWindowController::deliver() {
    const CompanionScene& scene = *runtime_.scene();
    const PurloSettings& settings = *runtime_.settings();
    panel_.setWindowTitle(qtText(CatProfile::sanitizedName(settings.companionName)));
    view_->setReduceMotion(context_.appearance.reduceMotion());
    viewModel_.update(scene, settings);
    applyPlacement(scene, settings, runtime_.activeApp()->bundleIdentifier);
    applyInputArea();
}

void CompanionWindowController::applyPlacement(
    const CompanionScene& scene, const PurloSettings& settings,
    const std::optional<std::string>& frontmostBundleIdentifier) {
    const bool desktopLevel = settings.companionPresenceMode == CompanionPresenceMode::desktopLevel;
    panel_.setLevel(desktopLevel ? DesktopPanel::Level::desktop : DesktopPanel::Level::floating);

    const bool allowed = !hidesCompanion(settings.companionPresenceMode, frontmostBundleIdentifier,
                                         context_.ownBundleIdentifier);
    // Read now rather than from the delivery: finishing onboarding shows her at once.
    const bool onboarded = runtime_.settings()->hasCompletedFirstRunOnboarding;
    const bool shown = scene.isVisible && allowed && onboarded;
    if (shown && !panel_.isVisible()) {
        panel_.orderFront();
    } else if (!shown && panel_.isVisible()) {
        panel_.orderOut();
    }
    // Also while hidden, so she comes back where she is meant to be.
    placeWindow(scene.position);
}

void CompanionWindowController::placeWindow(Point panelOrigin) {
    panel_.setOrigin({panelOrigin.x, panelOrigin.y - CompanionViewLayout::groundRoom});
}

// The window system may never say that the pointer left: her hover ends when the
// runtime finds it off her.
void CompanionWindowController::applyMouseAcceptance(bool accepts) {
    if (forwardedMouseAcceptance_ == accepts) {
        return;
    }
    forwardedMouseAcceptance_ = accepts;
    if (!accepts) {
        view_->clearHover();
    }
}

// Her hit area as the runtime reckons it, from the panel's lower-left corner upward,
// turned into the window's points from its top-left corner downward.
void CompanionWindowController::applyInputArea() {
    const CompanionViewModel::Snapshot& snapshot = *viewModel_.snapshot();
    const Rect body = companionBodyArea(
        Point{}, CompanionViewLayout::effectiveScale(snapshot.scale, snapshot.companionScale));
    const QRectF area(body.origin.x, companionPanelSize.height - (body.origin.y + body.size.height),
                      body.size.width, body.size.height);
    panel_.setInputArea(area.toAlignedRect() & panel_.rect());
}

} // namespace purlo
