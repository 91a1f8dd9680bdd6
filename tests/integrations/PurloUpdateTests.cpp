#include "integrations/PurloUpdateActions.h"
#include "integrations/VersionComparison.h"
#include "tests/integrations/UpdateManifestSamples.h"
#include "tests/integrations/UpdateResultPrinters.h"
#include "tests/support/ManualEventLoop.h"
#include "tests/support/NestedJson.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::manifestAt;
using testing::validManifestJson;
using Rule = PurloUpdateManifestRule;

// The sample manifest with some keys replaced, decoded.
std::optional<PurloUpdateManifest> decoded(const Json& changes) {
    Json json = validManifestJson();
    json.update(changes);
    return decodeUpdateManifest(json.dump());
}

TEST(PurloUpdateManifest, RulesAreCheckedInOrderEachAtItsEdgeAndLinksLeadOnlyToReleaseHosts) {
    std::string accented; // 64 characters as a reader counts them
    for (int i = 0; i < 64; ++i) {
        accented += "e\u0301";
    }
    const auto link = [](const char* url) {
        return Json{{"downloadURL", url}};
    };
    const std::pair<Json, std::optional<Rule>> cases[] = {
        {Json::object(), std::nullopt},
        {{{"schemaVersion", 2}}, Rule::schemaVersion},
        {{{"appName", "purlo"}}, Rule::appName},
        {{{"manualUpdateOnly", false}}, Rule::manualUpdateOnly},
        {{{"artifactFileName", "Purlo-2.0.DMG"}, {"checksumFileName", "Purlo-2.0.DMG.sha256"}},
         Rule::artifactFileName},
        {{{"checksumFileName", "Purlo-2.0.sha256"}}, Rule::checksumFileName},
        {{{"artifactSHA256", std::string(63, 'a')}}, Rule::artifactSHA256},
        {{{"artifactSHA256", std::string(65, 'a')}}, Rule::artifactSHA256},
        {{{"artifactSHA256", accented}}, std::nullopt},
        {{{"artifactSizeBytes", 0}}, Rule::artifactSizeBytes},
        {{{"downloadURL", nullptr}}, Rule::downloadURL},
        // With several rules broken, the first in order is the one reported.
        {{{"schemaVersion", 2}, {"appName", "x"}, {"artifactSizeBytes", 0}}, Rule::schemaVersion},
        {{{"artifactSHA256", "short"}, {"artifactSizeBytes", 0}}, Rule::artifactSHA256},
        {link("https://downloads.purlo.example/downloads/Purlo-2.0.dmg"), std::nullopt},
        {link("https://purlo.example/downloads/Purlo-2.0.dmg"), std::nullopt},
        {link("https://DOWNLOADS.Purlo.Example/Purlo-2.0.dmg"), std::nullopt},
        {link("HTTPS://downloads.purlo.example/Purlo-2.0.dmg"), Rule::downloadURL},
        {link("https://purlo.example/Purlo-2.0.dmg"), Rule::downloadURL},
        {link("https://downloads.purlo.example/purlo-2.0.dmg"), Rule::downloadURL},
        {link("https://purlo.example/downloads%2FPurlo-2.0.dmg"), Rule::downloadURL},
        {link("https://evil.test/Purlo-2.0.dmg"), Rule::downloadURL},
        {link("https://downloads.purlo.example.evil.test/Purlo-2.0.dmg"), Rule::downloadURL},
        {link("https://downloads.purlo.example@evil.test/Purlo-2.0.dmg"), Rule::downloadURL},
    };
    for (const auto& [changes, rule] : cases) {
        EXPECT_EQ(firstBrokenRule(decoded(changes).value_or(PurloUpdateManifest{})), rule)
            << changes.dump();
    }
}

TEST(PurloUpdateManifest, DecodesOnlyCompleteDocumentsOfTheRightTypes) {
    const Json sample = validManifestJson();
    for (const auto& [key, value] : sample.items()) {
        Json missing = sample;
        missing.erase(key);
        EXPECT_EQ(decodeUpdateManifest(missing.dump()).has_value(), key == "downloadURL") << key;
        EXPECT_FALSE(decoded({{key, value.is_string() ? Json(7) : Json("1")}})) << key;
    }
    // Text that is no URL fails the whole document.
    for (const char* link : {"", "https://x.test/a b", "https://x.test/%zz", "https://x.test/<a>",
                             "https://\u00e9.test/"}) {
        EXPECT_FALSE(decoded({{"downloadURL", link}})) << link;
    }
    const std::size_t depths[] = {maximumJsonDepth, maximumJsonDepth + 1, 10'000, 50'000};
    for (const std::size_t depth : depths) {
        EXPECT_EQ(decodeUpdateManifest(testing::withNesting(sample.dump(), depth)).has_value(),
                  depth == maximumJsonDepth)
            << depth;
    }
}

TEST(VersionComparison, ComparesDottedNumbersInOrder) {
    // Digits other than ASCII read as 0.
    const std::tuple<const char*, const char*, int> cases[] = {
        {"1.10", "1.9", 1},  {"1.2", "1.2.0", 0},    {"2.0b3", "2.0", 0},
        {"2.1b3", "2.0", 1}, {"1..2", "1.2", 0},     {".1.2.", "1.2", 0},
        {"", "0", 0},        {"", "0.0.1", -1},      {"Unavailable", "0.1", -1},
        {"-1", "0", 0},      {"1.\u0663", "1.0", 0}, {"1.5\u00bd", "1.0", 0},
    };
    for (const auto& [a, b, expected] : cases) {
        EXPECT_EQ(compareVersions(a, b), expected) << a << " vs " << b;
        EXPECT_EQ(compareVersions(b, a), -expected) << b << " vs " << a;
    }
    EXPECT_EQ(compareVersions("1.99999999999999999999", "1.0"), 0) << "too large for 64 bits";
    EXPECT_EQ(compareVersions("9223372036854775807", "9223372036854775806"), 1);
}

