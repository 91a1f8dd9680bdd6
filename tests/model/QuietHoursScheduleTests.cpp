#include "model/PurloSettings.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

TEST(QuietHours, BoundariesWrappingEqualAndClamped) {
    struct Case {
        QuietHoursSchedule quiet;
        std::int64_t minute;
        bool active;
    };
    const Case cases[] = {
        // Past midnight: the start minute is in, the end minute out.
        {{true, 22, 7}, 1319, false},
        {{true, 22, 7}, 1320, true},
        {{true, 22, 7}, 0, true},
        {{true, 22, 7}, 419, true},
        {{true, 22, 7}, 420, false},
        {{true, 9, 17}, 539, false},
        {{true, 9, 17}, 540, true},
        {{true, 9, 17}, 1019, true},
        {{true, 9, 17}, 1020, false},
        {{true, 5, 5}, 1439, true},
        {{false, 5, 5}, 600, false},
        // Hours are clamped: 30 to 7 is 23 to 7, -3 to 7 is 0 to 7.
        {{true, 30, 7}, 1379, false},
        {{true, 30, 7}, 1380, true},
        {{true, -3, 7}, 0, true},
        // Minutes are clamped to the day.
        {{true, 9, 23}, 5000, false},
        {{true, 22, 7}, 5000, true},
        {{true, 1, 7}, -10, false},
        {{true, 0, 7}, INT64_MIN, true},
    };
    for (const auto& c : cases) {
        PurloSettings settings;
        settings.quietHours = c.quiet;
        EXPECT_EQ(settings.isQuietHoursActive(c.minute), c.active)
            << c.quiet.startHour << "-" << c.quiet.endHour << " at " << c.minute;
    }
}

TEST(QuietHours, ScheduledNapOverlap) {
    struct Case {
        QuietHoursSchedule quiet;
        std::int64_t hour;
        std::int64_t minute;
        bool overlaps;
    };
    // The nap's own hour and minute are clamped: 99:99 is 23:59, -4:-4 is 00:00.
    const Case cases[] = {
        {{true, 22, 7}, 22, 30, true},  {{true, 22, 7}, 6, 59, true}, {{true, 22, 7}, 7, 0, false},
        {{false, 22, 7}, 23, 0, false}, {{true, 5, 5}, 15, 0, true},  {{true, 23, 7}, 99, 99, true},
        {{true, 1, 7}, -4, -4, false},
    };
    for (const auto& c : cases) {
        ScheduledNapSchedule nap;
        nap.hour = c.hour;
        nap.minute = c.minute;
        EXPECT_EQ(nap.overlapsQuietHours(c.quiet), c.overlaps) << c.hour << ":" << c.minute;
    }
}

} // namespace
} // namespace purlo
