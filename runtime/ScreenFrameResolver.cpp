#include "runtime/ScreenFrameResolver.h"

#include <algorithm>
#include <cmath>

namespace purlo {
namespace {

double distanceFromCentre(const Rect& frame, Point point) {
    return std::hypot(frame.midX() - point.x, frame.midY() - point.y);
}

// The nearest of the frames that pass keep; nothing when none does.
template <typename Keep>
const Rect* nearestKept(std::span<const Rect> frames, Point point, Keep keep) {
    const Rect* nearest = nullptr;
    double nearestDistance = 0;
    for (const Rect& frame : frames) {
        if (!keep(frame)) {
            continue;
        }
        const double distance = distanceFromCentre(frame, point);
        if (!nearest || distance < nearestDistance) {
            nearest = &frame;
            nearestDistance = distance;
        }
    }
    return nearest;
}

bool isUsable(const Rect& frame) {
    return !frame.isEmpty() && std::isfinite(frame.minX()) && std::isfinite(frame.minY()) &&
           std::isfinite(frame.width()) && std::isfinite(frame.height());
}

} // namespace

bool ScreenFrameResolver::isFrameSufficientlyOnScreen(std::span<const Rect> frames, Point origin,
                                                      Size size) {
    const Rect frame{origin, size};
    return std::ranges::any_of(frames, [&](const Rect& screen) {
        const Rect overlap = screen.intersection(frame);
        // A screen without area, or one the frame does not touch, holds none of it,
        // however small the share asked of it.
        return !overlap.isEmpty() &&
               overlap.width() >= sufficientShare * std::min(screen.width(), frame.width()) &&
               overlap.height() >= sufficientShare * std::min(screen.height(), frame.height());
    });
}

Rect ScreenFrameResolver::nearestScreenFrame(std::span<const Rect> frames, Point point) {
    const Rect* nearest = nearestKept(frames, point, [](const Rect&) { return true; });
    return nearest ? *nearest : fallbackFrame;
}

Rect ScreenFrameResolver::screenFrame(std::span<const Rect> frames, Point point,
                                      Point companionOrigin, Size size) {
    const auto holding = [&](Point target) {
        return std::ranges::find_if(
            frames, [&](const Rect& frame) { return isUsable(frame) && frame.contains(target); });
    };
    if (const auto found = holding(point); found != frames.end()) {
        return *found;
    }
    const Point centre{companionOrigin.x + size.width / 2, companionOrigin.y + size.height / 2};
    if (const auto found = holding(centre); found != frames.end()) {
        return *found;
    }
    const Rect* nearest = nearestKept(frames, point, isUsable);
    return nearest ? *nearest : fallbackFrame;
}

} // namespace purlo