const std::string refused = "The update service is unavailable. Try again later.";
const std::string unreadable = "Purlo could not read the update information. Try again later.";
const std::string ready = "Purlo 2.0 (200) is ready to download.";

class UpdateCheck : public ::testing::Test {
protected:
    void press(PurloAutomaticUpdating& updater, PurloUpdateChecker& checker,
               const PurloAppInfo& running = {"Purlo", "1.4", "49"}) {
        checkForUpdates(updater, checker, state, [this, running] {
            ++appInfoReads;
            return running;
        });
    }
    // The text a check of the manifest at url leaves, answered with response when sent.
    std::string checked(const std::string& url, const PurloUpdateTransportResult& response) {
        PurloUpdateChecker checker(manifestAt(url), transport, loop);
        reply = response;
        press(noFramework, checker);
        loop.runPending();
        return state->statusText();
    }

    // Records each request and answers it with reply, or keeps it waiting without one.
    std::optional<PurloUpdateTransportResult> reply;
    std::vector<PurloUpdateRequest> requests;
    std::vector<PurloUpdateTransportCompletion> pending;
    const PurloUpdateTransport transport = [this](const PurloUpdateRequest& request,
                                                  PurloUpdateTransportCompletion completion) {
        requests.push_back(request);
        reply ? completion(*reply) : pending.push_back(std::move(completion));
    };
    testing::ManualEventLoop loop;
    PurloSparkleUpdater noFramework{
        {{"SUFeedURL", "https://purlo.example/a.xml"}, {"SUPublicEDKey", "k="}}};
    Published<PurloUpdateCheckState> state;
    int appInfoReads = 0;
    const std::string manifestURL = "https://purlo.example/update.json";
    const PurloUpdateResponse valid{200, validManifestJson().dump()};
};

TEST_F(UpdateCheck, SendsOneGetOnlyToAConfiguredHttpsAddress) {
    for (const char* url : {"", " \n\t", "$(URL)", "https://x.test/${NAME}", "not a url"}) {
        EXPECT_EQ(checked(url, valid), "Update checking is not available in this copy of Purlo.")
            << url;
    }
    for (const char* url : {"http://x.test/u", "HTTPS://x.test/u", "https:///u", "https:u"}) {
        EXPECT_EQ(checked(url, valid), "Purlo blocked an unsafe update connection.") << url;
    }
    EXPECT_EQ(checked("https://x.test/placeholder.json", valid), ready);
    EXPECT_EQ(checked("  https://x.test/u.json\n", valid), ready);
    EXPECT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests.back().url.text(), "https://x.test/u.json");
}

TEST_F(UpdateCheck, RefusesAnswersThatAreNoManifest) {
    Json broken = validManifestJson();
    broken["artifactSizeBytes"] = 0;
    for (const int status : {304, 404, 500, 199, 300}) {
        EXPECT_EQ(checked(manifestURL, PurloUpdateResponse{status, valid.body}), refused) << status;
    }
    const std::pair<std::optional<int>, std::string> unreadables[] = {
        {200, "<!doctype html><html><body>Welcome</body></html>"},
        {200, ""},
        {299, broken.dump()},
        {std::nullopt, valid.body},
        {200, valid.body + std::string(PurloUpdateChecker::maximumManifestBytes, ' ')},
    };
    for (const auto& [status, body] : unreadables) {
        EXPECT_EQ(checked(manifestURL, PurloUpdateResponse{status, body}), unreadable) << body;
    }
    EXPECT_EQ(checked(manifestURL, PurloUpdateCheckFailure{PurloUpdateTransportError{"Down."}}),
              "Purlo could not check for updates. Try again later.");
}

TEST_F(UpdateCheck, TwoQuickChecksSendOneRequestAndALateAnswerIsDropped) {
    std::vector<std::string> seen;
    const auto subscription =
        state.subscribe([&](const PurloUpdateCheckState& s) { seen.push_back(s.statusText()); });
    auto checker = std::make_unique<PurloUpdateChecker>(manifestAt(manifestURL), transport, loop);
    press(noFramework, *checker, {"Purlo", "2.0", "199"});
    press(noFramework, *checker, {"Purlo", "2.0", "199"});
    EXPECT_EQ(requests.size(), 1u);
    EXPECT_FALSE(canCheckForUpdates(noFramework, *state));
    pending[0](valid);
    EXPECT_EQ(seen.size(), 2u) << "the answer waits for the event loop";
    loop.runPending();
    EXPECT_TRUE(canCheckForUpdates(noFramework, *state));
    // A newer version wins over any build, and the manifest's own version is shown.
    press(noFramework, *checker, {"Purlo", "2.1", "1"});
    pending[1](valid);
    loop.runPending();
    EXPECT_EQ(seen, (std::vector<std::string>{
                        "Check for updates whenever you like.", "Checking for updates.", ready,
                        "Checking for updates.", "Purlo 2.0 (200) is up to date."}));
    EXPECT_EQ(appInfoReads, 2) << "the running release is read afresh for every check";

    // Answers that are delivered, or come, after the checker is gone are dropped.
    press(noFramework, *checker);
    checker->check({"Purlo", "2.0", "0"}, [&](const auto&) { seen.push_back("answered"); });
    pending[2](valid);
    checker.reset();
    pending[3](valid);
    loop.runPending();
    EXPECT_EQ(seen.back(), "Checking for updates.");
}

} // namespace
} // namespace purlo
