#include "base/Calendar.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <mutex>
#include <unicode/basictz.h>
#include <unicode/calendar.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>
#include <unicode/tztrans.h>

namespace purlo {

// The wall clock at one instant: whole days since 1970-01-01 and the milliseconds into
// the day.
struct Calendar::WallTime {
    double day = 0;
    std::int32_t millisecond = 0;
};

// What the calendar said about one wall-clock day.
struct Calendar::LocalDay {
    struct TimeOfDay {
        int hour = 0;
        int minute = 0;
        std::optional<Date> date;
    };

    double day = 0;
    std::string key;
    // Nothing when the locale's weekend begins or ends within this day.
    std::optional<bool> weekend;
    // The latest dateOnSameDay question about this day, with its answer.
    std::optional<TimeOfDay> time;
};

namespace {

// The offset from UTC a zone keeps from start up to, not including, end; both in
// milliseconds since 1970, equal while nothing is known.
struct ZonePeriod {
    double start = 0;
    double end = 0;
    std::int32_t offset = 0;

    bool contains(double milliseconds) const { return milliseconds >= start && milliseconds < end; }
};

} // namespace

struct Calendar::Prototype {
    explicit Prototype(std::unique_ptr<icu::Calendar> calendar)
        : calendar(std::move(calendar)) {}

    std::unique_ptr<icu::Calendar> calendar;
    // The latest answers, shared by every copy.
    mutable std::mutex mutex;
    mutable ZonePeriod period;
    mutable std::optional<LocalDay> day;
};

namespace {

constexpr double secondsPerDay = 86400.0;
constexpr double millisecondsPerDay = 86400000.0;
constexpr std::int32_t millisecondsPerMinute = 60000;

// A whole number of days for any double, saturating instead of overflowing.
std::int64_t saturatingTruncation(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= 9223372036854775807.0) {
        return INT64_MAX;
    }
    if (value <= -9223372036854775808.0) {
        return INT64_MIN;
    }
    return static_cast<std::int64_t>(value);
}

std::unique_ptr<icu::Calendar> makeCalendar(icu::TimeZone* adoptedZone, const icu::Locale& locale) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Calendar> calendar(
        icu::Calendar::createInstance(adoptedZone, locale, status));
    if (U_FAILURE(status) || !calendar) {
        // Without calendar data the Gregorian calendar in UTC is the best guess left.
        status = U_ZERO_ERROR;
        calendar.reset(icu::Calendar::createInstance(icu::TimeZone::getGMT()->clone(),
                                                     icu::Locale::getRoot(), status));
        if (U_FAILURE(status) || !calendar) {
            return nullptr;
        }
    }
    calendar->setLenient(true);
    calendar->setSkippedWallTimeOption(UCAL_WALLTIME_NEXT_VALID);
    calendar->setRepeatedWallTimeOption(UCAL_WALLTIME_FIRST);
    return calendar;
}

} // namespace

Calendar::Calendar(std::shared_ptr<const Prototype> prototype)
    : prototype_(std::move(prototype)) {}

Calendar Calendar::current(std::string_view localeIdentifier) {
    const icu::Locale locale(std::string(localeIdentifier).c_str());
    return Calendar(std::make_shared<const Prototype>(
        makeCalendar(icu::TimeZone::detectHostTimeZone(), locale)));
}

std::optional<Calendar> Calendar::inTimeZone(std::string_view zoneIdentifier,
                                             std::string_view localeIdentifier) {
    std::unique_ptr<icu::TimeZone> zone(icu::TimeZone::createTimeZone(icu::UnicodeString::fromUTF8(
        icu::StringPiece(zoneIdentifier.data(), static_cast<int32_t>(zoneIdentifier.size())))));
    if (!zone || *zone == icu::TimeZone::getUnknown()) {
        return std::nullopt;
    }
    const icu::Locale locale(std::string(localeIdentifier).c_str());
    return Calendar(std::make_shared<const Prototype>(makeCalendar(zone.release(), locale)));
}

