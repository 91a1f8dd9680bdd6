#include "base/Calendar.h"

#include <cmath>
#include <cstdio>
#include <unicode/calendar.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>

namespace purlo {

struct Calendar::Prototype {
    std::unique_ptr<icu::Calendar> calendar;
};

namespace {

constexpr double secondsPerDay = 86400.0;

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
        Prototype{makeCalendar(icu::TimeZone::detectHostTimeZone(), locale)}));
}

std::optional<Calendar> Calendar::inTimeZone(std::string_view zoneIdentifier,
                                             std::string_view localeIdentifier) {
    std::unique_ptr<icu::TimeZone> zone(icu::TimeZone::createTimeZone(icu::UnicodeString::fromUTF8(
        icu::StringPiece(zoneIdentifier.data(), static_cast<int32_t>(zoneIdentifier.size())))));
    if (!zone || *zone == icu::TimeZone::getUnknown()) {
        return std::nullopt;
    }
    const icu::Locale locale(std::string(localeIdentifier).c_str());
    return Calendar(
        std::make_shared<const Prototype>(Prototype{makeCalendar(zone.release(), locale)}));
}

namespace {

// A working copy of the calendar set to date; nothing when the date is out of range.
std::unique_ptr<icu::Calendar> calendarAt(const icu::Calendar& prototype, Date date) {
    const double milliseconds = date.unixSeconds() * 1000.0;
    // ICU's own limit is about 1.8e17 ms either side of 1970; past it fields are meaningless.
    if (!std::isfinite(milliseconds) || std::fabs(milliseconds) > 1.8e17) {
        return nullptr;
    }
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

} // namespace

std::unique_ptr<icu::Calendar> Calendar::at(Date date) const {
    return prototype_->calendar ? calendarAt(*prototype_->calendar, date) : nullptr;
}

std::int64_t Calendar::minuteOfDay(Date date) const {
    const auto calendar = at(date);
    if (!calendar) {
        return 0;
    }
    return field(*calendar, UCAL_HOUR_OF_DAY) * 60 + field(*calendar, UCAL_MINUTE);
}

std::string Calendar::dayKey(Date date) const {
    const auto calendar = at(date);
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
    const auto calendar = at(date);
    if (!calendar) {
        return false;
    }
    UErrorCode status = U_ZERO_ERROR;
    const bool weekend = calendar->isWeekend(calendar->getTime(status), status);
    return U_SUCCESS(status) && weekend;
}

std::optional<Date> Calendar::dateOnSameDay(Date day, int hour, int minute) const {
    const auto calendar = at(day);
    if (!calendar) {
        return std::nullopt;
    }
    calendar->set(UCAL_HOUR_OF_DAY, hour);
    calendar->set(UCAL_MINUTE, minute);
    calendar->set(UCAL_SECOND, 0);
    calendar->set(UCAL_MILLISECOND, 0);
    UErrorCode status = U_ZERO_ERROR;
    const UDate milliseconds = calendar->getTime(status);
    if (U_FAILURE(status)) {
        return std::nullopt;
    }
    return Date::fromUnixSeconds(milliseconds / 1000.0);
}

} // namespace purlo
