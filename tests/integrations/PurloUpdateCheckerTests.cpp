#include "integrations/PurloUpdateChecker.h"
#include "tests/integrations/FakeUpdateTransport.h"
#include "tests/integrations/UpdateManifestSamples.h"
#include "tests/support/ManualEventLoop.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::FakeUpdateTransport;
using testing::ManualEventLoop;
using testing::validManifest;
using testing::validManifestJson;

PurloUpdateCheckFailure checkError(PurloUpdateCheckError error) {
    return error;
}

class UpdateCheckerTest : public ::testing::Test {
protected:
    PurloUpdateChecker checker(const char* manifestURL = "https://purlo.example/update.json") {
        return {
            PurloUpdateManifestConfiguration::fromBundle({{"PurloUpdateManifestURL", manifestURL}}),
            transport.transport(), loop};
    }

    // Starts a check against running; its outcome lands in outcome.
    void start(PurloUpdateChecker& subject, const PurloAppInfo& running = {"Purlo", "1.4", "49"}) {
        outcome.reset();
        subject.check(running, [this](const PurloUpdateCheckOutcome& o) { outcome = o; });
    }

    std::optional<PurloUpdateCheckOutcome>
    answered(PurloUpdateResponse response, const PurloAppInfo& running = {"Purlo", "1.4", "49"}) {
        auto subject = checker();
        start(subject, running);
        transport.answer(std::move(response));
        loop.runPending();
        return outcome;
    }

    ManualEventLoop loop;
    FakeUpdateTransport transport;
    std::optional<PurloUpdateCheckOutcome> outcome;
};

TEST_F(UpdateCheckerTest, ReadsTheManifestURLFromTheInformationKeys) {
    const std::pair<Bundle::Information, std::optional<std::string>> cases[] = {
        {{}, std::nullopt},
        {{{"PurloUpdateManifestURL", " \n\t"}}, std::nullopt},
        {{{"PurloUpdateManifestURL", "$(PURLO_MANIFEST_URL)"}}, std::nullopt},
        {{{"PurloUpdateManifestURL", "https://x.test/${NAME}.json"}}, std::nullopt},
        {{{"PurloUpdateManifestURL", "not a url"}}, std::nullopt},
        {{{"PurloUpdateManifestURL", "  https://x.test/u.json\n"}}, "https://x.test/u.json"},
        {{{"PurloUpdateManifestURL", "https://x.test/placeholder.json"}},
         "https://x.test/placeholder.json"},
    };
    for (const auto& [information, expected] : cases) {
        const auto configuration = PurloUpdateManifestConfiguration::fromBundle(information);
        const auto text = configuration.manifestURL
                              ? std::optional<std::string>(configuration.manifestURL->text())
                              : std::nullopt;
        EXPECT_EQ(text, expected);
    }
}

TEST_F(UpdateCheckerTest, SendsNothingWithoutASafeEndpoint) {
    const std::pair<const char*, PurloUpdateCheckError> cases[] = {
        {"", PurloUpdateCheckError::manifestNotConfigured()},
        {"$(PURLO_MANIFEST_URL)", PurloUpdateCheckError::manifestNotConfigured()},
        {"http://purlo.example/update.json", PurloUpdateCheckError::insecureEndpoint()},
        {"HTTPS://purlo.example/update.json", PurloUpdateCheckError::insecureEndpoint()},
        {"https:///update.json", PurloUpdateCheckError::insecureEndpoint()},
        {"https:update.json", PurloUpdateCheckError::insecureEndpoint()},
    };
    for (const auto& [url, error] : cases) {
        SCOPED_TRACE(url);
        auto subject = checker(url);
        start(subject);
        EXPECT_FALSE(outcome) << "the answer waits for the event loop";
        loop.runPending();
        EXPECT_EQ(outcome, PurloUpdateCheckOutcome(checkError(error)));
    }
    EXPECT_TRUE(transport.requests().empty());
    EXPECT_EQ(PurloUpdateCheckError::manifestNotConfigured().description(),
              "Website update checking is not connected in this build.");
    EXPECT_EQ(PurloUpdateCheckError::insecureEndpoint().description(),
              "The update manifest must use HTTPS.");
}

TEST_F(UpdateCheckerTest, RefusesAnswersThatAreNoManifest) {
    const std::string manifest = validManifestJson().dump();
    Json broken = validManifestJson();
    broken["artifactSizeBytes"] = 0;
    const std::pair<std::optional<int>, std::string> cases[] = {
        {304, manifest},
        {404, manifest},
        {500, manifest},
        {199, manifest},
        {300, manifest},
        {200, "<!doctype html><html><body>Welcome</body></html>"},
        {200, ""},
        {299, broken.dump()},
        {std::nullopt, manifest},
        {200, manifest + std::string(PurloUpdateChecker::maximumManifestBytes, ' ')},
    };
    for (const auto& [status, body] : cases) {
        SCOPED_TRACE(status.value_or(-1));
        const auto expected = status && (*status < 200 || *status > 299)
                                  ? PurloUpdateCheckError::rejected(*status)
                                  : PurloUpdateCheckError::invalidResponse();
        EXPECT_EQ(answered({status, body}), PurloUpdateCheckOutcome(checkError(expected)));
    }
    EXPECT_EQ(PurloUpdateCheckError::rejected(404).description(),
              "The website rejected the update check with status 404.");
    EXPECT_EQ(PurloUpdateCheckError::invalidResponse().description(),
              "The website returned an update manifest Purlo could not read.");
}

TEST_F(UpdateCheckerTest, ComparesVersionThenBuild) {
    struct Case {
        PurloAppInfo running;
        PurloUpdateCheckResult::Kind expected;
    };
    const Case cases[] = {
        {{"Purlo", "1.4", "49"}, PurloUpdateCheckResult::Kind::updateAvailable},
        {{"Purlo", "1.4", "50"}, PurloUpdateCheckResult::Kind::upToDate},
        {{"Purlo", "1.4.0", "51"}, PurloUpdateCheckResult::Kind::upToDate},
        {{"Purlo", "1.5", "1"}, PurloUpdateCheckResult::Kind::upToDate},
        {{"Purlo", "1.3", "99"}, PurloUpdateCheckResult::Kind::updateAvailable},
        {{"Purlo", "Unavailable", "Unavailable"}, PurloUpdateCheckResult::Kind::updateAvailable},
    };
    const std::string body = validManifestJson("1.4", "50").dump();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.running.version + " (" + c.running.build + ")");
        EXPECT_EQ(answered({200, body}, c.running), PurloUpdateCheckOutcome(PurloUpdateCheckResult{
                                                        c.expected, validManifest("1.4", "50")}));
    }
}

TEST_F(UpdateCheckerTest, PassesTransportFailuresOnUnchanged) {
    auto subject = checker();
    start(subject);
    const PurloUpdateCheckFailure failure = PurloUpdateTransportError{"The network is down."};
    transport.answer(failure);
    EXPECT_FALSE(outcome);
    loop.runPending();
    EXPECT_EQ(outcome, PurloUpdateCheckOutcome(failure));
}

TEST_F(UpdateCheckerTest, AnAnswerAfterTheCheckerIsGoneIsDropped) {
    {
        auto subject = checker();
        start(subject);
    }
    transport.answer(200, validManifestJson().dump());
    loop.runPending();
    {
        auto subject = checker();
        start(subject);
        transport.answer(200, validManifestJson().dump());
    }
    loop.runPending();
    EXPECT_FALSE(outcome);
}

} // namespace
} // namespace purlo
