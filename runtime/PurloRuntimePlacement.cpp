#include "runtime/CompanionPanelGeometry.h"
#include "runtime/PurloRuntime.h"
#include "runtime/ScreenFrameResolver.h"

#include <cmath>

namespace purlo {

const std::vector<Rect>& PurloRuntime::visibleScreenFrames(double uptime) {
    // An empty list is kept too, but never served: a screen may come back any moment.
    if (lastVisibleScreenFramesRefresh_ &&
        uptime - *lastVisibleScreenFramesRefresh_ < screenFramesLifetime &&
        !cachedVisibleScreenFrames_.empty()) {
        return cachedVisibleScreenFrames_;
    }
    cachedVisibleScreenFrames_ = screens_.visibleFrames();
    lastVisibleScreenFramesRefresh_ = uptime;
    return cachedVisibleScreenFrames_;
}

void PurloRuntime::placeCompanionIfOffScreen(Point pointer) {
    placeCompanionIfOffScreen(visibleScreenFrames(clock_.uptime()), pointer);
}

void PurloRuntime::placeCompanionIfOffScreen(std::span<const Rect> frames, Point pointer) {
    const Point origin = scene_->position;
    if (ScreenFrameResolver::isFrameSufficientlyOnScreen(frames, origin, companionPanelSize)) {
        return;
    }
    const Rect screen =
        ScreenFrameResolver::screenFrame(frames, pointer, origin, companionPanelSize);
    const Point placed = PurloBehaviorEngine::clampedOrigin(
        origin, companionPanelSize, screen, edgePaddingInUse(settings_->companionEdgePadding));
    placeCompanion(placed);
    storeCompanionPosition(placed.x, placed.y);
}

void PurloRuntime::resetPosition() {
    const Point pointer = pointer_.location();
    const Rect screen = ScreenFrameResolver::screenFrame(
        visibleScreenFrames(clock_.uptime()), pointer, defaultCompanionOrigin, companionPanelSize);
    const Point origin =
        PurloBehaviorEngine::clampedOrigin(defaultCompanionOrigin, companionPanelSize, screen,
                                           edgePaddingInUse(settings_->companionEdgePadding));
    placeCompanion(origin);
    storeCompanionPosition(origin.x, origin.y);
    tickNow();
}

void PurloRuntime::moveCompanion(CompanionScreenCorner corner) {
    using enum CompanionScreenCorner;
    const Point origin = scene_->position;
    const double padding = edgePaddingInUse(settings_->companionEdgePadding);
    const Rect screen = ScreenFrameResolver::screenFrame(
        visibleScreenFrames(clock_.uptime()), pointer_.location(), origin, companionPanelSize);
    const bool left = corner == topLeft || corner == bottomLeft;
    const bool top = corner == topLeft || corner == topRight;
    const Point proposed{
        left ? screen.minX() + padding : screen.maxX() - companionPanelSize.width - padding,
        top ? screen.maxY() - companionPanelSize.height - padding : screen.minY() + padding};
    const Point placed =
        PurloBehaviorEngine::clampedOrigin(proposed, companionPanelSize, screen, padding);
    placeCompanion(placed);
    storeCompanionPosition(placed.x, placed.y);
    tickNow();
}

void PurloRuntime::reclampCompanionPosition() {
    const Point origin = scene_->position;
    const double padding = edgePaddingInUse(settings_->companionEdgePadding);
    const Rect screen = ScreenFrameResolver::screenFrame(visibleScreenFrames(clock_.uptime()),
                                                         offsetBy(origin, companionHeadOffset),
                                                         origin, companionPanelSize);
    const Point placed =
        PurloBehaviorEngine::clampedOrigin(origin, companionPanelSize, screen, padding);
    if (placed == origin) {
        storeCompanionPosition(origin.x, origin.y);
        return;
    }
    placeCompanion(placed);
    storeCompanionPosition(placed.x, placed.y);
    tickNow();
}

void PurloRuntime::storeCompanionPosition(double x, double y) {
    // Settings holding a position that is not a place could no longer be saved at all.
    if (!std::isfinite(x) || !std::isfinite(y)) {
        return;
    }
    const CompanionPlacement placement{x, y};
    if (settings_->companionPlacement == placement) {
        return;
    }
    changeSettings([&](PurloSettings& settings) { settings.companionPlacement = placement; });
}

} // namespace purlo
