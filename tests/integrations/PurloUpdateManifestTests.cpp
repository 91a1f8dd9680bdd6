#include "integrations/PurloUpdateManifest.h"
#include "tests/integrations/UpdateManifestSamples.h"

#include <functional>
#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::validManifest;
using testing::validManifestJson;
using Rule = PurloUpdateManifestRule;

struct RuleCase {
    const char* what;
    std::function<void(PurloUpdateManifest&)> change;
    std::optional<Rule> broken;
};

TEST(PurloUpdateManifest, EachRuleHoldsAtItsEdge) {
    const RuleCase cases[] = {
        {"the sample", [](auto&) {}, std::nullopt},
        {"schema 2", [](auto& m) { m.schemaVersion = 2; }, Rule::schemaVersion},
        {"schema 0", [](auto& m) { m.schemaVersion = 0; }, Rule::schemaVersion},
        {"app name in lower case", [](auto& m) { m.appName = "purlo"; }, Rule::appName},
        {"app name with a space", [](auto& m) { m.appName = "Purlo "; }, Rule::appName},
        {"not manual only", [](auto& m) { m.manualUpdateOnly = false; }, Rule::manualUpdateOnly},
        {".DMG in capitals",
         [](auto& m) {
             m.artifactFileName = "Purlo-2.0.DMG";
             m.checksumFileName = "Purlo-2.0.DMG.sha256";
         },
         Rule::artifactFileName},
        {"a zip",
         [](auto& m) {
             m.artifactFileName = "Purlo-2.0.zip";
             m.checksumFileName = "Purlo-2.0.zip.sha256";
         },
         Rule::artifactFileName},
        {"checksum name without .dmg", [](auto& m) { m.checksumFileName = "Purlo-2.0.sha256"; },
         Rule::checksumFileName},
        {"checksum name in other case",
         [](auto& m) { m.checksumFileName = "purlo-2.0.dmg.sha256"; }, Rule::checksumFileName},
        {"63-character digest", [](auto& m) { m.artifactSHA256 = std::string(63, 'a'); },
         Rule::artifactSHA256},
        {"65-character digest", [](auto& m) { m.artifactSHA256 = std::string(65, 'a'); },
         Rule::artifactSHA256},
        {"digest of any 64 characters", [](auto& m) { m.artifactSHA256 = std::string(64, '-'); },
         std::nullopt},
        {"digest counted as a reader counts",
         [](auto& m) {
             m.artifactSHA256.clear();
             for (int i = 0; i < 64; ++i) {
                 m.artifactSHA256 += "e\u0301";
             }
         },
         std::nullopt},
        {"size 0", [](auto& m) { m.artifactSizeBytes = 0; }, Rule::artifactSizeBytes},
        {"size -1", [](auto& m) { m.artifactSizeBytes = -1; }, Rule::artifactSizeBytes},
        {"no download URL", [](auto& m) { m.downloadURL.reset(); }, Rule::downloadURL},
        // With several rules broken, the first in order is the one reported.
        {"schema and name and size",
         [](auto& m) {
             m.schemaVersion = 2;
             m.appName = "x";
             m.artifactSizeBytes = 0;
         },
         Rule::schemaVersion},
        {"checksum and digest",
         [](auto& m) {
             m.checksumFileName = "x";
             m.artifactSHA256 = "short";
         },
         Rule::checksumFileName},
        {"digest and size",
         [](auto& m) {
             m.artifactSHA256 = "short";
             m.artifactSizeBytes = 0;
         },
         Rule::artifactSHA256},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PurloUpdateManifest manifest = validManifest();
        c.change(manifest);
        EXPECT_EQ(firstBrokenRule(manifest), c.broken);
        EXPECT_EQ(validateUpdateManifest(manifest), !c.broken.has_value());
    }
}

struct DownloadCase {
    const char* url;
    bool allowed;
};

