#include "integrations/PurloUpdateActions.h"
#include "integrations/qt/QtUpdateTransport.h"
#include "tests/integrations/UpdateManifestSamples.h"
#include "tests/integrations/UpdateResultPrinters.h"
#include "tests/support/ManualEventLoop.h"
#include "tests/support/TemporaryFolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSslKey>
#include <QSslServer>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace purlo {
namespace {

// Each test runs an HTTPS server on 127.0.0.1, its certificate made by openssl, that sends
// each path's fixed response, one request per connection, and keeps every request's head.
class QtUpdateTransportTest : public ::testing::Test {
protected:
    void SetUp() override {
        const testing::TemporaryFolder folder;
        const QString certificatePath = QString::fromStdString(folder / "cert.pem");
        const QString keyPath = QString::fromStdString(folder / "key.pem");
        QProcess openssl;
        openssl.start("openssl",
                      {"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
                       "-nodes", "-days", "2", "-subj", "/CN=localhost", "-addext",
                       "subjectAltName=DNS:localhost,IP:127.0.0.1", "-keyout", keyPath, "-out",
                       certificatePath});
        openssl.waitForFinished(30000);
        const QSslCertificate certificate = QSslCertificate::fromPath(certificatePath).value(0);
        QFile keyFile(keyPath);
        if (certificate.isNull() || !keyFile.open(QIODevice::ReadOnly)) {
            GTEST_SKIP() << "the openssl command could not make a test certificate";
        }
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        tls.setLocalCertificate(certificate);
        tls.setPrivateKey(QSslKey(keyFile.readAll(), QSsl::Ec));
        server.setSslConfiguration(tls);
        QObject::connect(&server, &QTcpServer::pendingConnectionAvailable, &server, [this] {
            while (QTcpSocket* socket = server.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    const QByteArray received = socket->peek(socket->bytesAvailable());
                    if (!received.contains("\r\n\r\n")) {
                        return;
                    }
                    heads.append(received.left(received.indexOf("\r\n\r\n")));
                    socket->write(routes.value(heads.back().split(' ').value(1)));
                    socket->disconnectFromHost();
                });
            }
        });
        ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
        answer("/update.json", 200, QByteArray::fromStdString(testing::validManifestJson().dump()));
        trusted.setCaCertificates({certificate});
    }

    // By its address, which resolves without a hosts file; the certificate names both.
    QByteArray url(const QByteArray& path) const {
        return "https://127.0.0.1:" + QByteArray::number(server.serverPort()) + path;
    }
    void answer(const QByteArray& path, int status, const QByteArray& body,
                const QByteArray& headers = {}) {
        routes[path] = "HTTP/1.1 " + QByteArray::number(status) +
                       " Answer\r\nContent-Length: " + QByteArray::number(body.size()) +
                       "\r\nConnection: close\r\n" + headers + "\r\n" + body;
    }

    bool waitFor(const std::function<bool()>& done) {
        QTimer deadline;
        deadline.setSingleShot(true);
        deadline.start(10000);
        while (!done() && deadline.isActive()) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            loop.runPending();
        }
        return done();
    }

    // What the transport hands back for a GET of address, capped at 1000 bytes.
    PurloUpdateTransportResult fetch(const QByteArray& address, const QSslConfiguration& tls) {
        return fetch(address, makeQtUpdateTransport(tls));
    }
    PurloUpdateTransportResult fetch(const QByteArray& address,
                                     const PurloUpdateTransport& transport) {
        std::optional<PurloUpdateTransportResult> result;
        transport({*Url::parse(address.toStdString()), "GET", 60, {}, 1000},
                  [&](PurloUpdateTransportResult r) { result = std::move(r); });
        EXPECT_TRUE(waitFor([&] { return result.has_value(); }));
        return result.value_or(PurloUpdateResponse{});
    }

    QSslServer server;
    QMap<QByteArray, QByteArray> routes;
    QList<QByteArray> heads;
    QSslConfiguration trusted = QSslConfiguration::defaultConfiguration();
    testing::ManualEventLoop loop;
};

TEST_F(QtUpdateTransportTest, AsksWithOneGetAndFindsTheUpdate) {
    PurloUpdateChecker checker(testing::manifestAt(url("/update.json").toStdString()),
                               makeQtUpdateTransport(trusted), loop);
    std::optional<PurloUpdateCheckOutcome> outcome;
    checker.check({"Purlo", "1.4", "49"}, [&](const auto& o) { outcome = o; });
    ASSERT_TRUE(waitFor([&] { return outcome.has_value(); }));
    EXPECT_EQ(updateCheckStateAfter(*outcome),
              PurloUpdateCheckState::updateAvailable(testing::validManifest()));

    ASSERT_EQ(heads.size(), 1);
    const QByteArray head = heads[0].toLower().replace("\r", "") + "\n";
    EXPECT_TRUE(head.startsWith("get /update.json http/1.1\n")) << head.toStdString();
    EXPECT_TRUE(head.contains("\naccept: application/json\n"));
    EXPECT_TRUE(head.contains("\naccept-language: *\n")) << "the user's language stays private";
    for (const char* name : {"cookie", "authorization", "content-length", "referer"}) {
        EXPECT_FALSE(head.contains(QByteArray("\n") + name + ":")) << name;
    }
}

TEST_F(QtUpdateTransportTest, ACookieTheWebsiteSetsNeverComesBackWithTheNextCheck) {
    answer("/counted.json", 200, "{}", "Set-Cookie: visitor=42; Path=/\r\n");
    const PurloUpdateTransport transport = makeQtUpdateTransport(trusted);
    fetch(url("/counted.json"), transport);
    fetch(url("/update.json"), transport);
    ASSERT_EQ(heads.size(), 2);
    EXPECT_FALSE(heads[1].toLower().contains("\r\ncookie:")) << heads[1].toStdString();
}

TEST_F(QtUpdateTransportTest, AServerTheClientDoesNotTrustFailsTheCheck) {
    const auto failure = std::get<PurloUpdateCheckFailure>(
        fetch(url("/update.json"), QSslConfiguration::defaultConfiguration()));
    EXPECT_EQ(updateCheckMessage(failure), "Purlo could not check for updates. Try again later.");
    EXPECT_TRUE(heads.empty());
}

TEST_F(QtUpdateTransportTest, PassesStatusesOnCapsBodiesAndNeverSendsOrRedirectsToHttp) {
    QTcpServer plain;
    ASSERT_TRUE(plain.listen(QHostAddress::LocalHost, 0));
    answer("/refused.json", 404, "<html>No</html>");
    answer("/big.json", 200, QByteArray(200000, ' '));
    answer("/downgraded.json", 302, {},
           "Location: http://127.0.0.1:" + QByteArray::number(plain.serverPort()) + "/\r\n");
    const std::pair<QByteArray, PurloUpdateTransportResult> cases[] = {
        {"/refused.json", PurloUpdateResponse{404, "<html>No</html>"}},
        {"/big.json", PurloUpdateResponse{200, std::string(1001, ' ')}},
        {"/downgraded.json", PurloUpdateCheckFailure{PurloUpdateCheckError::insecureEndpoint()}},
    };
    for (const auto& [path, result] : cases) {
        EXPECT_EQ(fetch(url(path), trusted), result) << path.toStdString();
    }
    EXPECT_EQ(fetch(url("/update.json").replace("https:", "http:"), trusted),
              PurloUpdateTransportResult(
                  PurloUpdateCheckFailure{PurloUpdateCheckError::insecureEndpoint()}));
    EXPECT_FALSE(plain.hasPendingConnections());
}

} // namespace
} // namespace purlo
