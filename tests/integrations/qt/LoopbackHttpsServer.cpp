#include "tests/integrations/qt/LoopbackHttpsServer.h"

#include <QFile>
#include <QProcess>
#include <QSslConfiguration>
#include <QSslSocket>
#include <memory>

namespace purlo::testing {

std::optional<LoopbackCredentials> makeLoopbackCredentials(const std::filesystem::path& folder) {
    const QString certificatePath = QString::fromStdString((folder / "cert.pem").string());
    const QString keyPath = QString::fromStdString((folder / "key.pem").string());
    QProcess openssl;
    openssl.setProcessChannelMode(QProcess::MergedChannels);
    openssl.start("openssl",
                  {"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
                   "-nodes", "-days", "2", "-subj", "/CN=localhost", "-addext",
                   "subjectAltName=DNS:localhost,IP:127.0.0.1", "-keyout", keyPath, "-out",
                   certificatePath});
    if (!openssl.waitForFinished(30000) || openssl.exitStatus() != QProcess::NormalExit ||
        openssl.exitCode() != 0) {
        return std::nullopt;
    }
    QFile certificateFile(certificatePath);
    QFile keyFile(keyPath);
    if (!certificateFile.open(QIODevice::ReadOnly) || !keyFile.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    LoopbackCredentials credentials{QSslCertificate(certificateFile.readAll(), QSsl::Pem),
                                    QSslKey(keyFile.readAll(), QSsl::Ec, QSsl::Pem)};
    if (credentials.certificate.isNull() || credentials.key.isNull()) {
        return std::nullopt;
    }
    return credentials;
}

LoopbackHttpsServer::LoopbackHttpsServer(const LoopbackCredentials& credentials) {
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setLocalCertificate(credentials.certificate);
    tls.setPrivateKey(credentials.key);
    tls.setPeerVerifyMode(QSslSocket::VerifyNone);
    server_.setSslConfiguration(tls);
    QObject::connect(&server_, &QTcpServer::pendingConnectionAvailable, &server_, [this] {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            serve(socket);
        }
    });
    server_.listen(QHostAddress::LocalHost, 0);
}

QByteArray LoopbackHttpsServer::url(const QByteArray& path) const {
    return "https://localhost:" + QByteArray::number(port()) + path;
}

// Answers one request per connection, then closes it.
void LoopbackHttpsServer::serve(QTcpSocket* socket) {
    auto received = std::make_shared<QByteArray>();
    QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, received] {
        received->append(socket->readAll());
        const auto headEnd = received->indexOf("\r\n\r\n");
        if (headEnd < 0) {
            return;
        }
        const QByteArray head = received->left(headEnd);
        received->clear();
        requestHeads_.append(head);
        const QByteArray path = head.split(' ').value(1);
        const Response response = routes_.value(path, Response{404, "Not Found", {}});
        QByteArray answer = "HTTP/1.1 " + QByteArray::number(response.status) + " Answer\r\n" +
                            "Content-Length: " + QByteArray::number(response.body.size()) +
                            "\r\nConnection: close\r\n";
        for (const auto& [name, value] : response.headers) {
            answer += name + ": " + value + "\r\n";
        }
        socket->write(answer + "\r\n" + response.body);
        socket->disconnectFromHost();
    });
}

} // namespace purlo::testing
