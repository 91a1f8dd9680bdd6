#include "model/PurloBehaviorEngine.h"

#include <cmath>
#include <gtest/gtest.h>

namespace purlo {
namespace {

constexpr Rect screen{{0, 0}, {1440, 900}};

TEST(ButterflyFlight, ItEntersBeyondTheEdgeOnHerSideAtHeadHeight) {
    struct Case {
        const char* name;
        Point head;
        double entryX;
    };
    const Case cases[] = {
        {"head exactly at the middle", {720, 164}, 1440 + 48},
        {"head right of the middle", {1000, 164}, 1440 + 48},
        {"head left of the middle", {719.5, 164}, -48},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Point start = PurloBehaviorEngine::butterflyPoint(0, c.head, screen);
        EXPECT_DOUBLE_EQ(start.x, c.entryX);
        EXPECT_DOUBLE_EQ(start.y, c.head.y + 40);
        EXPECT_EQ(PurloBehaviorEngine::butterflyPoint(-3, c.head, screen), start);
    }
}

TEST(ButterflyFlight, ItStopsAtItsFinalPointPastTheTopOfTheStage) {
    const Point head{300, 164};
    const Point end = PurloBehaviorEngine::butterflyPoint(12, head, screen);
    EXPECT_EQ(PurloBehaviorEngine::butterflyPoint(40, head, screen), end);
    EXPECT_GT(end.y, screen.maxY() + 72 - 9);
    // It leaves on the side it came from: left of the target above her head.
    EXPECT_LT(end.x, head.x - 26 - 200 + 7 + 1e-9);
}

TEST(ButterflyFlight, ItFluttersNearHerHeadButStaysOnTheStage) {
    struct Case {
        const char* name;
        Rect stage;
        Point head;
        Point target;
    };
    const Case cases[] = {
        {"beside her head", screen, {720, 164}, {746, 329}},
        {"kept off the left edge", screen, {10, 164}, {60, 329}},
        {"kept below the top", screen, {720, 800}, {746, 810}},
        {"a stage too narrow for both bounds keeps off the right",
         {{0, 0}, {100, 900}},
         {30, 164},
         {40, 329}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Until her swat at 6.2 s the flutter stays within its sway and the wobble.
        for (double e = 3.4; e < 6.2; e += 0.1) {
            const Point point = PurloBehaviorEngine::butterflyPoint(e, c.head, c.stage);
            EXPECT_LE(std::fabs(point.x - c.target.x), 30 + 7 + 1e-9) << e;
            EXPECT_LE(std::fabs(point.y - c.target.y), 12 + 9 + 1e-9) << e;
        }
    }
}

TEST(ZoomiesDash, SheRunsLeftAcrossAndHome) {
    struct Case {
        double elapsed;
        ZoomiesDashPosition position;
    };
    // Home at 600 on a 1440-wide screen: the turns are at 24 and 1440 - 160 - 24.
    const Case cases[] = {
        {-1, {600, -1}},   {0, {600, -1}},   {0.5, {312, -1}}, {1, {24, 1}},   {1.7, {640, 1}},
        {2.4, {1256, -1}}, {3.0, {928, -1}}, {3.6, {600, -1}}, {5, {600, -1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.elapsed);
        const ZoomiesDashPosition position =
            PurloBehaviorEngine::zoomiesDashPosition(c.elapsed, 600, screen, 160);
        EXPECT_NEAR(position.x, c.position.x, 1e-9);
        EXPECT_EQ(position.facing, c.position.facing);
    }
}

TEST(ZoomiesDash, SheNeverRunsBackToAnEdgeSheIsAlreadyBeyond) {
    const auto at = [](double elapsed, double homeX) {
        return PurloBehaviorEngine::zoomiesDashPosition(elapsed, homeX, screen, 160).x;
    };
    EXPECT_DOUBLE_EQ(at(0.5, 10), 10) << "left of the left turn: leg 1 stays home";
    EXPECT_DOUBLE_EQ(at(1, 10), 10) << "leg 2 starts from home";
    EXPECT_DOUBLE_EQ(at(2.4, 1300), 1300) << "right of the right turn: leg 2 ends at home";
    EXPECT_DOUBLE_EQ(at(3, 1300), 1300);
}

TEST(ZoomiesDash, AScreenTooNarrowLeavesHerHomeFacingRight) {
    const Rect narrow{{100, 0}, {208, 900}}; // left turn 124, right turn 124
    for (const double elapsed : {0.0, 0.5, 1.7, 3.0}) {
        EXPECT_EQ(PurloBehaviorEngine::zoomiesDashPosition(elapsed, 150, narrow, 160),
                  (ZoomiesDashPosition{150, 1}));
    }
}

} // namespace
} // namespace purlo
