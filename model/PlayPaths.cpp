// The paths the cat's games follow on screen: the butterfly's flight around her head
// and her zoomies dash across the screen. Pure geometry on a fixed timetable, so the
// engine's poses and the windows that follow these points stay in step.
#include "model/PurloBehaviorEngine.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace purlo {
namespace {

double smoothstep(double progress) {
    const double p = std::clamp(progress, 0.0, 1.0);
    return p * p * (3 - 2 * p);
}

double interpolate(double from, double to, double progress) {
    return from + progress * (to - from);
}

} // namespace

Point PurloBehaviorEngine::butterflyPoint(double elapsed, Point head, const Rect& stage) {
    const double e = std::clamp(elapsed, 0.0, 12.0);
    // She sits nearer one side; the butterfly comes in and leaves on that side.
    const double direction = head.x < stage.midX() ? -1.0 : 1.0;
    const double entryX = direction < 0 ? stage.minX() - 48 : stage.maxX() + 48;
    // Keep the target on screen; on a stage too narrow for both bounds the right one wins.
    const double targetX =
        std::min(std::max(head.x + 26 * direction, stage.minX() + 60), stage.maxX() - 60);
    const double targetY = std::min(head.y + 165, stage.maxY() - 90);

    Point point;
    if (e < 3.4) {
        // The approach dips by up to 26 points on the way in.
        const double s = smoothstep(e / 3.4);
        point.x = interpolate(entryX, targetX, s);
        point.y = interpolate(head.y + 40, targetY, s) + 26 * std::sin(-std::numbers::pi * s);
    } else if (e < 7.4) {
        // Fluttering above her; after her swat at about 6 s it rises 56 points.
        const double u = e - 3.4;
        point.x = targetX + 30 * std::sin(1.7 * u);
        point.y = targetY + 12 * std::sin(3.4 * u);
        if (e >= 6.2) {
            point.y += 56 * std::min(2 * (e - 6.2), 1.0);
        }
    } else {
        // Off past the top of the stage, on the side it came from.
        const double s = smoothstep((e - 7.4) / 4.6);
        point.x = targetX + s * 200 * direction;
        point.y = interpolate(targetY + 56, stage.maxY() + 72, s);
    }
    point.x += 7 * std::sin(5.1 * e);
    point.y += 9 * std::sin(7.3 * e);
    return point;
}

ZoomiesDashPosition PurloBehaviorEngine::zoomiesDashPosition(double elapsed, double homeX,
                                                             const Rect& screen, double width) {
    const double left = screen.minX() + 24;
    const double right = screen.maxX() - width - 24;
    if (left >= right) {
        return {homeX, 1};
    }
    struct Leg {
        double start;
        double end;
        double fromX;
        double toX;
        int facing;
    };
    // A cat already beyond an edge does not run back to it first.
    const double leftTurn = std::min(homeX, left);
    const double rightTurn = std::max(right, homeX);
    const std::array<Leg, 3> legs{{
        {0, 1, homeX, leftTurn, -1},
        {1, 2.4, leftTurn, rightTurn, 1},
        {2.4, 3.6, rightTurn, homeX, -1},
    }};
    const double e = std::clamp(elapsed, 0.0, 3.6);
    const Leg& leg = e < 1 ? legs[0] : e < 2.4 ? legs[1] : legs[2];
    const double progress = leg.end > leg.start ? (e - leg.start) / (leg.end - leg.start) : 1;
    return {interpolate(leg.fromX, leg.toX, smoothstep(progress)), leg.facing};
}

} // namespace purlo
