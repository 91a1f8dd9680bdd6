#include "app/SingleInstance.h"

#include "app/LocalConnection.h"
#include "app/LocalSocket.h"
#include "base/UnicodeText.h"
#include "intents/PurloIntentRequest.h"

#include <QDeadlineTimer>
#include <QThread>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace purlo {
namespace {

// Long enough for a busy program on the same machine; a second start that finds no one
// in this time runs on its own.
constexpr int answerMilliseconds = 1000;
// How often a second start looks whether the first, which holds the lock, listens yet.
constexpr unsigned long startLookMilliseconds = 50;
// A message is one line, its newline included; anything longer is not ours. The longest
// request is the longest the decoder takes.
constexpr std::size_t longestRequestLine =
    SingleInstance::intentMessage.size() + PurloIntentRequest::maximumLength + 1;
constexpr std::size_t longestAnswerLine = PurloIntentRequest::maximumLength + 1;

LocalSocket::Deadline after(int milliseconds) {
    return std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
}

std::filesystem::path pathOf(const QString& name) {
    return name.toStdString();
}

// A connection to a program of user's that listens on name; unopened when there is none.
LocalSocket connectToOwn(const QString& name, uid_t user) {
    LocalSocket socket = LocalSocket::connectTo(pathOf(name), after(answerMilliseconds));
    if (socket.isOpen() && socket.peerUser() != user) {
        socket.close();
    }
    return socket;
}

} // namespace

SingleInstance::SingleInstance(uid_t user)
    : user_(user) {}

// The connections go first, without a word to this object.
SingleInstance::~SingleInstance() = default;

bool SingleInstance::handOver(const QString& name, uid_t user) {
    LocalSocket socket = connectToOwn(name, user);
    return socket.isOpen() &&
           socket.sendAll(std::string(reopenMessage) + '\n', after(answerMilliseconds));
}

std::optional<std::string> SingleInstance::ask(const QString& name, std::string_view request,
                                               uid_t user) {
    LocalSocket socket = connectToOwn(name, user);
    if (!socket.isOpen()) {
        return std::nullopt;
    }
    const auto deadline = after(requestMilliseconds);
    if (!socket.sendAll(std::string(intentMessage) + std::string(request) + '\n',
                        std::min(deadline, after(answerMilliseconds)))) {
        return std::string();
    }
    const auto line = socket.receiveLine(longestAnswerLine, deadline);
    return line ? trimmedWhitespace(*line) : std::string();
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
    // The socket is put in place by renaming it over whatever is there, so whether one of
    // ours still answers on the name is asked first; a socket nobody answers is left over
    // from a crash, and one a stranger answers is not ours: both are replaced.
    if (connectToOwn(name_, user_).isOpen()) {
        error_ = std::strerror(EADDRINUSE);
        return false;
    }
    if (!listener_.listen(pathOf(name_))) {
        error_ = listener_.errorText();
        return false;
    }
    listening_ = std::make_unique<QSocketNotifier>(listener_.descriptor(), QSocketNotifier::Read);
    connect(listening_.get(), &QSocketNotifier::activated, this, &SingleInstance::accept);
    return true;
}

// Accepting fails when the program runs out of files, and fails again at once for as
// long as a connection waits: the listening stops, turning away those waiting, until the
// next check or the end of a connection finds files free. Meanwhile the lock keeps a
// second start from putting a second cat on the desktop.
void SingleInstance::stopListening() {
    error_ = listener_.errorText();
    listening_->setEnabled(false);
    listener_.close();
}

void SingleInstance::listenAgain() {
    if (!name_.isEmpty() && !listener_.isListening()) {
        open();
    }
}

void SingleInstance::accept() {
    for (;;) {
        auto socket = listener_.accept();
        if (!socket) {
            stopListening();
            return;
        }
        if (!socket->isOpen()) {
            return;
        }
        // Closed as it goes out of reach.
        if (connections_ >= servedAtOnce || socket->peerUser() != user_) {
            continue;
        }
        ++connections_;
        // A peer that says nothing, or never ends its line, does not hold on forever.
        new LocalConnection(
            std::move(*socket), longestRequestLine, requestMilliseconds,
            [this](LocalConnection& connection, std::string_view line) {
                answer(connection, line);
            },
            [this] { ended(); }, &served_);
    }
}

// Does what the one line a peer may send asks and answers it; the connection ends with it.
void SingleInstance::answer(LocalConnection& connection, std::string_view line) {
    if (trimmedWhitespace(line) == reopenMessage) {
        connection.finish();
        if (onReopen_) {
            onReopen_();
        }
    } else if (line.starts_with(intentMessage) && onIntent_) {
        connection.finish(onIntent_(line.substr(intentMessage.size())) + '\n');
    } else {
        connection.drop();
    }
}

// Files freed by a connection that ended may be what listening again needs.
void SingleInstance::ended() {
    --connections_;
    listenAgain();
}

} // namespace purlo
