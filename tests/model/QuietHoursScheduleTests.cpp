#include "model/PurloSettings.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

PurloSettings withQuietHours(bool enabled, std::int64_t start, std::int64_t end) {
    PurloSettings settings;
    settings.quietHours = {enabled, start, end};
    return settings;
}

TEST(QuietHours, BoundariesWrappingEqualAndClamped) {
    struct Case {
        bool enabled;
        std::int64_t start;
        std::int64_t end;
        std::int64_t minute;
        bool quiet;
    };
    const Case cases[] = {
        // Past midnight: the start minute is in, the end minute out.
        {true, 22, 7, 1319, false},
        {true, 22, 7, 1320, true},
        {true, 22, 7, 1439, true},
        {true, 22, 7, 0, true},
        {true, 22, 7, 419, true},
        {true, 22, 7, 420, false},
        // Within one day.
        {true, 9, 17, 539, false},
        {true, 9, 17, 540, true},
        {true, 9, 17, 1019, true},
        {true, 9, 17, 1020, false},
        // Equal hours: all day.
        {true, 5, 5, 0, true},
        {true, 5, 5, 299, true},
        {true, 5, 5, 1439, true},
        // Disabled: never.
        {false, 5, 5, 600, false},
        {false, 22, 7, 1380, false},
        // Hours out of range are clamped: 30 to 7 is 23 to 7, -3 to 7 is 0 to 7.
        {true, 30, 7, 1379, false},
        {true, 30, 7, 1380, true},
        {true, -3, 7, 0, true},
        {true, -3, 7, 420, false},
        {true, 0, 99, 1439, false},
        // Minutes out of range are clamped to the day.
        {true, 22, 7, 5000, true},
        {true, 9, 23, 5000, false},
        {true, 0, 7, -10, true},
        {true, 1, 7, -10, false},
        {true, 22, 7, INT64_MIN, true},
        {true, 22, 7, INT64_MAX, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(withQuietHours(c.enabled, c.start, c.end).isQuietHoursActive(c.minute), c.quiet)
            << c.enabled << " " << c.start << "-" << c.end << " at " << c.minute;
    }
}

TEST(QuietHours, ScheduledNapOverlap) {
    struct Case {
        QuietHoursSchedule quiet;
        std::int64_t hour;
        std::int64_t minute;
        bool overlaps;
    };
    const Case cases[] = {
        {{true, 22, 7}, 22, 30, true},
        {{true, 22, 7}, 6, 59, true},
        {{true, 22, 7}, 7, 0, false},
        {{true, 22, 7}, 21, 59, false},
        {{false, 22, 7}, 23, 0, false},
        {{true, 5, 5}, 15, 0, true},
        {{true, 13, 16}, 15, 0, true},
        // The nap's own hour and minute are clamped: 99:99 is 23:59.
        {{true, 23, 7}, 99, 99, true},
        {{true, 0, 7}, -4, -4, true},
        {{true, 1, 7}, -4, -4, false},
    };
    for (const auto& c : cases) {
        ScheduledNapSchedule nap;
        nap.hour = c.hour;
        nap.minute = c.minute;
        EXPECT_EQ(nap.overlapsQuietHours(c.quiet), c.overlaps)
            << c.hour << ":" << c.minute << " in " << c.quiet.startHour << "-" << c.quiet.endHour;
    }
}

} // namespace
} // namespace purlo
