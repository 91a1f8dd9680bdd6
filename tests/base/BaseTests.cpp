#include "base/NaturalOrder.h"
#include "base/UnicodeText.h"

#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <thread>
#include <tuple>
#include <vector>

namespace purlo {
namespace {

TEST(UnicodeText, CanonicallyEqualTextsAreOneTextHoweverTyped) {
    const std::tuple<std::string, std::string, bool> cases[] = {
        {"Jos\u00e9", "Jose\u0301", true},
        {"Jos\u00e9", "Jose", false},
        {"\u212B", "\u00C5", true},               // the angstrom sign is the letter
        {"q\u0323\u0307", "q\u0307\u0323", true}, // marks of different classes in any order
        {"\uFB01", "fi", false},                  // a ligature is only compatible
        {"", "", true},
        {"Jose\u0301\xff", "Jos\u00e9\xff", true}, // invalid bytes stay as they are
        {"Jose\u0301\xff", "Jos\u00e9\xfe", false},
    };
    for (const auto& [left, right, equal] : cases) {
        EXPECT_EQ(canonicallyEqual(left, right), equal) << left << " / " << right;
        EXPECT_EQ(canonicallyEqual(right, left), equal) << right << " / " << left;
    }
}

TEST(NaturalOrder, FollowsTheLanguageIgnoresCaseAndCountsDigits) {
    const std::tuple<std::string_view, std::string_view, std::string_view, int> cases[] = {
        {"sv_SE", "\u00c4pple", "Zed", 1},      {"de_DE", "\u00c4pple", "Zed", -1},
        {"", "\u00c4pple", "Zed", -1},          {"xx_XX", "\u00c4pple", "Zed", -1},
        {"sv_SE", "look 2", "look 10", -1},     {"en_US", "beta", "BETA", 0},
        {"en_US", "Eclair", "\u00c9clair", -1}, {"he_IL", "Mochi 9", "mochi 10", -1},
    };
    for (const auto& [locale, left, right, order] : cases) {
        EXPECT_EQ(NaturalOrder(locale).compare(left, right), order) << locale << ": " << left;
        EXPECT_EQ(NaturalOrder(locale).compare(right, left), -order) << locale << ": " << right;
    }
}

// The rules load at the first comparison, which may come from copies on several threads
// at once: every one of them gets the language's order, none the plain byte order.
TEST(NaturalOrder, CopiesFirstUsedOnSeveralThreadsAllFollowTheLanguage) {
    const NaturalOrder swedish("sv_SE");
    std::vector<int> orders(8);
    std::vector<std::thread> threads;
    for (int& order : orders) {
        threads.emplace_back(
            [copy = swedish, &order] { order = copy.compare("\u00c4pple", "Zed"); });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (const int order : orders) {
        EXPECT_EQ(order, 1);
    }
    EXPECT_EQ(swedish.compare("look 10", "Look 2"), 1);
}

} // namespace
} // namespace purlo
