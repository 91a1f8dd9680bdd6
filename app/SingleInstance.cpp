#include "app/SingleInstance.h"

#include "intents/PurloIntentRequest.h"

#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QTimer>
#include <filesystem>
#include <unistd.h>

namespace purlo {
namespace {

// Long enough for a busy program on the same machine; a second start that finds no one
// in this time runs on its own.
constexpr int answerMilliseconds = 1000;
// A message is one line; anything longer is not ours.
constexpr qint64 longestMessage =
    static_cast<qint64>(SingleInstance::intentMessage.size() + PurloIntentRequest::maximumLength);

QString qtText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QByteArray bytes(std::string_view text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QString SingleInstance::socketName(const Environment& environment) {
    if (const auto runtimeFolder = environmentValue(environment, "XDG_RUNTIME_DIR");
        runtimeFolder && std::filesystem::path(*runtimeFolder).is_absolute()) {
        return qtText((std::filesystem::path(*runtimeFolder) / "purlo.socket").string());
    }
    return QStringLiteral("purlo-%1").arg(getuid());
}

bool SingleInstance::handOver(const QString& name) {
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(answerMilliseconds)) {
        return false;
    }
    socket.write(bytes(reopenMessage) + '\n');
    const bool sent = socket.waitForBytesWritten(answerMilliseconds);
    socket.disconnectFromServer();
    return sent;
}

std::optional<std::string> SingleInstance::ask(const QString& name, std::string_view request) {
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(answerMilliseconds)) {
        return std::nullopt;
    }
    socket.write(bytes(intentMessage) + bytes(request) + '\n');
    const QDeadlineTimer deadline(requestMilliseconds);
    socket.waitForBytesWritten(answerMilliseconds);
    while (!socket.canReadLine() && socket.bytesAvailable() <= longestMessage &&
           socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
    }
    if (!socket.canReadLine()) {
        return std::string();
    }
    return socket.readLine(longestMessage + 1).trimmed().toStdString();
}

bool SingleInstance::listen(const QString& name, std::function<void()> onReopen,
                            IntentHandler onIntent) {
    // Qt puts an owner-only socket in place by renaming it over whatever is there, so
    // whether someone still answers on the name is asked first; a socket nobody answers
    // is left over from a crash and is replaced.
    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.waitForConnected(answerMilliseconds)) {
        return false;
    }
    onReopen_ = std::move(onReopen);
    onIntent_ = std::move(onIntent);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::accept);
    QLocalServer::removeServer(name);
    return server_.listen(name);
}

void SingleInstance::accept() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { read(socket); });
        // A peer that says nothing, or never ends its line, does not hold on forever.
        QTimer::singleShot(requestMilliseconds, socket, [socket] { socket->abort(); });
    }
}

// Takes the one line a peer may send, does what it asks and answers; the connection
// ends with it.
void SingleInstance::read(QLocalSocket* socket) {
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > longestMessage) {
            socket->abort();
        }
        return;
    }
    disconnect(socket, &QLocalSocket::readyRead, this, nullptr);
    const QByteArray line = socket->readLine(longestMessage + 1);
    if (!line.endsWith('\n')) {
        socket->abort();
        return;
    }
    const QByteArray message = line.chopped(1);
    if (message.trimmed() == bytes(reopenMessage)) {
        socket->disconnectFromServer();
        if (onReopen_) {
            onReopen_();
        }
    } else if (message.startsWith(bytes(intentMessage)) && onIntent_) {
        const QByteArray request = message.sliced(static_cast<qsizetype>(intentMessage.size()));
        const std::string answer = onIntent_({request.constData(), std::size_t(request.size())});
        socket->write(bytes(answer) + '\n');
        socket->disconnectFromServer();
    } else {
        socket->abort();
    }
}

} // namespace purlo
