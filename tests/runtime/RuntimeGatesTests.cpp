#include "tests/support/RuntimeHarness.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::berlinJanuary;
using testing::Deliveries;
using testing::RuntimeHarness;

PurloSettings napAt(std::int64_t hour, std::int64_t minute,
                    PurloNapDuration duration = PurloNapDuration::twentyMinutes) {
    return testing::settingsWith([&](PurloSettings& settings) {
        settings.scheduledNap = ScheduledNapSchedule{true, hour, minute, duration, true, {}};
    });
}

TEST(RuntimeScheduledNap, IsAnnouncedOnlyInsideItsWindowAndMarksTheDay) {
    const QuietHoursSchedule none;
    const QuietHoursSchedule noonToTwo{true, 12, 14};
    const QuietHoursSchedule twoToThree{true, 14, 15};
    const struct {
        const char* name;
        Date now;
        std::int64_t napMinute;
        QuietHoursSchedule quietHours;
        std::optional<std::string> firedBefore;
        bool weekdaysOnly;
        std::optional<std::string> marked; // announced when marked today for the first time
    } cases[] = {
        {"ten minutes late", berlinJanuary(13, 13, 10), 0, none, {}, true, "2026-01-13"},
        {"on the minute", berlinJanuary(13, 13, 0), 0, none, {}, true, "2026-01-13"},
        {"a moment early", berlinJanuary(13, 12, 59, 59), 0, none, {}, true, {}},
        {"window closed", berlinJanuary(13, 13, 15), 0, none, {}, true, {}},
        {"already today", berlinJanuary(13, 13, 5), 0, none, "2026-01-13", true, {}},
        {"fired yesterday", berlinJanuary(13, 13, 5), 0, none, "2026-01-12", true, "2026-01-13"},
        {"on a Saturday", berlinJanuary(17, 13, 5), 0, none, {}, true, {}},
        {"any day", berlinJanuary(17, 13, 5), 0, none, {}, false, "2026-01-17"},
        {"inside quiet hours", berlinJanuary(13, 13, 5), 0, noonToTwo, {}, true, "2026-01-13"},
        // The nap's own time lies outside quiet hours, this moment inside.
        {"quiet right now", berlinJanuary(13, 14, 5), 55, twoToThree, {}, true, "2026-01-13"},
    };
    for (const auto& [name, now, napMinute, quietHours, firedBefore, weekdaysOnly, marked] :
         cases) {
        SCOPED_TRACE(name);
        PurloSettings settings = napAt(13, napMinute);
        settings.quietHours = quietHours;
        settings.scheduledNap.lastFiredDay = firedBefore;
        settings.scheduledNap.weekdaysOnly = weekdaysOnly;
        RuntimeHarness harness(settings, now);
        harness.runtime().start();
        const bool announced = marked && quietHours == none;
        EXPECT_EQ(harness.runtime().scheduledNapController().isArmed(), announced);
        EXPECT_EQ(harness.scene().message,
                  announced ? std::optional(CompanionMessage{"nap time. step away with me?"})
                            : std::nullopt);
        EXPECT_EQ(PurloSettings::load(harness.store).settings.scheduledNap.lastFiredDay,
                  marked ? marked : firedBefore);
    }
}

TEST(RuntimeScheduledNap, BeginsFiveSecondsAfterTheAnnouncementForItsLength) {
    RuntimeHarness harness(napAt(13, 0, PurloNapDuration::thirtyMinutes),
                           berlinJanuary(13, 13, 10));
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    harness.loop.advance(4.95);
    EXPECT_FALSE(runtime.isNapping());
    harness.loop.advance(0.1);
    ASSERT_TRUE(runtime.isNapping());
    EXPECT_FALSE(runtime.scheduledNapController().isArmed());
    // Counted from the wall clock of the tick that began it, which shows her asleep.
    EXPECT_NEAR(harness.settings().nap.until->secondsSince(harness.clock.now()), 1800, 0.1);
    EXPECT_EQ(harness.scene().mood, CatMood::sleeping);
}

