#pragma once

#include "app/LocalSocket.h"

#include <filesystem>
#include <optional>
#include <string>
#include <sys/types.h>

namespace purlo {

// A Unix socket listening at a path, readable and writable by its owner only from the
// moment anyone can find it: it is made under a name of its own beside the path, closed
// to others, and only then renamed over whatever is at the path. Its file goes with it,
// unless something else has taken its place since.
class LocalListener {
public:
    LocalListener() = default;
    ~LocalListener();
    LocalListener(const LocalListener&) = delete;
    LocalListener& operator=(const LocalListener&) = delete;

    // Listens at path from now on, instead of wherever it listened before; false when
    // it cannot (errorText says why).
    bool listen(const std::filesystem::path& path);
    bool isListening() const { return descriptor_ >= 0; }
    // Readable while connections wait.
    int descriptor() const { return descriptor_; }
    const std::string& errorText() const { return error_; }

    // The next connection waiting, set not to block: an unopened socket when none waits,
    // nothing when accepting failed (as it does when the program is out of files).
    std::optional<LocalSocket> accept();
    void close();

private:
    bool fail(int error);

    int descriptor_ = -1;
    std::filesystem::path path_;
    // Which file at path_ is this socket's.
    dev_t device_ = 0;
    ino_t inode_ = 0;
    std::string error_;
};

} // namespace purlo
