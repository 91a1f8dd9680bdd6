#include "integrations/VersionComparison.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

struct VersionCase {
    const char* a;
    const char* b;
    int expected;
};

TEST(VersionComparison, ComparesDottedNumbersInOrder) {
    const VersionCase cases[] = {
        {"1.10", "1.9", 1},
        {"1.9", "1.10", -1},
        {"1.2", "1.2.0", 0},
        {"2.0", "2", 0},
        {"2.0b3", "2.0", 0},
        {"2.1b3", "2.0", 1},
        {"beta", "0", 0},
        {"1..2", "1.2", 0},
        {".1.2.", "1.2", 0},
        {"", "0", 0},
        {"", "", 0},
        {"", "0.0.1", -1},
        {"Unavailable", "0.1", -1},
        // Too large for 64 bits reads as 0; the largest value still reads as itself.
        {"1.99999999999999999999", "1.0", 0},
        {"9223372036854775807", "9223372036854775806", 1},
        // Numeric but not ASCII digits: 0.
        {"1.\u0663", "1.0", 0},
        {"1.\u00bd", "1.0", 0},
        {"1.5\u00bd", "1.0", 0},
        {"-1", "0", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(compareVersions(c.a, c.b), c.expected) << c.a << " vs " << c.b;
        EXPECT_EQ(compareVersions(c.b, c.a), -c.expected) << c.b << " vs " << c.a;
    }
}

TEST(VersionComparison, DropsEmptySegments) {
    EXPECT_EQ(versionComponents("1..2."), (std::vector<std::int64_t>{1, 2}));
    EXPECT_TRUE(versionComponents("").empty());
    EXPECT_EQ(versionComponents("10a.x.07"), (std::vector<std::int64_t>{10, 0, 7}));
}

} // namespace
} // namespace purlo
