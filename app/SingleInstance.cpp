#include "app/SingleInstance.h"

#include "intents/PurloIntentRequest.h"

#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>
#include <sys/socket.h>

namespace purlo {
namespace {

// Long enough for a busy program on the same machine; a second start that finds no one
// in this time runs on its own.
constexpr int answerMilliseconds = 1000;
// How often a second start looks whether the first, which holds the lock, listens yet.
constexpr unsigned long startLookMilliseconds = 50;
// A message is one line, its newline included; anything longer is not ours. The longest
// request is the longest the decoder takes.
constexpr qint64 longestRequestLine = static_cast<qint64>(SingleInstance::intentMessage.size() +
                                                          PurloIntentRequest::maximumLength + 1);
constexpr qint64 longestAnswerLine = static_cast<qint64>(PurloIntentRequest::maximumLength + 1);

QByteArray bytes(std::string_view text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

// At most longest bytes up to and including a newline; Qt's readLine keeps one byte of
// what it is given for a terminating zero.
QByteArray readLine(QLocalSocket& socket, qint64 longest) {
    return socket.readLine(longest + 1);
}

// Whether the other end of socket runs as user. The system vouches for it, whoever made
// the socket file.
bool peerIs(const QLocalSocket& socket, uid_t user) {
    ucred credentials{};
    socklen_t size = sizeof credentials;
    return getsockopt(static_cast<int>(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED,
                      &credentials, &size) == 0 &&
           credentials.uid == user;
}

// Connects socket to a program of user's that listens on name.
bool connectToOwn(QLocalSocket& socket, const QString& name, uid_t user) {
    socket.connectToServer(name);
    if (!socket.waitForConnected(answerMilliseconds)) {
        return false;
    }
    if (!peerIs(socket, user)) {
        socket.abort();
        return false;
    }
    return true;
}

// Ends a connection at once; its object goes with the next turn of the loop.
void drop(QLocalSocket* socket) {
    socket->abort();
    socket->deleteLater();
}

} // namespace

SingleInstance::SingleInstance(uid_t user)
    : user_(user) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::accept);
}

SingleInstance::~SingleInstance() {
    // The connections end while all they report to is whole, and none asks to listen again.
    listeningCheck_.cancel();
    name_.clear();
    qDeleteAll(server_.findChildren<QLocalSocket*>(Qt::FindDirectChildrenOnly));
}

bool SingleInstance::handOver(const QString& name, uid_t user) {
    QLocalSocket socket;
    if (!connectToOwn(socket, name, user)) {
        return false;
    }
    socket.write(bytes(reopenMessage) + '\n');
    const bool sent = socket.waitForBytesWritten(answerMilliseconds);
    socket.disconnectFromServer();
    return sent;
}

std::optional<std::string> SingleInstance::ask(const QString& name, std::string_view request,
                                               uid_t user) {
    QLocalSocket socket;
    if (!connectToOwn(socket, name, user)) {
        return std::nullopt;
    }
    socket.write(bytes(intentMessage) + bytes(request) + '\n');
    const QDeadlineTimer deadline(requestMilliseconds);
    socket.waitForBytesWritten(answerMilliseconds);
    while (!socket.canReadLine() && socket.bytesAvailable() < longestAnswerLine &&
           socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
    }
    if (!socket.canReadLine()) {
        return std::string();
    }
    return readLine(socket, longestAnswerLine).trimmed().toStdString();
}

SingleInstance::Start SingleInstance::start(const QString& name,
                                            const std::filesystem::path& lockPath) {
    const QDeadlineTimer deadline(startMilliseconds);
    auto lock = lock_.take(lockPath, user_);
    // The first start may still be composing itself: asked again until it listens.
    while (lock == InstanceLock::State::heldByAnother) {
        if (handOver(name, user_)) {
            return Start::handedOver;
        }
        if (deadline.hasExpired()) {
            return Start::unanswered;
        }
        QThread::msleep(startLookMilliseconds);
        lock = lock_.take(lockPath, user_);
    }
    if (lock == InstanceLock::State::unavailable && handOver(name, user_)) {
        return Start::handedOver;
    }
    return Start::first;
}

bool SingleInstance::listen(const QString& name, EventLoop& loop, std::function<void()> onReopen,
                            IntentHandler onIntent) {
    name_ = name;
    onReopen_ = std::move(onReopen);
    onIntent_ = std::move(onIntent);
    if (!open()) {
        return false;
    }
    listeningCheck_ = loop.scheduleRepeating(listeningCheckSeconds, [this] { listenAgain(); });
    return true;
}

bool SingleInstance::open() {
    // Qt puts an owner-only socket in place by renaming it over whatever is there, so
    // whether one of ours still answers on the name is asked first; a socket nobody
    // answers is left over from a crash, and one a stranger answers is not ours: both
    // are replaced.
    QLocalSocket probe;
    if (connectToOwn(probe, name_, user_)) {
        return false;
    }
    QLocalServer::removeServer(name_);
    return server_.listen(name_);
}

// Qt stops listening, and removes the socket file, when accepting a connection fails (for
// lack of files, say): a second start would then put a second cat on the desktop.
void SingleInstance::listenAgain() {
    if (!name_.isEmpty() && !server_.isListening()) {
        open();
    }
}

void SingleInstance::accept() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        if (connections_ >= servedAtOnce || !peerIs(*socket, user_)) {
            drop(socket);
            continue;
        }
        ++connections_;
        // Files freed by a connection that ended may be what listening again needs.
        connect(socket, &QObject::destroyed, this, [this] {
            --connections_;
            listenAgain();
        });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { read(socket); });
        // A peer that says nothing, or never ends its line, does not hold on forever.
        QTimer::singleShot(requestMilliseconds, socket, [socket] { drop(socket); });
    }
}

// Takes the one line a peer may send, does what it asks and answers; the connection
// ends with it.
void SingleInstance::read(QLocalSocket* socket) {
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() >= longestRequestLine) {
            drop(socket);
        }
        return;
    }
    disconnect(socket, &QLocalSocket::readyRead, this, nullptr);
    const QByteArray line = readLine(*socket, longestRequestLine);
    if (!line.endsWith('\n')) {
        drop(socket);
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
        drop(socket);
    }
}

} // namespace purlo
