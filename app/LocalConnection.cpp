#include "app/LocalConnection.h"

#include <utility>

namespace purlo {

LocalConnection::LocalConnection(LocalSocket socket, std::size_t longestLine,
                                 int allowedMilliseconds, LineHandler onLine,
                                 std::function<void()> onEnded, QObject* parent)
    : QObject(parent)
    , socket_(std::move(socket))
    , longestLine_(longestLine)
    , onLine_(std::move(onLine))
    , onEnded_(std::move(onEnded))
    , reading_(socket_.descriptor(), QSocketNotifier::Read)
    , writing_(socket_.descriptor(), QSocketNotifier::Write) {
    writing_.setEnabled(false);
    connect(&reading_, &QSocketNotifier::activated, this, &LocalConnection::readable);
    connect(&writing_, &QSocketNotifier::activated, this, &LocalConnection::writable);
    allowed_.setSingleShot(true);
    connect(&allowed_, &QTimer::timeout, this, &LocalConnection::drop);
    allowed_.start(allowedMilliseconds);
}

void LocalConnection::readable() {
    const auto state = socket_.receiveSome(received_, longestLine_ - received_.size());
    if (const auto newline = received_.find('\n'); newline != std::string::npos) {
        // One line is all a peer may send; the rest is never read.
        reading_.setEnabled(false);
        onLine_(*this, std::string_view(received_).substr(0, newline));
        return;
    }
    if (state != LocalSocket::Received::waiting || received_.size() >= longestLine_) {
        drop();
    }
}

void LocalConnection::finish(std::string answer) {
    unsent_ = std::move(answer);
    writable();
}

void LocalConnection::writable() {
    if (!socket_.sendSome(unsent_) || unsent_.empty()) {
        drop();
        return;
    }
    writing_.setEnabled(true);
}

void LocalConnection::drop() {
    if (std::exchange(ended_, true)) {
        return;
    }
    reading_.setEnabled(false);
    writing_.setEnabled(false);
    allowed_.stop();
    socket_.close();
    onEnded_();
    deleteLater();
}

} // namespace purlo
