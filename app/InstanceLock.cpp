#include "app/InstanceLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace purlo {

InstanceLock::~InstanceLock() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
    }
}

InstanceLock::State InstanceLock::take(const std::filesystem::path& path, uid_t user) {
    if (descriptor_ >= 0) {
        return State::held;
    }
    // Not inherited by the programs this one starts, which would otherwise keep the lock
    // after it ended.
    const int descriptor =
        ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (descriptor < 0) {
        return State::unavailable;
    }
    struct stat status {};
    const bool trusted =
        ::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) && status.st_uid == user;
    const bool locked = trusted && ::flock(descriptor, LOCK_EX | LOCK_NB) == 0;
    const bool busy = trusted && !locked && errno == EWOULDBLOCK;
    if (!locked) {
        ::close(descriptor);
        return busy ? State::heldByAnother : State::unavailable;
    }
    descriptor_ = descriptor;
    return State::held;
}

} // namespace purlo
