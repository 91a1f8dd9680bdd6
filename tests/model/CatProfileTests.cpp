#include "model/CatProfile.h"
#include "model/UnicodeText.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

std::optional<CatProfile> decode(std::string_view bytes) {
    return decodeBytes(bytes, [](const Json& json) { return decodeValue<CatProfile>(json); });
}

TEST(CatProfile, SanitizedName) {
    EXPECT_EQ(CatProfile::sanitizedName("  Mochi \n"), "Mochi");
    EXPECT_EQ(CatProfile::sanitizedName("Mochi  Bean"), "Mochi  Bean");
    EXPECT_EQ(CatProfile::sanitizedName(""), "Purlo");
    EXPECT_EQ(CatProfile::sanitizedName(" \n\t\u3000"), "Purlo");
}

TEST(CatProfile, DecodesTolerantlyWithItsOwnFallbacks) {
    const auto ebene = decode(R"({"name":"Ébène"})");
    ASSERT_TRUE(ebene);
    EXPECT_EQ(ebene->id, "ebene");
    EXPECT_EQ(ebene->name, "Ébène");
    EXPECT_EQ(ebene->skin, CatSkinPreset::calico);
    EXPECT_EQ(ebene->pattern, CatPatternPreset::classic);
    EXPECT_EQ(ebene->eyeColor, CatEyeColorPreset::cocoa);
    EXPECT_EQ(ebene->accessory, CatAccessoryPreset::none);
    EXPECT_EQ(ebene->companionScale, 1.0);
    EXPECT_EQ(ebene->phrasePack, PurloPhrasePack::soft);

    const auto empty = decode("{}");
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->name, "Purlo");
    EXPECT_EQ(empty->id, "purlo");

    const auto nulls = decode(R"({"name":null,"skin":null})");
    ASSERT_TRUE(nulls);
    EXPECT_EQ(nulls->name, "Purlo");
    EXPECT_EQ(nulls->skin, CatSkinPreset::calico);

    const auto emptyId = decode(R"({"id":"","name":"Mochi"})");
    ASSERT_TRUE(emptyId);
    EXPECT_EQ(emptyId->id, "");
}

TEST(CatProfile, ScaleIsClampedWhenDecoded) {
    const std::pair<std::string, double> cases[] = {
        {"0.5", 0.75}, {"1.5", 1.2}, {"0.9", 0.9}, {"0.75", 0.75}, {"1.2", 1.2}};
    for (const auto& [stored, scale] : cases) {
        const auto profile = decode(R"({"companionScale":)" + stored + "}");
        ASSERT_TRUE(profile) << stored;
        EXPECT_EQ(profile->companionScale, scale) << stored;
    }
}

TEST(CatProfile, WrongTypesAndUnknownRawValuesFail) {
    EXPECT_FALSE(decode(R"({"pattern":"Stripes"})"));
    EXPECT_FALSE(decode(R"({"name":7})"));
    EXPECT_FALSE(decode(R"({"companionScale":"1"})"));
    EXPECT_FALSE(decode(R"([])"));
}

TEST(CatProfile, RoundTripsThroughJson) {
    const CatProfile profile{"mochi",
                             "Mochi",
                             CatSkinPreset::orange,
                             CatPatternPreset::spots,
                             CatEyeColorPreset::violet,
                             CatAccessoryPreset::crown,
                             0.9,
                             PurloPhrasePack::playful};
    EXPECT_EQ(decodeValue<CatProfile>(Json(profile)), profile);
}

TEST(CatProfile, Summary) {
    CatProfile profile;
    profile.skin = CatSkinPreset::calico;
    profile.pattern = CatPatternPreset::stripes;
    profile.eyeColor = CatEyeColorPreset::honey;
    profile.accessory = CatAccessoryPreset::bell;
    EXPECT_EQ(profile.summary(), "Calico stripes, Honey eyes, Bell, 100%, Soft");

    profile.skin = CatSkinPreset::tuxedo;
    profile.pattern = CatPatternPreset::tuxedo;
    profile.eyeColor = CatEyeColorPreset::mint;
    profile.accessory = CatAccessoryPreset::none;
    profile.companionScale = 1.2;
    profile.phrasePack = PurloPhrasePack::quiet;
    EXPECT_EQ(profile.summary(), "Tuxedo tuxedo, Mint eyes, no accessory, 120%, Quiet");

    const std::pair<double, std::string> percents[] = {
        {0.805, "81%"}, {0.7, "75%"}, {1.5, "120%"}, {0.75, "75%"}};
    for (const auto& [scale, percent] : percents) {
        profile.companionScale = scale;
        EXPECT_NE(profile.summary().find(", " + percent + ","), std::string::npos) << scale;
    }
}

TEST(UnicodeText, FoldingAndOrdering) {
    EXPECT_EQ(foldedCaseAndDiacritics("Ébène"), "ebene");
    EXPECT_EQ(foldedCaseAndDiacritics("STRAßE"), "strasse");
    EXPECT_EQ(trimmedWhitespace("\u2029 a b \u0085"), "a b");
    EXPECT_LT(naturalCompare("look 2", "look 10"), 0);
    EXPECT_EQ(naturalCompare("Mochi", "mochi"), 0);
    EXPECT_GT(naturalCompare("b", "A"), 0);
}

} // namespace
} // namespace purlo
