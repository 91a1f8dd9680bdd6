#include "base/Calendar.h"

#include <chrono>
#include <cstdint>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

namespace purlo {
namespace {

Date utc(int year, unsigned month, unsigned day, int hour, int minute, double second = 0) {
    using namespace std::chrono;
    const sys_days date{std::chrono::year{year} / month / day};
    return Date::fromSystemClock(date + hours{hour} + minutes{minute}).addingSeconds(second);
}

Calendar calendarIn(std::string_view zone, std::string_view locale = "en_US") {
    return Calendar::inTimeZone(zone, locale).value();
}

// Each calendar is asked in the order of the rows, as the tick asks: forward a little at a
// time, across the zone's clock changes, back again, and out of range and back. Berlin
// springs forward at 01:00 UTC on 29 March 2026 and falls back at 01:00 UTC on 25 October;
// Lord Howe Island moves by half an hour, back at 15:00 UTC on 4 April and forward at
// 15:30 UTC on 3 October.
TEST(Calendar, OneCalendarAskedAgainAndAgainFollowsEveryClockChange) {
    const Calendar berlin = calendarIn("Europe/Berlin");
    const Calendar lordHowe = calendarIn("Australia/Lord_Howe");
    const std::tuple<const Calendar&, Date, std::int64_t, std::string> cases[] = {
        {berlin, utc(2026, 3, 28, 22, 59, 59.9), 23 * 60 + 59, "2026-03-28"},
        {berlin, utc(2026, 3, 28, 23, 0), 0, "2026-03-29"},
        {berlin, utc(2026, 3, 29, 0, 59, 59.95), 1 * 60 + 59, "2026-03-29"},
        {berlin, utc(2026, 3, 29, 1, 0), 3 * 60, "2026-03-29"},
        {berlin, utc(2026, 3, 29, 0, 30), 1 * 60 + 30, "2026-03-29"},
        {berlin, utc(2026, 3, 29, 21, 59, 59.9), 23 * 60 + 59, "2026-03-29"},
        {berlin, utc(2026, 3, 29, 22, 0), 0, "2026-03-30"},
        {berlin, utc(2026, 10, 25, 0, 59), 2 * 60 + 59, "2026-10-25"},
        {berlin, utc(2026, 10, 25, 1, 0), 2 * 60, "2026-10-25"},
        {berlin, Date{1e300}, 0, "0000-00-00"},
        {berlin, utc(2026, 10, 25, 1, 30), 2 * 60 + 30, "2026-10-25"},
        {berlin, utc(2027, 1, 1, 12, 0), 13 * 60, "2027-01-01"},
        {lordHowe, utc(2026, 4, 4, 14, 59), 1 * 60 + 59, "2026-04-05"},
        {lordHowe, utc(2026, 4, 4, 15, 0), 1 * 60 + 30, "2026-04-05"},
        {lordHowe, utc(2026, 4, 4, 13, 29), 0 * 60 + 29, "2026-04-05"},
        {lordHowe, utc(2026, 4, 4, 12, 59), 23 * 60 + 59, "2026-04-04"},
        {lordHowe, utc(2026, 10, 3, 15, 29), 1 * 60 + 59, "2026-10-04"},
        {lordHowe, utc(2026, 10, 3, 15, 30), 2 * 60 + 30, "2026-10-04"},
        {lordHowe, Date{-1e300}, 0, "0000-00-00"},
        {lordHowe, utc(1890, 1, 1, 0, 0), 10 * 60 + 36, "1890-01-01"},
    };
    for (const auto& [calendar, date, minute, dayKey] : cases) {
        EXPECT_EQ(calendar.minuteOfDay(date), minute) << dayKey;
        EXPECT_EQ(calendar.dayKey(date), dayKey) << minute;
    }
}

// The wall-clock day decides, not the UTC one: late Friday evening in New York is already
// Saturday in UTC, late Sunday evening already Monday; in Israel the weekend is Friday and
// Saturday.
TEST(Calendar, TheWeekendAndTheTimeOnADayFollowTheWallClocksDayAskedInTurn) {
    const Calendar newYork = calendarIn("America/New_York");
    const Calendar israel = calendarIn("Asia/Jerusalem", "he_IL");
    const std::tuple<const Calendar&, Date, bool> weekends[] = {
        {newYork, utc(2026, 3, 7, 4, 30), false}, {newYork, utc(2026, 3, 7, 5, 30), true},
        {newYork, utc(2026, 3, 7, 4, 59), false}, {newYork, utc(2026, 3, 9, 3, 59), true},
        {newYork, utc(2026, 3, 9, 4, 0), false},  {israel, utc(2026, 3, 5, 21, 59), false},
        {israel, utc(2026, 3, 5, 22, 0), true},   {israel, utc(2026, 3, 7, 21, 59), true},
        {israel, utc(2026, 3, 7, 22, 0), false},  {israel, Date{1e300}, false},
    };
    for (const auto& [calendar, date, weekend] : weekends) {
        EXPECT_EQ(calendar.isWeekend(date), weekend) << date.unixSeconds();
    }

    // Asked in turn: the same day at other times, the next day, a day the clocks change.
    const Calendar berlin = calendarIn("Europe/Berlin");
    const std::tuple<Date, int, int, std::optional<Date>> times[] = {
        {utc(2026, 3, 28, 9, 0), 15, 0, utc(2026, 3, 28, 14, 0)},
        {utc(2026, 3, 28, 9, 0), 15, 1, utc(2026, 3, 28, 14, 1)},
        {utc(2026, 3, 28, 9, 0), 16, 1, utc(2026, 3, 28, 15, 1)},
        {utc(2026, 3, 28, 23, 30), 16, 1, utc(2026, 3, 29, 14, 1)},
        {utc(2026, 3, 29, 9, 0), 2, 30, utc(2026, 3, 29, 1, 0)},
        {utc(2026, 3, 29, 9, 0), 1, 30, utc(2026, 3, 29, 0, 30)},
        {utc(2026, 3, 28, 22, 59), 1, 30, utc(2026, 3, 28, 0, 30)},
        {Date{1e300}, 1, 30, std::nullopt},
        {utc(2026, 10, 25, 9, 0), 2, 30, utc(2026, 10, 25, 0, 30)},
    };
    for (const auto& [day, hour, minute, date] : times) {
        EXPECT_EQ(berlin.dateOnSameDay(day, hour, minute), date)
            << day.unixSeconds() << " " << hour << ":" << minute;
    }
}

// Copies share what was worked out; asked at once on several threads, each gets its own
// day's answers.
TEST(Calendar, CopiesAskedOnSeveralThreadsAtOnceEachGetTheirOwnDay) {
    const Calendar berlin = calendarIn("Europe/Berlin");
    const std::tuple<Date, std::string, std::int64_t> days[] = {
        {utc(2026, 3, 28, 12, 0), "2026-03-28", 13 * 60},
        {utc(2026, 3, 29, 12, 0), "2026-03-29", 14 * 60},
        {utc(2026, 10, 25, 0, 30), "2026-10-25", 2 * 60 + 30},
        {utc(2026, 10, 25, 1, 30), "2026-10-25", 2 * 60 + 30},
    };
    std::vector<int> wrong(std::size(days), 0);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < std::size(days); ++i) {
        threads.emplace_back([copy = berlin, &day = days[i], &mistakes = wrong[i]] {
            const auto& [date, key, minute] = day;
            for (int question = 0; question < 2000; ++question) {
                const Date asked = date.addingSeconds(question % 2 == 0 ? 0 : 0.05);
                mistakes += copy.dayKey(asked) != key || copy.minuteOfDay(asked) != minute;
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (std::size_t i = 0; i < std::size(days); ++i) {
        EXPECT_EQ(wrong[i], 0) << std::get<1>(days[i]);
    }
}

} // namespace
} // namespace purlo
