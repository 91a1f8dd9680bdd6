#include "tests/support/RuntimeHarness.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::berlinJanuary;
using testing::Deliveries;
using testing::RuntimeHarness;

const CompanionMessage napInvitation{"nap time. step away with me?", CompanionMessage::Kind::soft};

PurloSettings napAtOne(PurloNapDuration duration = PurloNapDuration::twentyMinutes) {
    PurloSettings settings;
    settings.scheduledNap = ScheduledNapSchedule{true, 13, 0, duration, true, std::nullopt};
    return settings;
}

TEST(RuntimeScheduledNap, IsAnnouncedOnlyInsideItsWindowAndMarksTheDay) {
    const struct {
        const char* name;
        Date start;
        std::optional<QuietHoursSchedule> quietHours;
        std::optional<std::string> lastFiredDay;
        bool weekdaysOnly;
        bool announced;
        std::optional<std::string> markedDay;
        std::int64_t napMinute = 0;
    } cases[] = {
        {"ten minutes late", berlinJanuary(13, 13, 10), {}, {}, true, true, "2026-01-13"},
        {"on the minute", berlinJanuary(13, 13, 0), {}, {}, true, true, "2026-01-13"},
        {"a moment early", berlinJanuary(13, 12, 59, 59), {}, {}, true, false, {}},
        {"window closed", berlinJanuary(13, 13, 15), {}, {}, true, false, {}},
        {"already today", berlinJanuary(13, 13, 5), {}, "2026-01-13", true, false, "2026-01-13"},
        {"fired yesterday", berlinJanuary(13, 13, 5), {}, "2026-01-12", true, true, "2026-01-13"},
        {"on a Saturday", berlinJanuary(17, 13, 5), {}, {}, true, false, {}},
        {"any day", berlinJanuary(17, 13, 5), {}, {}, false, true, "2026-01-17"},
        {"inside quiet hours",
         berlinJanuary(13, 13, 5),
         QuietHoursSchedule{true, 12, 14},
         {},
         true,
         false,
         "2026-01-13"},
        // The nap's own time lies outside quiet hours, but this moment does not.
        {"quiet right now",
         berlinJanuary(13, 14, 5),
         QuietHoursSchedule{true, 14, 15},
         {},
         true,
         false,
         "2026-01-13",
         55},
    };
    for (const auto& [name, start, quietHours, lastFiredDay, weekdaysOnly, announced, markedDay,
                      napMinute] : cases) {
        SCOPED_TRACE(name);
        RuntimeHarness harness(start);
        PurloSettings settings = napAtOne();
        settings.scheduledNap.minute = napMinute;
        settings.scheduledNap.lastFiredDay = lastFiredDay;
        settings.scheduledNap.weekdaysOnly = weekdaysOnly;
        if (quietHours) {
            settings.quietHours = *quietHours;
        }
        harness.storeSettings(settings);
        harness.runtime().start();
        EXPECT_EQ(harness.runtime().scheduledNapController().isArmed(), announced);
        EXPECT_EQ(harness.scene().message == napInvitation, announced);
        EXPECT_EQ(harness.settings().scheduledNap.lastFiredDay, markedDay);
        EXPECT_EQ(PurloSettings::load(harness.store).settings.scheduledNap.lastFiredDay, markedDay);
    }
}

TEST(RuntimeScheduledNap, BeginsFiveSecondsAfterTheAnnouncementForItsLength) {
    RuntimeHarness harness(berlinJanuary(13, 13, 10));
    harness.storeSettings(napAtOne(PurloNapDuration::thirtyMinutes));
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    ASSERT_TRUE(runtime.scheduledNapController().isArmed());
    harness.loop.advance(4.95);
    EXPECT_FALSE(runtime.isNapping());

    harness.loop.advance(0.1);
    ASSERT_TRUE(runtime.isNapping());
    EXPECT_FALSE(runtime.scheduledNapController().isArmed());
    // The nap is counted from the wall clock of the tick that started it, and that tick
    // already shows her asleep.
    const double length = harness.settings().nap.until->secondsSince(harness.clock.now());
    EXPECT_NEAR(length, 1800, 0.1);
    EXPECT_EQ(harness.scene().mood, CatMood::sleeping);
}

