#include "app/LocalSocket.h"

#include "app/LocalAddress.h"

#include <algorithm>
#include <cerrno>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace purlo {
namespace {

// How long a connection waits before it tries again a listener whose queue is full.
constexpr std::chrono::milliseconds fullQueuePause{5};

int millisecondsUntil(LocalSocket::Deadline deadline) {
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count(), 0));
}

bool wouldBlock(int error) {
    return error == EAGAIN || error == EWOULDBLOCK;
}

} // namespace

LocalSocket::~LocalSocket() {
    close();
}

LocalSocket::LocalSocket(LocalSocket&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, -1)) {}

LocalSocket& LocalSocket::operator=(LocalSocket&& other) noexcept {
    if (this != &other) {
        close();
        descriptor_ = std::exchange(other.descriptor_, -1);
    }
    return *this;
}

void LocalSocket::close() {
    if (descriptor_ >= 0) {
        ::close(std::exchange(descriptor_, -1));
    }
}

LocalSocket LocalSocket::connectTo(const std::filesystem::path& path, Deadline deadline) {
    const LocalAddress address(path);
    if (!address.isValid()) {
        return {};
    }
    LocalSocket socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    while (socket.isOpen()) {
        if (::connect(socket.descriptor_, address.get(), address.size()) == 0 || errno == EISCONN) {
            return socket;
        }
        if (errno == EINPROGRESS) {
            int error = 0;
            socklen_t size = sizeof error;
            if (!socket.waitFor(POLLOUT, deadline) ||
                ::getsockopt(socket.descriptor_, SOL_SOCKET, SO_ERROR, &error, &size) != 0 ||
                error != 0) {
                socket.close();
            }
            return socket;
        }
        // A full queue of the listener's answers "try again" at once instead of waiting.
        if (wouldBlock(errno) && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(fullQueuePause);
        } else if (errno != EINTR && errno != EALREADY) {
            socket.close();
        }
    }
    return socket;
}

std::optional<uid_t> LocalSocket::peerUser() const {
    ucred credentials{};
    socklen_t size = sizeof credentials;
    if (::getsockopt(descriptor_, SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0) {
        return std::nullopt;
    }
    return credentials.uid;
}

bool LocalSocket::sendSome(std::string& bytes) {
    while (!bytes.empty()) {
        const ssize_t sent = ::send(descriptor_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent > 0) {
            bytes.erase(0, static_cast<std::size_t>(sent));
        } else if (sent < 0 && wouldBlock(errno)) {
            return true;
        } else if (sent == 0 || errno != EINTR) {
            return false;
        }
    }
    return true;
}

bool LocalSocket::sendAll(std::string_view bytes, Deadline deadline) {
    std::string unsent(bytes);
    while (sendSome(unsent)) {
        if (unsent.empty()) {
            return true;
        }
        if (!waitFor(POLLOUT, deadline)) {
            return false;
        }
    }
    return false;
}

LocalSocket::Received LocalSocket::receiveSome(std::string& received, std::size_t room) {
    char chunk[4096];
    while (room > 0) {
        const ssize_t count = ::recv(descriptor_, chunk, std::min(room, sizeof chunk), 0);
        if (count > 0) {
            received.append(chunk, static_cast<std::size_t>(count));
            room -= static_cast<std::size_t>(count);
        } else if (count == 0) {
            return Received::ended;
        } else if (wouldBlock(errno)) {
            return Received::waiting;
        } else if (errno != EINTR) {
            return Received::failed;
        }
    }
    return Received::waiting;
}

std::optional<std::string> LocalSocket::receiveLine(std::size_t longest, Deadline deadline) {
    std::string received;
    for (;;) {
        const auto state = receiveSome(received, longest - received.size());
        if (const auto newline = received.find('\n'); newline != std::string::npos) {
            received.resize(newline);
            return received;
        }
        if (state != Received::waiting || received.size() >= longest ||
            !waitFor(POLLIN, deadline)) {
            return std::nullopt;
        }
    }
}

bool LocalSocket::waitFor(short events, Deadline deadline) const {
    pollfd watched{descriptor_, events, 0};
    for (;;) {
        const int ready = ::poll(&watched, 1, millisecondsUntil(deadline));
        if (ready > 0) {
            return true;
        }
        if (ready == 0 || errno != EINTR) {
            return false;
        }
    }
}

} // namespace purlo
