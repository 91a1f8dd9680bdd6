#include "runtime/ReminderScheduler.h"

#include <gtest/gtest.h>
#include <limits>

namespace purlo {
namespace {

PurloHabitReminder habit(std::string id, std::string message, std::int64_t interval,
                         bool enabled = true) {
    return {std::move(id), "Habit", std::move(message), interval, enabled};
}

TEST(ReminderScheduler, DefaultsStretchFirstThenTheKindNudge) {
    const PurloSettings settings;
    ReminderScheduler reminders;
    reminders.reset(settings, 0);
    EXPECT_EQ(reminders.nextStretchTime(), 2700);
    EXPECT_EQ(reminders.nextKindNudgeTime(), 7200);
    EXPECT_TRUE(reminders.nextHabitTimes().empty());

    EXPECT_EQ(reminders.evaluate(settings, 2699.9), std::nullopt);
    EXPECT_EQ(reminders.evaluate(settings, 2700), ReminderEvent::stretch());
    EXPECT_EQ(reminders.nextStretchTime(), 5400);

    // At 7200 the stretch (due 5400) still goes first; the nudge follows on the next call.
    EXPECT_EQ(reminders.evaluate(settings, 7200), ReminderEvent::stretch());
    EXPECT_EQ(reminders.evaluate(settings, 7200.1), ReminderEvent::kindNudge("tiny step?"));
    EXPECT_EQ(reminders.nextKindNudgeTime(), 14400.1);
    EXPECT_EQ(reminders.evaluate(settings, 7200.2), std::nullopt);
}

TEST(ReminderScheduler, OneReminderPerCallInItsOrder) {
    PurloSettings settings;
    settings.phrasePack = PurloPhrasePack::playful;
    settings.kindNudgeMinutes = 30;
    settings.habitReminders = {habit("water", " sip water?\n", 45),
                               habit("eyes", "look far away?", 45)};
    ReminderScheduler reminders;
    reminders.reset(settings, 0);

    EXPECT_EQ(reminders.evaluate(settings, 2700), ReminderEvent::stretch());
    EXPECT_EQ(reminders.evaluate(settings, 2701), ReminderEvent::fixedMessage("sip water?"));
    EXPECT_EQ(reminders.evaluate(settings, 2702), ReminderEvent::fixedMessage("look far away?"));
    EXPECT_EQ(reminders.evaluate(settings, 2703), ReminderEvent::kindNudge("paw high five?"));
    EXPECT_EQ(reminders.evaluate(settings, 2704), std::nullopt);

    // Each was re-armed from the moment it fired.
    EXPECT_EQ(reminders.nextStretchTime(), 5400);
    EXPECT_EQ(reminders.nextHabitTimes().at("water"), 5401);
    EXPECT_EQ(reminders.nextHabitTimes().at("eyes"), 5402);
    EXPECT_EQ(reminders.nextKindNudgeTime(), 4503);
}

TEST(ReminderScheduler, IntervalsAreClampedWithoutOverflow) {
    constexpr auto huge = std::numeric_limits<std::int64_t>::max();
    const struct {
        std::int64_t stretch;
        std::int64_t habitInterval;
        std::int64_t kindNudge;
        double stretchDue;
        double habitDue;
        std::optional<double> kindNudgeDue;
    } cases[] = {
        {45, 60, 120, 2700, 3600, 7200},
        {0, 2, 10, 60, 300, 1800},
        {-3, 600, 500, 60, 14400, 14400},
        {1, 5, 30, 60, 300, 1800},
        {huge, 240, 240, 60.0 * huge, 14400, 14400},
        {45, -7, 0, 2700, 300, std::nullopt},
        {45, huge, -5, 2700, 14400, std::nullopt},
    };
    for (const auto& [stretch, habitInterval, kindNudge, stretchDue, habitDue, kindNudgeDue] :
         cases) {
        SCOPED_TRACE(::testing::Message() << stretch << ", " << habitInterval << ", " << kindNudge);
        PurloSettings settings;
        settings.stretchReminderMinutes = stretch;
        settings.kindNudgeMinutes = kindNudge;
        settings.habitReminders = {habit("water", "sip water?", habitInterval)};
        ReminderScheduler reminders;
        reminders.reset(settings, 0);
        EXPECT_EQ(reminders.nextStretchTime(), stretchDue);
        EXPECT_EQ(reminders.nextHabitTimes().at("water"), habitDue);
        EXPECT_EQ(reminders.nextKindNudgeTime(), kindNudgeDue);
    }
}

TEST(ReminderScheduler, KindNudgeFollowsItsSwitchFromTheMomentItChanges) {
    PurloSettings settings;
    ReminderScheduler reminders;
    reminders.reset(settings, 0);

    settings.kindNudgeMinutes = 0;
    reminders.evaluate(settings, 100);
    EXPECT_EQ(reminders.nextKindNudgeTime(), std::nullopt);

    settings.kindNudgeMinutes = 45;
    reminders.evaluate(settings, 200);
    EXPECT_EQ(reminders.nextKindNudgeTime(), 2900);

    // A running due time stays when the interval changes.
    settings.kindNudgeMinutes = 240;
    reminders.evaluate(settings, 300);
    EXPECT_EQ(reminders.nextKindNudgeTime(), 2900);
}

TEST(ReminderScheduler, HabitDueTimesFollowWhatIsActive) {
    PurloSettings settings;
    settings.habitReminders = {habit("water", "sip water?", 60, false)};
    ReminderScheduler reminders;
    reminders.reset(settings, 0);
    EXPECT_TRUE(reminders.nextHabitTimes().empty());

    settings.habitReminders[0].enabled = true;
    reminders.evaluate(settings, 100);
    EXPECT_EQ(reminders.nextHabitTimes().at("water"), 3700);

    // A changed interval does not move a running due time.
    settings.habitReminders[0].intervalMinutes = 5;
    reminders.evaluate(settings, 200);
    EXPECT_EQ(reminders.nextHabitTimes().at("water"), 3700);

    settings.habitReminders[0].message = " \n ";
    reminders.evaluate(settings, 300);
    EXPECT_FALSE(reminders.nextHabitTimes().contains("water"));

    settings.habitReminders[0].message = "sip water?";
    reminders.evaluate(settings, 400);
    EXPECT_EQ(reminders.nextHabitTimes().at("water"), 700);

    settings.habitReminders[0].enabled = false;
    reminders.evaluate(settings, 500);
    EXPECT_TRUE(reminders.nextHabitTimes().empty());
    settings.habitReminders[0].enabled = true;
    EXPECT_EQ(reminders.evaluate(settings, 800), std::nullopt) << "re-armed afresh, not due";
    EXPECT_EQ(reminders.nextHabitTimes().at("water"), 1100);
}

} // namespace
} // namespace purlo
