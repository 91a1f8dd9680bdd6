#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslServer>
#include <QTcpServer>
#include <filesystem>
#include <optional>

namespace purlo::testing {

// A certificate and key for "localhost" and 127.0.0.1, made with the openssl command.
struct LoopbackCredentials {
    QSslCertificate certificate;
    QSslKey key;
};
std::optional<LoopbackCredentials> makeLoopbackCredentials(const std::filesystem::path& folder);

// A small HTTPS server on 127.0.0.1 that answers each path with a fixed response and
// keeps the head of every request it receives.
class LoopbackHttpsServer {
public:
    struct Response {
        int status = 200;
        QByteArray body;
        QList<QPair<QByteArray, QByteArray>> headers;
    };

    explicit LoopbackHttpsServer(const LoopbackCredentials& credentials);

    bool isListening() const { return server_.isListening(); }
    quint16 port() const { return server_.serverPort(); }
    QByteArray url(const QByteArray& path) const;

    void answer(const QByteArray& path, Response response) { routes_[path] = std::move(response); }
    const QList<QByteArray>& requestHeads() const { return requestHeads_; }

private:
    void serve(QTcpSocket* socket);

    QSslServer server_;
    QMap<QByteArray, Response> routes_;
    QList<QByteArray> requestHeads_;
};

} // namespace purlo::testing
