#include "model/Calendar.h"
#include "model/ScheduledNapSchedule.h"

#include <chrono>
#include <gtest/gtest.h>

namespace purlo {
namespace {

Date utc(int year, unsigned month, unsigned day, int hour, int minute, int second = 0) {
    using namespace std::chrono;
    const sys_days date{std::chrono::year{year} / std::chrono::month{month} /
                        std::chrono::day{day}};
    return Date::fromSystemClock(date + hours{hour} + minutes{minute} + seconds{second});
}

Calendar calendarIn(std::string_view zone, std::string_view locale = "en_US") {
    const auto calendar = Calendar::inTimeZone(zone, locale);
    EXPECT_TRUE(calendar) << zone;
    return calendar.value_or(Calendar::current());
}

ScheduledNapSchedule napAt(std::int64_t hour, std::int64_t minute, bool weekdaysOnly = false) {
    ScheduledNapSchedule schedule;
    schedule.enabled = true;
    schedule.hour = hour;
    schedule.minute = minute;
    schedule.weekdaysOnly = weekdaysOnly;
    return schedule;
}

TEST(Calendar, UnknownZonesAreRefused) {
    EXPECT_FALSE(Calendar::inTimeZone("Europe/Atlantis"));
    EXPECT_FALSE(Calendar::inTimeZone(""));
    EXPECT_TRUE(Calendar::inTimeZone("UTC"));
    const std::int64_t minute = Calendar::current().minuteOfDay(Date{800000000});
    EXPECT_GE(minute, 0);
    EXPECT_LE(minute, 1439);
}

TEST(Calendar, MinuteOfDayAndDayKeyFollowTheZone) {
    struct Case {
        std::string zone;
        Date date;
        std::int64_t minute;
        std::string dayKey;
    };
    const Case cases[] = {
        {"UTC", utc(2026, 3, 7, 23, 59, 59), 1439, "2026-03-07"},
        {"UTC", utc(2026, 3, 8, 0, 0), 0, "2026-03-08"},
        {"Europe/Berlin", utc(2026, 3, 7, 23, 30), 30, "2026-03-08"},
        {"America/New_York", utc(2026, 3, 7, 23, 30), 18 * 60 + 30, "2026-03-07"},
        // The hour after the spring change: 01:59 UTC is 03:59 in Berlin.
        {"Europe/Berlin", utc(2026, 3, 29, 1, 59), 3 * 60 + 59, "2026-03-29"},
        {"Asia/Kolkata", utc(2026, 1, 1, 0, 0), 5 * 60 + 30, "2026-01-01"},
        {"UTC", Date{1e300}, 0, "0000-00-00"},
        {"UTC", Date{std::numeric_limits<double>::quiet_NaN()}, 0, "0000-00-00"},
    };
    for (const auto& c : cases) {
        const Calendar calendar = calendarIn(c.zone);
        EXPECT_EQ(calendar.minuteOfDay(c.date), c.minute) << c.zone << " " << c.dayKey;
        EXPECT_EQ(ScheduledNapSchedule::dayKey(c.date, calendar), c.dayKey) << c.zone;
    }
}

TEST(Calendar, DayIndexCountsLocalDaysAcrossClockChanges) {
    const Calendar berlin = calendarIn("Europe/Berlin");
    // Saturday 28 March starts at 23:00 UTC the evening before; Sunday 29 March, when
    // the clocks go forward, runs from 23:00 to 22:00 UTC: 23 hours.
    const std::int64_t saturday = berlin.dayIndex(utc(2026, 3, 27, 23, 30));
    EXPECT_EQ(berlin.dayIndex(utc(2026, 3, 28, 22, 59)), saturday);
    EXPECT_EQ(berlin.dayIndex(utc(2026, 3, 28, 23, 0)), saturday + 1);
    EXPECT_EQ(berlin.dayIndex(utc(2026, 3, 29, 21, 59)), saturday + 1);
    EXPECT_EQ(berlin.dayIndex(utc(2026, 3, 29, 22, 10)), saturday + 2);
    // The day the clocks go back has 25 hours: 00:00 CEST to 23:59 CET is one day.
    const std::int64_t longDay = berlin.dayIndex(utc(2026, 10, 24, 22, 0));
    EXPECT_EQ(berlin.dayIndex(utc(2026, 10, 25, 22, 59)), longDay);
    EXPECT_EQ(berlin.dayIndex(utc(2026, 10, 25, 23, 0)), longDay + 1);
    // Out-of-range dates still give a day, without overflow.
    const Calendar utcCalendar = calendarIn("UTC");
    EXPECT_EQ(utcCalendar.dayIndex(Date{1e300}), INT64_MAX);
    EXPECT_EQ(utcCalendar.dayIndex(Date{-1e300}), INT64_MIN);
}

TEST(Calendar, WeekendAsTheLocaleDefinesIt) {
    const Calendar newYork = calendarIn("America/New_York", "en_US");
    const Calendar israel = calendarIn("Asia/Jerusalem", "he_IL");
    // Friday 6 to Monday 9 March 2026, at local noon.
    EXPECT_FALSE(newYork.isWeekend(utc(2026, 3, 6, 17, 0)));
    EXPECT_TRUE(newYork.isWeekend(utc(2026, 3, 7, 17, 0)));
    EXPECT_TRUE(newYork.isWeekend(utc(2026, 3, 8, 16, 0)));
    EXPECT_FALSE(newYork.isWeekend(utc(2026, 3, 9, 16, 0)));
    // Friday 23:30 in New York is already Saturday in UTC, but not the weekend there.
    EXPECT_FALSE(newYork.isWeekend(utc(2026, 3, 7, 4, 30)));
    EXPECT_TRUE(israel.isWeekend(utc(2026, 3, 6, 10, 0)));
    EXPECT_TRUE(israel.isWeekend(utc(2026, 3, 7, 10, 0)));
    EXPECT_FALSE(israel.isWeekend(utc(2026, 3, 8, 10, 0)));
}

TEST(ScheduledNap, FireDateOnClockChangeDays) {
    struct Case {
        std::string zone;
        Date day;
        ScheduledNapSchedule schedule;
        std::optional<Date> fire;
    };
    const Case cases[] = {
        // Berlin springs from 02:00 to 03:00 on 29 March: 02:30 does not exist.
        {"Europe/Berlin", utc(2026, 3, 29, 9, 0), napAt(2, 30), utc(2026, 3, 29, 1, 0)},
        {"Europe/Berlin", utc(2026, 3, 28, 23, 5), napAt(2, 0), utc(2026, 3, 29, 1, 0)},
        {"Europe/Berlin", utc(2026, 3, 29, 21, 0), napAt(15, 0), utc(2026, 3, 29, 13, 0)},
        // Berlin falls back from 03:00 to 02:00 on 25 October: 02:30 happens twice.
        {"Europe/Berlin", utc(2026, 10, 25, 12, 0), napAt(2, 30), utc(2026, 10, 25, 0, 30)},
        {"Europe/Berlin", utc(2026, 10, 25, 12, 0), napAt(15, 0), utc(2026, 10, 25, 14, 0)},
        // New York springs forward on 8 March and falls back on 1 November.
        {"America/New_York", utc(2026, 3, 8, 16, 0), napAt(2, 15), utc(2026, 3, 8, 7, 0)},
        {"America/New_York", utc(2026, 3, 8, 16, 0), napAt(3, 15), utc(2026, 3, 8, 7, 15)},
        {"America/New_York", utc(2026, 11, 1, 16, 0), napAt(1, 30), utc(2026, 11, 1, 5, 30)},
        {"America/New_York", utc(2026, 11, 1, 16, 0), napAt(23, 59), utc(2026, 11, 2, 4, 59)},
        // Hour and minute are clamped to the day.
        {"UTC", utc(2026, 3, 6, 12, 0), napAt(31, 75), utc(2026, 3, 6, 23, 59)},
        {"UTC", utc(2026, 3, 6, 12, 0), napAt(-2, -5), utc(2026, 3, 6, 0, 0)},
        // Weekdays only: no nap on Saturday or Sunday as the locale counts them.
        {"America/New_York", utc(2026, 3, 6, 20, 0), napAt(15, 0, true), utc(2026, 3, 6, 20, 0)},
        {"America/New_York", utc(2026, 3, 7, 20, 0), napAt(15, 0, true), std::nullopt},
        {"America/New_York", utc(2026, 3, 8, 20, 0), napAt(15, 0, true), std::nullopt},
        {"America/New_York", utc(2026, 3, 7, 20, 0), napAt(15, 0, false), utc(2026, 3, 7, 20, 0)},
    };
    for (const auto& c : cases) {
        const auto fire = c.schedule.fireDate(c.day, calendarIn(c.zone));
        ASSERT_EQ(fire.has_value(), c.fire.has_value())
            << c.zone << " " << c.schedule.hour << ":" << c.schedule.minute;
        if (fire) {
            EXPECT_EQ(fire->unixSeconds(), c.fire->unixSeconds())
                << c.zone << " " << c.schedule.hour << ":" << c.schedule.minute;
        }
    }
    EXPECT_FALSE(napAt(15, 0).fireDate(Date{1e300}, calendarIn("UTC")));
}

TEST(ScheduledNap, WeekendInTheLocalesWeek) {
    const Calendar israel = calendarIn("Asia/Jerusalem", "he_IL");
    EXPECT_FALSE(napAt(15, 0, true).fireDate(utc(2026, 3, 6, 9, 0), israel));
    EXPECT_TRUE(napAt(15, 0, true).fireDate(utc(2026, 3, 8, 9, 0), israel));
}

} // namespace
} // namespace purlo
