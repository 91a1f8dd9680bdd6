#include "app/SingleInstance.h"

#include <QLocalSocket>
#include <filesystem>
#include <unistd.h>

namespace purlo {
namespace {

// Long enough for a busy program on the same machine; a second start that finds no one
// in this time runs on its own.
constexpr int answerMilliseconds = 1000;
// A message is one short line; anything longer is not ours.
constexpr qint64 longestMessage = 64;

QString qtText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
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
    socket.write((qtText(reopenMessage) + '\n').toUtf8());
    const bool sent = socket.waitForBytesWritten(answerMilliseconds);
    socket.disconnectFromServer();
    return sent;
}

bool SingleInstance::listen(const QString& name, std::function<void()> onReopen) {
    // Qt puts an owner-only socket in place by renaming it over whatever is there, so
    // whether someone still answers on the name is asked first; a socket nobody answers
    // is left over from a crash and is replaced.
    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.waitForConnected(answerMilliseconds)) {
        return false;
    }
    onReopen_ = std::move(onReopen);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::accept);
    QLocalServer::removeServer(name);
    return server_.listen(name);
}

void SingleInstance::accept() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > longestMessage) {
                    socket->abort();
                }
                return;
            }
            const QByteArray line = socket->readLine(longestMessage + 1).trimmed();
            socket->disconnectFromServer();
            if (line == QByteArray(reopenMessage.data(),
                                   static_cast<qsizetype>(reopenMessage.size())) &&
                onReopen_) {
                onReopen_();
            }
        });
    }
}

} // namespace purlo