TEST(RuntimeScheduledNap, PettingHoldsAnAnnouncedNapBackAndSwitchingItOffDropsIt) {
    RuntimeHarness harness(napAt(13, 0), berlinJanuary(13, 13, 10));
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    for (int pet = 0; pet < 5; ++pet) {
        harness.loop.advance(2.0);
        runtime.pet();
    }
    harness.loop.advance(2.35);
    EXPECT_FALSE(runtime.isNapping());
    harness.loop.advance(0.1);
    EXPECT_TRUE(runtime.isNapping());

    RuntimeHarness switchedOff(napAt(13, 0), berlinJanuary(13, 13, 10));
    switchedOff.runtime().start();
    switchedOff.change([](PurloSettings& settings) { settings.scheduledNap.enabled = false; });
    switchedOff.loop.advance(6);
    EXPECT_FALSE(switchedOff.runtime().scheduledNapController().isArmed());
    EXPECT_FALSE(switchedOff.runtime().isNapping());
}

TEST(RuntimeZoomiesDash, RunsToTheLeftEdgeAcrossAndHomeInThreeAndAHalfSeconds) {
    RuntimeHarness harness;
    PurloRuntime& runtime = harness.runtime();
    const Point home = harness.scene().position;
    double leftmost = home.x;
    double rightmost = home.x;
    const Cancellable watching = runtime.scene().subscribe([&](const CompanionScene& scene) {
        leftmost = std::min(leftmost, scene.position.x);
        rightmost = std::max(rightmost, scene.position.x);
        EXPECT_EQ(scene.position.y, home.y);
    });
    runtime.updateZoomiesDash(CatPose::idle, CatPose::zoomies, harness.clock.uptime());
    harness.loop.advance(3.55);
    EXPECT_EQ(harness.loop.activeTimerCount(), 1U);
    EXPECT_NEAR(leftmost, 24, 0.5);
    EXPECT_NEAR(rightmost, 1440 - 160 - 24, 0.5);
    harness.loop.advance(0.1);
    EXPECT_EQ(harness.loop.activeTimerCount(), 0U);
    EXPECT_EQ(harness.scene().position, home);
    EXPECT_EQ(runtime.behaviorEngine().state.position, home);
}

TEST(RuntimeZoomiesDash, StopsWhereADragOrAPetCatchesHer) {
    const struct {
        const char* name;
        CatPose endedIn;
        bool petted;
        bool staysCaught;
    } cases[] = {
        {"dragged", CatPose::drag, false, true},
        {"petted", CatPose::purr, true, true},
        {"purring on her own", CatPose::purr, false, false},
        {"anything else", CatPose::idle, false, false},
        {"the runtime stopped", CatPose::zoomies, false, true},
    };
    for (const auto& [name, endedIn, petted, staysCaught] : cases) {
        SCOPED_TRACE(name);
        RuntimeHarness harness;
        PurloRuntime& runtime = harness.runtime();
        const Point home = harness.scene().position;
        runtime.updateZoomiesDash(CatPose::idle, CatPose::zoomies, harness.clock.uptime());
        harness.loop.advance(1.5);
        const Point caught = harness.scene().position;
        if (petted) {
            runtime.pet();
        }
        if (endedIn == CatPose::zoomies) {
            runtime.stop();
        } else {
            runtime.updateZoomiesDash(CatPose::zoomies, endedIn, harness.clock.uptime());
        }
        harness.loop.advance(3);
        EXPECT_EQ(harness.loop.activeTimerCount(), 0U);
        EXPECT_EQ(harness.scene().position, staysCaught ? caught : home);
    }
}

TEST(RuntimeTypingGate, AListenerThatCouldNotStartIsTriedAgainEveryTick) {
    RuntimeHarness harness;
    harness.keys.refuseToListen = true;
    harness.runtime().start();
    const int attempts = harness.keys.listenAttemptCount;
    harness.loop.advance(0.55);
    EXPECT_EQ(harness.keys.listenAttemptCount, attempts + 5);
    harness.keys.refuseToListen = false;
    harness.loop.advance(1);
    EXPECT_EQ(harness.keys.listenCount, 1);
}

TEST(RuntimeTypingGate, APermissionGrantedMeanwhileIsNoticedWithinASecond) {
    RuntimeHarness harness;
    harness.keys.granted = false;
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    Deliveries summary(runtime.privacySummary());
    harness.loop.advance(0.35);
    harness.keys.granted = true;
    harness.loop.advance(0.6);
    EXPECT_EQ(summary.count(), 0);
    harness.loop.advance(0.1);
    EXPECT_EQ(summary.count(), 1);
    EXPECT_TRUE(harness.keys.isListening());
}

} // namespace
} // namespace purlo
