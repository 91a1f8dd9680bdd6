#include "model/PurloDiagnosticsSnapshot.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

PurloDiagnosticsSnapshot sample(double rate, double longest, std::optional<double> memory,
                                double duration = 1.0) {
    return {rate, longest, longest, memory, duration, PurloDiagnosticsLevel::steady};
}

TEST(DiagnosticsSnapshot, CadenceSummaryRoundsHalvesAwayFromZero) {
    EXPECT_EQ(sample(10.2, 0.104, std::nullopt).cadenceSummary(), "10 fps avg / 104 ms max");
    EXPECT_EQ(sample(9.5, 0.25, std::nullopt).cadenceSummary(), "10 fps avg / 250 ms max");
    EXPECT_EQ(sample(10.49, 0.0004, std::nullopt).cadenceSummary(), "10 fps avg / 0 ms max");
    EXPECT_EQ(sample(10, 0.1, std::nullopt, 0).cadenceSummary(), "Collecting sample");
    EXPECT_EQ(PurloDiagnosticsSnapshot().cadenceSummary(), "Collecting sample");
}

TEST(DiagnosticsSnapshot, MemorySummaryNamesTheFootprint) {
    EXPECT_EQ(sample(10, 0.1, 41.5).memorySummary(), "42 MB footprint");
    EXPECT_EQ(sample(10, 0.1, 0.4).memorySummary(), "0 MB footprint");
    EXPECT_EQ(sample(10, 0.1, std::nullopt).memorySummary(), "Unavailable");
}

} // namespace
} // namespace purlo
