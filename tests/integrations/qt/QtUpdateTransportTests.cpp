#include "integrations/PurloUpdateActions.h"
#include "integrations/qt/QtUpdateTransport.h"
#include "tests/integrations/UpdateManifestSamples.h"
#include "tests/integrations/qt/LoopbackHttpsServer.h"
#include "tests/support/ManualEventLoop.h"
#include "tests/support/TemporaryFolder.h"

#include <QCoreApplication>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::LoopbackCredentials;
using testing::LoopbackHttpsServer;
using testing::ManualEventLoop;
using testing::TemporaryFolder;
using testing::validManifest;
using testing::validManifestJson;

// Runs Qt's event loop, and the checker's, until done() holds or ten seconds pass.
bool waitFor(const std::function<bool()>& done, ManualEventLoop& loop) {
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.start(10000);
    while (!done() && deadline.isActive()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        loop.runPending();
    }
    return done();
}

QSslConfiguration trusting(const QSslCertificate& certificate) {
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setCaCertificates({certificate});
    return tls;
}

class QtUpdateTransportTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const TemporaryFolder serverFolder;
        const TemporaryFolder strangerFolder;
        serverCredentials = testing::makeLoopbackCredentials(serverFolder.path());
        strangerCredentials = testing::makeLoopbackCredentials(strangerFolder.path());
    }

    void SetUp() override {
        if (!serverCredentials || !strangerCredentials) {
            GTEST_SKIP() << "the openssl command could not make a test certificate";
        }
        server.emplace(*serverCredentials);
        ASSERT_TRUE(server->isListening());
        server->answer("/update.json",
                       {200, QByteArray::fromStdString(validManifestJson().dump()), {}});
    }

    PurloUpdateChecker checker(const QByteArray& path, const QSslCertificate& trusted) {
        return {PurloUpdateManifestConfiguration::fromBundle(
                    {{"PurloUpdateManifestURL", server->url(path).toStdString()}}),
                makeQtUpdateTransport(trusting(trusted)), loop};
    }

    std::optional<PurloUpdateCheckOutcome> check(const QByteArray& path) {
        auto subject = checker(path, serverCredentials->certificate);
        std::optional<PurloUpdateCheckOutcome> outcome;
        subject.check({"Purlo", "1.4", "49"},
                      [&](const PurloUpdateCheckOutcome& o) { outcome = o; });
        EXPECT_TRUE(waitFor([&] { return outcome.has_value(); }, loop));
        return outcome;
    }

    static inline std::optional<LoopbackCredentials> serverCredentials;
    static inline std::optional<LoopbackCredentials> strangerCredentials;
    ManualEventLoop loop;
    std::optional<LoopbackHttpsServer> server;
};

PurloUpdateCheckOutcome found(PurloUpdateManifest manifest) {
    return PurloUpdateCheckResult::updateAvailable(std::move(manifest));
}

PurloUpdateCheckOutcome failed(PurloUpdateCheckError error) {
    return PurloUpdateCheckFailure{error};
}

TEST_F(QtUpdateTransportTest, AsksWithOneGetAndFindsTheUpdate) {
    EXPECT_EQ(check("/update.json"), found(validManifest()));

    ASSERT_EQ(server->requestHeads().size(), 1);
    const QList<QByteArray> lines = server->requestHeads().front().split('\n');
    EXPECT_EQ(lines.front().trimmed(), "GET /update.json HTTP/1.1");
    QMap<QByteArray, QByteArray> headers;
    for (const QByteArray& line : lines.mid(1)) {
        const auto colon = line.indexOf(':');
        headers[line.left(colon).trimmed().toLower()] = line.mid(colon + 1).trimmed();
    }
    EXPECT_EQ(headers.value("accept"), "application/json");
    EXPECT_EQ(headers.value("accept-language"), "*") << "the user's language stays private";
    for (const char* name : {"cookie", "authorization", "content-length", "referer"}) {
        EXPECT_FALSE(headers.contains(name)) << name;
    }
}

TEST_F(QtUpdateTransportTest, StatusesOutsideSuccessAreTheWebsitesRefusal) {
    for (const int status : {400, 404, 500, 503}) {
        SCOPED_TRACE(status);
        server->answer("/refused.json", {status, "<html>No</html>", {}});
        EXPECT_EQ(check("/refused.json"), failed(PurloUpdateCheckError::rejected(status)));
    }
    server->answer("/page.html", {200, "<!doctype html><html><body>Hello</body></html>", {}});
    EXPECT_EQ(check("/page.html"), failed(PurloUpdateCheckError::invalidResponse()));
}

TEST_F(QtUpdateTransportTest, AServerTheClientDoesNotTrustFailsTheCheck) {
    auto subject = checker("/update.json", strangerCredentials->certificate);
    PurloSparkleUpdater noFramework{{}};
    Published<PurloUpdateCheckState> state;
    checkForUpdates(noFramework, subject, state, [] { return PurloAppInfo{"Purlo", "1.4", "49"}; });
    EXPECT_TRUE(waitFor([&] { return !state->isChecking(); }, loop));
    EXPECT_EQ(state->statusText(), "Purlo could not check for updates. Try again later.");
    EXPECT_TRUE(server->requestHeads().empty());
}

TEST_F(QtUpdateTransportTest, FollowsARedirectOnlyToAnotherHttpsAddress) {
    server->answer("/moved.json", {301, {}, {{"Location", server->url("/update.json")}}});
    EXPECT_EQ(check("/moved.json"), found(validManifest()));

    QTcpServer plain;
    ASSERT_TRUE(plain.listen(QHostAddress::LocalHost, 0));
    const QByteArray insecure =
        "http://127.0.0.1:" + QByteArray::number(plain.serverPort()) + "/update.json";
    server->answer("/downgraded.json", {302, {}, {{"Location", insecure}}});
    EXPECT_EQ(check("/downgraded.json"), failed(PurloUpdateCheckError::insecureEndpoint()));
    EXPECT_FALSE(plain.hasPendingConnections());
}

TEST_F(QtUpdateTransportTest, StopsReadingOneBytePastTheCap) {
    server->answer("/big.json", {200, QByteArray(200000, ' '), {}});
    const auto transport = makeQtUpdateTransport(trusting(serverCredentials->certificate));
    std::optional<PurloUpdateTransportResult> result;
    transport({*Url::parse(server->url("/big.json").toStdString()), "GET", 60, {}, 1000},
              [&](PurloUpdateTransportResult r) { result = std::move(r); });
    ASSERT_TRUE(waitFor([&] { return result.has_value(); }, loop));
    const auto* response = std::get_if<PurloUpdateResponse>(&*result);
    ASSERT_TRUE(response);
    EXPECT_EQ(response->httpStatusCode, 200);
    EXPECT_EQ(response->body.size(), 1001u);
}

TEST_F(QtUpdateTransportTest, SendsNothingButHttps) {
    const auto transport = makeQtUpdateTransport(trusting(serverCredentials->certificate));
    std::optional<PurloUpdateTransportResult> result;
    const QByteArray plain =
        "http://localhost:" + QByteArray::number(server->port()) + "/update.json";
    transport({*Url::parse(plain.toStdString()), "GET", 60, {}, 1000},
              [&](PurloUpdateTransportResult r) { result = std::move(r); });
    EXPECT_EQ(result, PurloUpdateTransportResult(
                          PurloUpdateCheckFailure{PurloUpdateCheckError::insecureEndpoint()}));
    EXPECT_TRUE(server->requestHeads().empty());
}

} // namespace
} // namespace purlo
