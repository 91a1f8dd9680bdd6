#pragma once

#include <filesystem>
#include <sys/types.h>

namespace purlo {

// An exclusive lock on a file of the user's, held from the moment it is taken until this
// object or the process ends; the system lets go of it even after a crash. Two starts
// at the same moment cannot both take it, which a look at the socket alone cannot tell.
class InstanceLock {
public:
    enum class State { held, heldByAnother, unavailable };

    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Tries once, without waiting. A file there that is not a regular file of user's is
    // not trusted: the lock is then unavailable.
    State take(const std::filesystem::path& path, uid_t user);

private:
    int descriptor_ = -1;
};

} // namespace purlo
