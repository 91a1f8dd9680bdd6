#include "model/PurloAppInfo.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::TemporaryFolder;

TEST(AppInfo, ReadsNameVersionAndBuildWithTheirFallbacks) {
    const struct {
        std::string information;
        PurloAppInfo expected;
    } cases[] = {
        {R"({"CFBundleDisplayName":" Purlo Nightly\n","CFBundleName":"Cat",
             "CFBundleShortVersionString":" 1.2.0 ","CFBundleVersion":"\t42"})",
         {"Purlo Nightly", "1.2.0", "42"}},
        {R"({"CFBundleName":"  Cat  ","CFBundleShortVersionString":"1.0"})",
         {"Cat", "1.0", "Unavailable"}},
        // A blank display name still wins over the bundle name.
        {R"({"CFBundleDisplayName":"   ","CFBundleName":"Cat","CFBundleVersion":""})",
         {"Purlo", "Unavailable", "Unavailable"}},
        // Values that are not text count as missing.
        {R"({"CFBundleDisplayName":5,"CFBundleName":"Cat","CFBundleVersion":7})",
         {"Cat", "Unavailable", "Unavailable"}},
        {R"({})", {"Purlo", "Unavailable", "Unavailable"}},
        {R"(["not", "keys"])", {"Purlo", "Unavailable", "Unavailable"}},
        {R"({"CFBundleName":)", {"Purlo", "Unavailable", "Unavailable"}},
    };
    TemporaryFolder folder;
    for (const auto& [information, expected] : cases) {
        SCOPED_TRACE(information);
        testing::writeFile(folder / "Info.json", information);
        EXPECT_EQ(PurloAppInfo(Bundle::fromExecutableFolder(folder.path())), expected);
    }
    EXPECT_EQ(PurloAppInfo(Bundle::fromExecutableFolder(folder / "nowhere")),
              PurloAppInfo("Purlo", "Unavailable", "Unavailable"));
}

} // namespace
} // namespace purlo