TEST(PurloUpdateManifest, DownloadLinksOnlyLeadToTheReleaseHosts) {
    const DownloadCase cases[] = {
        {"https://downloads.purlo.example/Purlo-2.0.dmg", true},
        {"https://downloads.purlo.example/downloads/Purlo-2.0.dmg", true},
        {"https://purlo.example/downloads/Purlo-2.0.dmg", true},
        {"https://www.purlo.example/downloads/Purlo-2.0.dmg", true},
        {"https://purlo.example/Purlo-2.0.dmg", false},
        {"https://DOWNLOADS.Purlo.Example/Purlo-2.0.dmg", true},
        {"HTTPS://downloads.purlo.example/Purlo-2.0.dmg", false},
        {"http://downloads.purlo.example/Purlo-2.0.dmg", false},
        {"https://downloads.purlo.example/purlo-2.0.dmg", false},
        {"https://downloads.purlo.example/other/Purlo-2.0.dmg", false},
        {"https://downloads.purlo.example/Purlo-2.0.dmg/", false},
        {"https://purlo.example/downloads/extra/Purlo-2.0.dmg", false},
        {"https://evil.test/Purlo-2.0.dmg", false},
        {"https://downloads.purlo.example.evil.test/Purlo-2.0.dmg", false},
        {"https://downloads.purlo.example@evil.test/Purlo-2.0.dmg", false},
        // Query, fragment, port and user information are left alone.
        {"https://downloads.purlo.example:8443/Purlo-2.0.dmg?from=app#x", true},
        {"https://someone@purlo.example/downloads/Purlo-2.0.dmg", true},
        {"https://downloads.purlo.example/Purlo%2D2.0.dmg", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url);
        const auto url = Url::parse(c.url);
        ASSERT_TRUE(url);
        EXPECT_EQ(isAllowedDownloadURL(*url, "Purlo-2.0.dmg"), c.allowed);
        PurloUpdateManifest manifest = validManifest();
        manifest.downloadURL = url;
        EXPECT_EQ(manifest.validatedDownloadURL().has_value(), c.allowed);
        EXPECT_EQ(validateUpdateManifest(manifest), c.allowed);
    }
    const auto link = Url::parse("https://downloads.purlo.example/Purlo-2.0.DMG");
    EXPECT_FALSE(isAllowedDownloadURL(*link, "Purlo-2.0.DMG"));
}

TEST(PurloUpdateManifest, DecodesOnlyCompleteDocuments) {
    const auto decode = [](const Json& json) {
        return decodeUpdateManifest(json.dump());
    };
    EXPECT_EQ(decode(validManifestJson()), validManifest());

    for (const char* key : {"schemaVersion", "appName", "bundleIdentifier", "version", "build",
                            "artifactFileName", "artifactSizeBytes", "artifactSHA256",
                            "checksumFileName", "generatedAt", "manualUpdateOnly"}) {
        SCOPED_TRACE(key);
        Json missing = validManifestJson();
        missing.erase(key);
        EXPECT_FALSE(decode(missing));
        Json null = validManifestJson();
        null[key] = nullptr;
        EXPECT_FALSE(decode(null));
    }

    const std::pair<const char*, Json> wrongTypes[] = {
        {"schemaVersion", "1"},  {"schemaVersion", 1.5},
        {"manualUpdateOnly", 1}, {"manualUpdateOnly", "true"},
        {"version", 2},          {"artifactSizeBytes", 18446744073709551615u},
        {"downloadURL", 7},      {"downloadURL", "not a url"},
        {"downloadURL", ""},
    };
    for (const auto& [key, value] : wrongTypes) {
        SCOPED_TRACE(key + (": " + value.dump()));
        Json wrong = validManifestJson();
        wrong[key] = value;
        EXPECT_FALSE(decode(wrong));
    }

    Json extra = validManifestJson();
    extra["releaseNotes"] = Json::array({1, 2});
    extra["appname"] = "Other";
    EXPECT_EQ(decode(extra), validManifest());

    Json nullLink = validManifestJson();
    nullLink["downloadURL"] = nullptr;
    Json absentLink = validManifestJson();
    absentLink.erase("downloadURL");
    for (const Json& document : {nullLink, absentLink}) {
        const auto decoded = decode(document);
        ASSERT_TRUE(decoded);
        EXPECT_FALSE(decoded->downloadURL);
    }

    EXPECT_FALSE(decodeUpdateManifest("<html><body>Not found</body></html>"));
    EXPECT_FALSE(decodeUpdateManifest(""));
    EXPECT_FALSE(decodeUpdateManifest("[]"));
}

TEST(PurloUpdateManifest, EncodingLeavesOutAMissingLink) {
    EXPECT_EQ(decodeUpdateManifest(Json(validManifest()).dump()), validManifest());
    PurloUpdateManifest withoutLink = validManifest();
    withoutLink.downloadURL.reset();
    EXPECT_EQ(Json(withoutLink), [] {
        Json json = validManifestJson();
        json.erase("downloadURL");
        return json;
    }());
}

} // namespace
} // namespace purlo
