#include "integrations/qt/QtUpdateTransport.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>
#include <memory>
#include <optional>
#include <utility>

namespace purlo {
namespace {

// One request in flight: what has been read so far and how it ends.
class Transfer {
public:
    Transfer(PurloUpdateTransportCompletion completion, std::size_t maximumBodyBytes)
        : completion_(std::move(completion))
        , maximumBodyBytes_(maximumBodyBytes) {}

    void redirected(QNetworkReply& reply, const QUrl& target) {
        if (target.scheme() == QLatin1String("https")) {
            reply.redirectAllowed();
            return;
        }
        leftHttps_ = true;
        reply.abort();
    }

    void readyRead(QNetworkReply& reply) {
        if (readAvailable(reply)) {
            reply.abort();
        }
    }

    void finished(QNetworkReply& reply) {
        if (std::exchange(done_, true)) {
            return;
        }
        if (leftHttps_) {
            completion_(PurloUpdateCheckFailure{PurloUpdateCheckError::insecureEndpoint()});
            return;
        }
        if (!tooLarge_) {
            readAvailable(reply);
        }
        const QVariant status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute);
        if (status.isValid() && (tooLarge_ || isHttpAnswer(reply.error()))) {
            completion_(PurloUpdateResponse{status.toInt(), std::move(body_)});
        } else if (reply.error() == QNetworkReply::NoError) {
            completion_(PurloUpdateResponse{std::nullopt, std::move(body_)});
        } else {
            completion_(PurloUpdateCheckFailure{
                PurloUpdateTransportError{reply.errorString().toStdString()}});
        }
    }

private:
    // Reads what has arrived, up to one byte past the cap; true once past it.
    bool readAvailable(QNetworkReply& reply) {
        const auto room = static_cast<qint64>(maximumBodyBytes_ + 1 - body_.size());
        body_ += reply.read(room).toStdString();
        tooLarge_ = body_.size() > maximumBodyBytes_;
        return tooLarge_;
    }

    // Qt reports an HTTP status outside 2xx as an error too; the checker judges
    // those itself. Errors of the network and the proxy are real failures.
    static bool isHttpAnswer(QNetworkReply::NetworkError error) {
        return error == QNetworkReply::NoError || error >= QNetworkReply::ContentAccessDenied;
    }

    PurloUpdateTransportCompletion completion_;
    std::size_t maximumBodyBytes_;
    std::string body_;
    bool leftHttps_ = false;
    bool tooLarge_ = false;
    bool done_ = false;
};

QNetworkRequest networkRequest(const PurloUpdateRequest& request, QSslConfiguration tls) {
    QNetworkRequest result(QUrl(QString::fromStdString(request.url.text()), QUrl::StrictMode));
    result.setTransferTimeout(static_cast<int>(request.timeoutSeconds * 1000));
    result.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                        QNetworkRequest::UserVerifiedRedirectPolicy);
    result.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    // No cookie is sent, and none the website sets is kept.
    result.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    result.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    // Qt would otherwise fill in the user's language.
    result.setRawHeader("Accept-Language", "*");
    for (const auto& [name, value] : request.headers) {
        result.setRawHeader(QByteArray::fromStdString(name), QByteArray::fromStdString(value));
    }
    tls.setPeerVerifyMode(QSslSocket::VerifyPeer);
    result.setSslConfiguration(tls);
    return result;
}

// Owns the network manager, made on the first request so that a program that never
// checks for updates never starts one.
class Session {
public:
    explicit Session(std::optional<QSslConfiguration> tls)
        : tls_(std::move(tls)) {}

    void send(const PurloUpdateRequest& request, PurloUpdateTransportCompletion completion) {
        if (request.url.scheme() != "https") {
            completion(PurloUpdateCheckFailure{PurloUpdateCheckError::insecureEndpoint()});
            return;
        }
        if (!manager_) {
            manager_ = std::make_unique<QNetworkAccessManager>();
        }
        if (!tls_) {
            tls_ = QSslConfiguration::defaultConfiguration();
        }
        QNetworkReply* reply = manager_->sendCustomRequest(
            networkRequest(request, *tls_), QByteArray::fromStdString(request.method));
        reply->setReadBufferSize(static_cast<qint64>(request.maximumBodyBytes + 1));
        auto transfer = std::make_shared<Transfer>(std::move(completion), request.maximumBodyBytes);
        QObject::connect(
            reply, &QNetworkReply::redirected, reply,
            [reply, transfer](const QUrl& target) { transfer->redirected(*reply, target); });
        QObject::connect(reply, &QNetworkReply::readyRead, reply,
                         [reply, transfer] { transfer->readyRead(*reply); });
        QObject::connect(reply, &QNetworkReply::finished, reply, [reply, transfer] {
            transfer->finished(*reply);
            reply->deleteLater();
        });
    }

private:
    std::optional<QSslConfiguration> tls_; // nothing: the system's, made when first needed
    // Replies are its children: destroying the session abandons them unanswered.
    std::unique_ptr<QNetworkAccessManager> manager_;
};

PurloUpdateTransport transportOver(std::optional<QSslConfiguration> tls) {
    auto session = std::make_shared<Session>(std::move(tls));
    return [session](const PurloUpdateRequest& request, PurloUpdateTransportCompletion completion) {
        session->send(request, std::move(completion));
    };
}

} // namespace

PurloUpdateTransport makeQtUpdateTransport(QSslConfiguration tls) {
    return transportOver(std::move(tls));
}

PurloUpdateTransport makeQtUpdateTransport() {
    return transportOver(std::nullopt);
}

} // namespace purlo
