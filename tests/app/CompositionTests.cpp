#include "app/PurloComposition.h"
#include "runtime/PurloRuntime.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

// Noon UTC, the same day in every zone from UTC-11 to UTC+11: Friday 6 March 2026 and on.
Date noonInMarch2026(int day) {
    constexpr double march1Noon = 1772366400; // 2026-03-01 12:00 UTC
    return Date::fromUnixSeconds(march1Noon + (day - 1) * 86400.0);
}

TEST(PurloComposition, OrdersLooksAndCountsTheWeekendInTheLocalesTheEnvironmentNames) {
    const struct {
        Environment locale;
        std::vector<std::string> looks; // after saving "Zed", then "Äpple"
        std::array<bool, 3> weekend;    // Friday, Saturday, Sunday
    } cases[] = {
        {{{"LANG", "sv_SE.UTF-8"}}, {"Zed", "\u00c4pple"}, {false, true, true}},
        {{{"LANG", "he_IL.UTF-8"}}, {"\u00c4pple", "Zed"}, {true, true, false}},
        {{{"LANG", "he_IL.UTF-8"}, {"LC_COLLATE", "sv_SE.UTF-8"}},
         {"Zed", "\u00c4pple"},
         {true, true, false}},
        {{{"LC_ALL", "sv_SE.UTF-8"}, {"LANG", "he_IL.UTF-8"}},
         {"Zed", "\u00c4pple"},
         {false, true, true}},
    };
    for (std::size_t row = 0; row < std::size(cases); ++row) {
        const auto& [locale, looks, weekend] = cases[row];
        const testing::TemporaryFolder folder;
        Environment environment = locale;
        environment.emplace("HOME", folder.path().string());
        PurloComposition composition(environment, folder / "purlo");
        PurloRuntime& runtime = composition.runtime();
        runtime.saveCatProfile("Zed");
        runtime.saveCatProfile("\u00c4pple");
        std::vector<std::string> names;
        for (const CatProfile& profile : runtime.settings()->savedCatProfiles) {
            names.push_back(profile.name);
        }
        EXPECT_EQ(names, looks) << "row " << row;
        for (int day = 0; day < 3; ++day) {
            EXPECT_EQ(composition.calendar().isWeekend(noonInMarch2026(6 + day)), weekend[day])
                << "row " << row << ", March " << 6 + day;
        }
    }
}

} // namespace
} // namespace purlo
