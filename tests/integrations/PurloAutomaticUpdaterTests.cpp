#include "integrations/PurloAutomaticUpdater.h"
#include "tests/integrations/FakeUpdaterController.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::FakeUpdaterController;
using testing::usableFeedAndKey;

TEST(PurloAutomaticUpdater, UsableValuesAreTrimmedAndFreeOfTemplateMarkers) {
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"https://purlo.example/appcast.xml", "https://purlo.example/appcast.xml"},
        {"  key=\n", "key="},
        {"", std::nullopt},
        {" \t\n", std::nullopt},
        {"$(SPARKLE_FEED_URL)", std::nullopt},
        {"placeholder", std::nullopt},
        {"YOUR-PlaceHolder-KEY", std::nullopt},
        {"BASE64_SPARKLE_PUBLIC_KEY", std::nullopt},
        {"base64_sparkle", std::nullopt},
        {"place holder", "place holder"},
    };
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(isUsableSparkleValue("SUFeedURL", {{"SUFeedURL", value}}), expected) << value;
    }
    EXPECT_EQ(isUsableSparkleValue("SUFeedURL", {}), std::nullopt);
    EXPECT_EQ(isUsableSparkleValue("SUFeedURL", {{"SUPublicEDKey", "key"}}), std::nullopt);
}

TEST(PurloAutomaticUpdater, MakesAControllerOnlyForAUsableFeedAndKey) {
    struct Case {
        const char* what;
        Bundle::Information information;
        bool available;
    };
    const auto with = [](const char* key, const char* value) {
        Bundle::Information information = usableFeedAndKey();
        information[key] = value;
        return information;
    };
    const auto without = [](const char* key) {
        Bundle::Information information = usableFeedAndKey();
        information.erase(key);
        return information;
    };
    const Case cases[] = {
        {"both usable", usableFeedAndKey(), true},
        {"no key", without("SUPublicEDKey"), false},
        {"empty key", with("SUPublicEDKey", ""), false},
        {"key still a build variable", with("SUPublicEDKey", "$(SPARKLE_KEY)"), false},
        {"no feed", without("SUFeedURL"), false},
        {"feed placeholder", with("SUFeedURL", "https://placeholder.test/feed"), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeUpdaterController::Flags flags;
        int made = 0;
        const PurloSparkleUpdater updater(c.information, [&] {
            ++made;
            return std::make_unique<FakeUpdaterController>(flags);
        });
        EXPECT_EQ(updater.isAvailable(), c.available);
        EXPECT_EQ(made, c.available ? 1 : 0);
    }
}

TEST(PurloAutomaticUpdater, WithoutAFrameworkEverythingReadsFalseAndDoesNothing) {
    PurloSparkleUpdater updater(usableFeedAndKey());
    updater.setAutomaticallyChecksForUpdates(true);
    updater.setAutomaticallyDownloadsUpdates(true);
    updater.checkForUpdates();
    EXPECT_FALSE(updater.isAvailable());
    EXPECT_FALSE(updater.canCheckForUpdates());
    EXPECT_FALSE(updater.automaticallyChecksForUpdates());
    EXPECT_FALSE(updater.automaticallyDownloadsUpdates());
    EXPECT_FALSE(updater.allowsAutomaticUpdates());
}

} // namespace
} // namespace purlo
