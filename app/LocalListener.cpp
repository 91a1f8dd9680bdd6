#include "app/LocalListener.h"

#include "app/LocalAddress.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace purlo {
namespace {

// Connections that may wait to be accepted.
constexpr int waitingAtMost = 50;

// A name beside path that no other listener of this process uses at the same time: the
// process and the descriptor make it unique.
std::filesystem::path besideName(const std::filesystem::path& path, int descriptor) {
    return path.parent_path() /
           (".purlo-" + std::to_string(::getpid()) + "-" + std::to_string(descriptor));
}

} // namespace

LocalListener::~LocalListener() {
    close();
}

bool LocalListener::fail(int error) {
    error_ = std::strerror(error);
    close();
    return false;
}

bool LocalListener::listen(const std::filesystem::path& path) {
    close();
    descriptor_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (descriptor_ < 0) {
        return fail(errno);
    }
    const auto beside = besideName(path, descriptor_);
    const LocalAddress besideAddress(beside);
    if (!besideAddress.isValid()) {
        return fail(ENAMETOOLONG);
    }
    ::unlink(beside.c_str());
    struct stat status {};
    const bool made = ::bind(descriptor_, besideAddress.get(), besideAddress.size()) == 0 &&
                      ::chmod(beside.c_str(), S_IRUSR | S_IWUSR) == 0 &&
                      ::listen(descriptor_, waitingAtMost) == 0 &&
                      ::lstat(beside.c_str(), &status) == 0 &&
                      ::rename(beside.c_str(), path.c_str()) == 0;
    if (!made) {
        const int error = errno;
        ::unlink(beside.c_str());
        return fail(error);
    }
    path_ = path;
    device_ = status.st_dev;
    inode_ = status.st_ino;
    error_.clear();
    return true;
}

std::optional<LocalSocket> LocalListener::accept() {
    for (;;) {
        const int accepted = ::accept4(descriptor_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (accepted >= 0) {
            return LocalSocket(accepted);
        }
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            return LocalSocket();
        }
        // A peer that gave up while waiting, or a signal, is no reason to stop.
        if (errno != EINTR && errno != ECONNABORTED) {
            error_ = std::strerror(errno);
            return std::nullopt;
        }
    }
}

void LocalListener::close() {
    if (descriptor_ < 0) {
        return;
    }
    ::close(std::exchange(descriptor_, -1));
    struct stat status {};
    if (::lstat(path_.c_str(), &status) == 0 && status.st_dev == device_ &&
        status.st_ino == inode_) {
        ::unlink(path_.c_str());
    }
    path_.clear();
}

} // namespace purlo
