#include "model/PurloNap.h"

#include <gtest/gtest.h>
#include <limits>

namespace purlo {
namespace {

TEST(PurloNap, RemainingLabel) {
    const Date now{700000000};
    const double infinity = std::numeric_limits<double>::infinity();
    const std::pair<double, std::optional<std::string>> cases[] = {
        {-1, std::nullopt},
        {0, std::nullopt},
        {0.001, "1m"},
        {30, "1m"},
        {61, "2m"},
        {59 * 60 + 1, "1h"},
        {60 * 60, "1h"},
        {61 * 60, "1h 1m"},
        {125 * 60, "2h 5m"},
        // Ends far ahead saturate instead of overflowing.
        {1e300, "153722867280912930h 7m"},
        {infinity, "153722867280912930h 7m"},
    };
    for (const auto& [secondsLeft, label] : cases) {
        EXPECT_EQ(PurloNap{now.addingSeconds(secondsLeft)}.remainingLabel(now), label)
            << secondsLeft;
    }
    EXPECT_EQ(PurloNap{}.remainingLabel(now), std::nullopt);
    EXPECT_TRUE(PurloNap{PurloNap::distantFuture}.isIndefinite());
    EXPECT_FALSE(PurloNap{PurloNap::distantFuture.addingSeconds(-1)}.isIndefinite());
}

TEST(PurloNap, DurationsAreTheirMinutes) {
    for (const std::int64_t minutes : {15, 20, 30, 60}) {
        ASSERT_TRUE(napDuration(minutes)) << minutes;
        EXPECT_EQ(decodeValue<PurloNapDuration>(Json(minutes)), *napDuration(minutes));
        EXPECT_EQ(Json(*napDuration(minutes)), Json(minutes));
    }
    EXPECT_FALSE(napDuration(25));
    EXPECT_THROW(decodeValue<PurloNapDuration>(Json(25)), DecodeError);
}

} // namespace
} // namespace purlo
