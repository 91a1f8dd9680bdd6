#include "model/PurloNap.h"

#include <gtest/gtest.h>
#include <limits>

namespace purlo {
namespace {

TEST(PurloNap, RemainingLabelRoundsUpToWholeMinutes) {
    const Date now{700000000};
    const std::pair<double, std::optional<std::string>> cases[] = {
        {-1, std::nullopt}, {0, std::nullopt},  {0.001, "1m"},       {30, "1m"},
        {60, "1m"},         {61, "2m"},         {59 * 60, "59m"},    {59 * 60 + 1, "1h"},
        {60 * 60, "1h"},    {61 * 60, "1h 1m"}, {125 * 60, "2h 5m"}, {24 * 3600, "24h"},
    };
    for (const auto& [secondsLeft, label] : cases) {
        const PurloNap nap{now.addingSeconds(secondsLeft)};
        EXPECT_EQ(nap.remainingLabel(now), label) << secondsLeft;
    }
    EXPECT_EQ(PurloNap{}.remainingLabel(now), std::nullopt);
}

TEST(PurloNap, RemainingLabelSaturatesOnEndsFarAhead) {
    const Date now{0};
    EXPECT_EQ(PurloNap{Date{1e300}}.remainingLabel(now), "153722867280912930h 7m");
    EXPECT_EQ(PurloNap{Date{std::numeric_limits<double>::infinity()}}.remainingLabel(now),
              "153722867280912930h 7m");
    EXPECT_EQ(PurloNap{Date{1e6}}.remainingLabel(Date{-1e308}), "153722867280912930h 7m");
}

TEST(PurloNap, IndefiniteOnlyAtTheDistantFuture) {
    EXPECT_TRUE(PurloNap{PurloNap::distantFuture}.isIndefinite());
    EXPECT_FALSE(PurloNap{PurloNap::distantFuture.addingSeconds(-1)}.isIndefinite());
    EXPECT_FALSE(PurloNap{}.isIndefinite());
    EXPECT_TRUE(PurloNap{PurloNap::distantFuture}.isActive(Date{1e9}));
    EXPECT_FALSE(PurloNap{Date{100}}.isActive(Date{100}));
}

TEST(PurloNap, DurationsAreTheirMinutes) {
    for (const std::int64_t minutes : {15, 20, 30, 60}) {
        const auto duration = napDuration(minutes);
        ASSERT_TRUE(duration) << minutes;
        EXPECT_EQ(rawValue(*duration), minutes);
        EXPECT_EQ(Json(*duration), Json(minutes));
        EXPECT_EQ(decodeValue<PurloNapDuration>(Json(minutes)), *duration);
    }
    EXPECT_FALSE(napDuration(25));
    EXPECT_THROW(decodeValue<PurloNapDuration>(Json(25)), DecodeError);
    EXPECT_THROW(decodeValue<PurloNapDuration>(Json("15")), DecodeError);
}

TEST(PurloNap, JsonWritesUntilOnlyWhenSet) {
    EXPECT_EQ(Json(PurloNap{}).dump(), "{}");
    EXPECT_EQ(Json(PurloNap{Date{12.5}}).dump(), R"({"until":12.5})");
    EXPECT_EQ(decodeValue<PurloNap>(Json::parse(R"({"until":null})")), PurloNap{});
    EXPECT_EQ(decodeValue<PurloNap>(Json::parse(R"({"until":12.5})")), PurloNap{Date{12.5}});
    EXPECT_THROW(decodeValue<PurloNap>(Json::parse(R"({"until":"soon"})")), DecodeError);
}

} // namespace
} // namespace purlo
