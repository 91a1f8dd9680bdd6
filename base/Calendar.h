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
// safe to share; every question works on its own copy of the underlying calendar.
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
    explicit Calendar(std::shared_ptr<const Prototype> prototype);
    // A working copy set to date; nothing when date lies outside the calendar's range.
    std::unique_ptr<icu::Calendar> at(Date date) const;

    std::shared_ptr<const Prototype> prototype_;
};

} // namespace purlo