namespace {

// Milliseconds since 1970 of a date the calendar can represent.
std::optional<double> calendarMilliseconds(Date date) {
    const double milliseconds = date.unixSeconds() * 1000.0;
    // ICU's own limit is about 1.8e17 ms either side of 1970; past it fields are meaningless.
    if (!std::isfinite(milliseconds) || std::fabs(milliseconds) > 1.8e17) {
        return std::nullopt;
    }
    return milliseconds;
}

// A working copy of the calendar set to milliseconds since 1970.
std::unique_ptr<icu::Calendar> calendarAt(const icu::Calendar& prototype, double milliseconds) {
    std::unique_ptr<icu::Calendar> calendar(prototype.clone());
    UErrorCode status = U_ZERO_ERROR;
    calendar->setTime(milliseconds, status);
    if (U_FAILURE(status)) {
        return nullptr;
    }
    return calendar;
}

int field(icu::Calendar& calendar, UCalendarDateFields which) {
    UErrorCode status = U_ZERO_ERROR;
    const int32_t value = calendar.get(which, status);
    return U_FAILURE(status) ? 0 : value;
}

// "2026-03-07"; a calendar that cannot give the fields gives "0000-00-00".
std::string formattedDayKey(icu::Calendar* calendar) {
    int year = 0;
    int month = 0;
    int day = 0;
    if (calendar) {
        year = field(*calendar, UCAL_YEAR);
        month = field(*calendar, UCAL_MONTH) + 1;
        day = field(*calendar, UCAL_DATE);
    }
    char key[48];
    std::snprintf(key, sizeof key, "%04d-%02d-%02d", year, month, day);
    return key;
}

// Whether the calendar's day is a weekend day from its start to its end; nothing when
// the weekend begins or ends within it, or the calendar cannot tell.
std::optional<bool> wholeDayWeekend(icu::Calendar& calendar) {
    UErrorCode status = U_ZERO_ERROR;
    const auto weekday = static_cast<UCalendarDaysOfWeek>(calendar.get(UCAL_DAY_OF_WEEK, status));
    const UCalendarWeekdayType type = calendar.getDayOfWeekType(weekday, status);
    if (U_FAILURE(status)) {
        return std::nullopt;
    }
    if (type == UCAL_WEEKDAY) {
        return false;
    }
    if (type == UCAL_WEEKEND) {
        return true;
    }
    return std::nullopt;
}

// The stretch around milliseconds in which the zone keeps one offset: from its latest
// change up to its next. Nothing when a change ahead cannot be found although the zone
// keeps daylight time.
std::optional<ZonePeriod> zonePeriodAt(const icu::TimeZone& zone, double milliseconds) {
    const auto* changes = dynamic_cast<const icu::BasicTimeZone*>(&zone);
    if (!changes) {
        return std::nullopt;
    }
    UErrorCode status = U_ZERO_ERROR;
    int32_t raw = 0;
    int32_t daylight = 0;
    zone.getOffset(milliseconds, false, raw, daylight, status);
    if (U_FAILURE(status)) {
        return std::nullopt;
    }
    constexpr double always = std::numeric_limits<double>::infinity();
    ZonePeriod period{-always, always, raw + daylight};
    icu::TimeZoneTransition change;
    if (changes->getPreviousTransition(milliseconds, true, change)) {
        period.start = change.getTime();
    }
    if (changes->getNextTransition(milliseconds, false, change)) {
        period.end = change.getTime();
    } else if (zone.useDaylightTime()) {
        return std::nullopt;
    }
    return period;
}

} // namespace

std::unique_ptr<icu::Calendar> Calendar::at(Date date) const {
    const auto milliseconds = calendarMilliseconds(date);
    if (!prototype_->calendar || !milliseconds) {
        return nullptr;
    }
    return calendarAt(*prototype_->calendar, *milliseconds);
}

std::optional<Calendar::WallTime> Calendar::wallTime(double milliseconds) const {
    if (!prototype_->calendar) {
        return std::nullopt;
    }
    ZonePeriod& period = prototype_->period;
    if (!period.contains(milliseconds)) {
        const auto found = zonePeriodAt(prototype_->calendar->getTimeZone(), milliseconds);
        if (!found) {
            return std::nullopt;
        }
        period = *found;
    }
    // As the calendar itself works it out: the offset added, whole days floored, and
    // the rest cut to whole milliseconds.
    const double local = milliseconds + period.offset;
    const double day = std::floor(local / millisecondsPerDay);
    return WallTime{day, static_cast<std::int32_t>(local - day * millisecondsPerDay)};
}