TEST(RuntimeScheduledNap, PettingHoldsAnAnnouncedNapBack) {
    RuntimeHarness harness(berlinJanuary(13, 13, 10));
    harness.storeSettings(napAtOne());
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    for (int pet = 0; pet < 10; ++pet) {
        harness.loop.advance(2.0);
        runtime.pet();
    }
    EXPECT_FALSE(runtime.isNapping());
    EXPECT_TRUE(runtime.scheduledNapController().isArmed());
    harness.loop.advance(2.35);
    EXPECT_FALSE(runtime.isNapping());
    harness.loop.advance(0.1);
    EXPECT_TRUE(runtime.isNapping());
}

TEST(RuntimeScheduledNap, AnAnnouncedNapIsDroppedWhenTheScheduleGoesOrANapBegins) {
    for (const bool switchOff : {true, false}) {
        RuntimeHarness harness(berlinJanuary(13, 13, 10));
        harness.storeSettings(napAtOne());
        PurloRuntime& runtime = harness.runtime();
        runtime.start();
        if (switchOff) {
            harness.change([](PurloSettings& settings) { settings.scheduledNap.enabled = false; });
        } else {
            runtime.nap(PurloNapDuration::oneHour, harness.clock.now());
        }
        harness.tick();
        EXPECT_FALSE(runtime.scheduledNapController().isArmed());
        harness.loop.advance(6);
        EXPECT_EQ(runtime.isNapping(), !switchOff);
    }
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
    EXPECT_EQ(harness.loop.activeTimerCount(), 1U);
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
    };
    for (const auto& [name, endedIn, petted, staysCaught] : cases) {
        SCOPED_TRACE(name);
        RuntimeHarness harness;
        PurloRuntime& runtime = harness.runtime();
        const Point home = harness.scene().position;
        runtime.updateZoomiesDash(CatPose::idle, CatPose::zoomies, harness.clock.uptime());
        harness.loop.advance(1.5);
        const Point caught = harness.scene().position;
        ASSERT_NE(caught, home);
        if (petted) {
            runtime.pet();
        }
        runtime.updateZoomiesDash(CatPose::zoomies, endedIn, harness.clock.uptime());
        EXPECT_EQ(harness.loop.activeTimerCount(), 0U);
        EXPECT_EQ(harness.scene().position, staysCaught ? caught : home);
        harness.loop.advance(3);
        EXPECT_EQ(harness.scene().position, staysCaught ? caught : home);
    }
}

TEST(RuntimeZoomiesDash, StopLeavesHerWhereTheDashPutHer) {
    RuntimeHarness harness;
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    runtime.updateZoomiesDash(CatPose::idle, CatPose::zoomies, harness.clock.uptime());
    harness.loop.advance(1.5);
    const Point where = harness.scene().position;
    runtime.stop();
    EXPECT_EQ(harness.loop.activeTimerCount(), 0U);
    EXPECT_EQ(harness.scene().position, where);
}

TEST(RuntimeTypingGate, AListenerThatCouldNotStartIsTriedAgainEveryTick) {
    RuntimeHarness harness;
    harness.keys.refuseToListen = true;
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    const int attempts = harness.keys.listenAttemptCount;
    harness.loop.advance(0.55);
    EXPECT_EQ(harness.keys.listenAttemptCount, attempts + 5);
    harness.keys.refuseToListen = false;
    harness.loop.advance(0.1);
    EXPECT_TRUE(harness.keys.isListening());
    harness.loop.advance(1);
    EXPECT_EQ(harness.keys.listenCount, 1);
}

TEST(RuntimeTypingGate, APermissionGrantedMeanwhileIsNoticedWithinASecond) {
    RuntimeHarness harness;
    harness.keys.granted = false;
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    ASSERT_FALSE(runtime.privacySummary()->inputMonitoringGranted);
    Deliveries summary(runtime.privacySummary());
    harness.loop.advance(0.35);
    harness.keys.granted = true;
    harness.loop.advance(0.6);
    EXPECT_EQ(summary.count(), 0);
    harness.loop.advance(0.1);
    EXPECT_TRUE(runtime.privacySummary()->inputMonitoringGranted);
    EXPECT_EQ(summary.count(), 1);
    EXPECT_TRUE(harness.keys.isListening());
}

} // namespace
} // namespace purlo
