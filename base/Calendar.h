#pragma once

#include "base/Date.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unicode/uversion.h>

U_NAMESPACE_BEGIN
class Calendar;
U_NAMESPACE_END

namespace purlo {

// The user's calendar: wall-clock fields of a date in a time zone, the days a
// locale counts as the weekend, and whole days counted in a row. Cheap to copy and
// safe to share between threads.
//
// Asked ten times a second about nearly the same instant, it answers from what it
// last worked out: the zone's offset from UTC until the zone's next change, and the
// day the wall clock shows, its key, whether it is a weekend and the latest time asked
// for on it. Only a question beyond those goes to the full calendar, on a copy of its
// own.
class Calendar {
public:
    // The local time zone as the system has it now, with the week of a locale ("he_IL";
    // empty for no particular region's).
    static Calendar current(std::string_view localeIdentifier);
    // A named zone ("Europe/Berlin") with the week of a locale ("en_US"); nothing for
    // a zone the time-zone database does not know.
    static std::optional<Calendar> inTimeZone(std::string_view zoneIdentifier,
                                              std::string_view localeIdentifier = "en_US");

    // Hours times 60 plus minutes on the wall clock at date, 0...1439; 0 when the
    // date lies outside what the calendar can represent.
    std::int64_t minuteOfDay(Date date) const;
    // "2026-03-07": the year, month and day of date; a field the calendar cannot
    // give counts as 0.
    std::string dayKey(Date date) const;
    // Days counted from the start of the date's era, so consecutive days differ by
    // one whatever the clock changes in between.
    std::int64_t dayIndex(Date date) const;
    // Whether the locale counts date's day as part of the weekend.
    bool isWeekend(Date date) const;
    // The instant on day's date whose wall time is hour:minute:00. A time skipped by
    // a clock change takes the next time that exists; a time that occurs twice takes
    // the first. Nothing when the calendar cannot give one.
    std::optional<Date> dateOnSameDay(Date day, int hour, int minute) const;

private:
    struct Prototype;
    struct WallTime;
    struct LocalDay;
    explicit Calendar(std::shared_ptr<const Prototype> prototype);
    // A working copy set to date; nothing when date lies outside the calendar's range.
    std::unique_ptr<icu::Calendar> at(Date date) const;
    // The day and the time of day on the wall clock at milliseconds since 1970; nothing
    // when the zone's offset cannot be known ahead. The caller holds the lock.
    std::optional<WallTime> wallTime(double milliseconds) const;
    // The wall-clock day at milliseconds, kept until a question about another day; nothing
    // when the calendar cannot give its fields. The caller holds the lock.
    LocalDay* localDay(double milliseconds) const;

    std::shared_ptr<const Prototype> prototype_;
};

} // namespace purlo
