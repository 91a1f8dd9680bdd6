#pragma once

#include "base/FileDescriptor.h"

#include <filesystem>
#include <sys/socket.h>
#include <sys/un.h>

namespace purlo {

// The address of a Unix socket at a path of any length. The system takes at most 107
// bytes, and a home folder can be deeper than that: a longer path is reached through its
// folder, held open for as long as the address lives, as "/proc/self/fd/N/name", which
// leads to the same file without a change of working folder that every thread would see.
class LocalAddress {
public:
    explicit LocalAddress(const std::filesystem::path& path);
    LocalAddress(const LocalAddress&) = delete;
    LocalAddress& operator=(const LocalAddress&) = delete;

    // False when no address leads there: an empty path or name, a name itself too long,
    // or a folder that cannot be opened.
    bool isValid() const { return valid_; }
    const sockaddr* get() const { return reinterpret_cast<const sockaddr*>(&address_); }
    socklen_t size() const { return sizeof address_; }

private:
    sockaddr_un address_{};
    FileDescriptor folder_;
    bool valid_ = false;
};

} // namespace purlo