Calendar::LocalDay* Calendar::localDay(double milliseconds) const {
    const auto wall = wallTime(milliseconds);
    if (!wall) {
        return nullptr;
    }
    std::optional<LocalDay>& kept = prototype_->day;
    if (kept && kept->day == wall->day) {
        return &*kept;
    }
    const auto calendar = calendarAt(*prototype_->calendar, milliseconds);
    if (!calendar) {
        return nullptr;
    }
    kept = LocalDay{wall->day, formattedDayKey(calendar.get()), wholeDayWeekend(*calendar), {}};
    return &*kept;
}

std::int64_t Calendar::minuteOfDay(Date date) const {
    const auto milliseconds = calendarMilliseconds(date);
    if (!milliseconds) {
        return 0;
    }
    const std::lock_guard lock(prototype_->mutex);
    if (const auto wall = wallTime(*milliseconds)) {
        return wall->millisecond / millisecondsPerMinute;
    }
    const auto calendar = at(date);
    if (!calendar) {
        return 0;
    }
    return field(*calendar, UCAL_HOUR_OF_DAY) * 60 + field(*calendar, UCAL_MINUTE);
}

std::string Calendar::dayKey(Date date) const {
    const auto milliseconds = calendarMilliseconds(date);
    if (!milliseconds) {
        return formattedDayKey(nullptr);
    }
    const std::lock_guard lock(prototype_->mutex);
    if (const LocalDay* day = localDay(*milliseconds)) {
        return day->key;
    }
    return formattedDayKey(at(date).get());
}

std::int64_t Calendar::dayIndex(Date date) const {
    const auto calendar = at(date);
    if (calendar) {
        UErrorCode status = U_ZERO_ERROR;
        const int32_t julianDay = calendar->get(UCAL_JULIAN_DAY, status);
        const int32_t era = calendar->get(UCAL_ERA, status);
        std::unique_ptr<icu::Calendar> eraStart(prototype_->calendar->clone());
        eraStart->clear();
        eraStart->set(UCAL_ERA, era);
        eraStart->set(UCAL_YEAR, 1);
        eraStart->set(UCAL_MONTH, 0);
        eraStart->set(UCAL_DATE, 1);
        const int32_t eraStartJulianDay = eraStart->get(UCAL_JULIAN_DAY, status);
        if (U_SUCCESS(status)) {
            return std::int64_t{julianDay} - eraStartJulianDay + 1;
        }
    }
    // Without the calendar's answer, whole days since 2001-01-01 still count in a row.
    return saturatingTruncation(std::floor(date.secondsSinceReferenceDate / secondsPerDay));
}

bool Calendar::isWeekend(Date date) const {
    const auto milliseconds = calendarMilliseconds(date);
    if (!milliseconds) {
        return false;
    }
    const std::lock_guard lock(prototype_->mutex);
    if (const LocalDay* day = localDay(*milliseconds); day && day->weekend) {
        return *day->weekend;
    }
    const auto calendar = at(date);
    if (!calendar) {
        return false;
    }
    UErrorCode status = U_ZERO_ERROR;
    const bool weekend = calendar->isWeekend(calendar->getTime(status), status);
    return U_SUCCESS(status) && weekend;
}

std::optional<Date> Calendar::dateOnSameDay(Date day, int hour, int minute) const {
    const auto milliseconds = calendarMilliseconds(day);
    if (!milliseconds) {
        return std::nullopt;
    }
    const std::lock_guard lock(prototype_->mutex);
    // The answer depends on nothing but the wall-clock date and the time asked for.
    LocalDay* local = localDay(*milliseconds);
    if (local && local->time && local->time->hour == hour && local->time->minute == minute) {
        return local->time->date;
    }
    const auto calendar = at(day);
    if (!calendar) {
        return std::nullopt;
    }
    calendar->set(UCAL_HOUR_OF_DAY, hour);
    calendar->set(UCAL_MINUTE, minute);
    calendar->set(UCAL_SECOND, 0);
    calendar->set(UCAL_MILLISECOND, 0);
    UErrorCode status = U_ZERO_ERROR;
    const UDate answer = calendar->getTime(status);
    if (U_FAILURE(status)) {
        return std::nullopt;
    }
    const Date date = Date::fromUnixSeconds(answer / 1000.0);
    if (local) {
        local->time = LocalDay::TimeOfDay{hour, minute, date};
    }
    return date;
}

} // namespace purlo
