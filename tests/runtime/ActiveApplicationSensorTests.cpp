#include "runtime/ActiveApplicationSensor.h"
#include "tests/support/FakeSensorSources.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::FakeActiveAppSource;

struct SensorCase {
    const char* name;
    std::optional<FrontmostApplication> application;
    ActiveAppSnapshot expected;
};

TEST(ActiveApplicationSensor, FallsBackToUnknownForWhateverIsMissing) {
    const std::vector<SensorCase> cases{
        {"nothing in front", std::nullopt, {"Unknown", std::nullopt}},
        {"name and identifier",
         FrontmostApplication{"Code", "code"},
         {"Code", std::string("code")}},
        {"no name keeps the identifier",
         FrontmostApplication{std::nullopt, "kitty"},
         {"Unknown", std::string("kitty")}},
        {"no identifier", FrontmostApplication{"Firefox", std::nullopt}, {"Firefox", std::nullopt}},
        {"blank texts are missing ones", FrontmostApplication{"", ""}, {"Unknown", std::nullopt}},
    };
    for (const auto& c : cases) {
        FakeActiveAppSource source;
        source.application = c.application;
        EXPECT_EQ(ActiveApplicationSensor(source).sample(), c.expected) << c.name;
    }
}

} // namespace
} // namespace purlo
