#pragma once

#include <cerrno>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace purlo {

// Why the system call that just failed on this thread failed.
inline std::error_code lastError() {
    return {errno, std::generic_category()};
}

// An open file descriptor, closed when it goes out of scope however the work with it
// ends.
class FileDescriptor {
public:
    explicit FileDescriptor(int descriptor)
        : descriptor_(descriptor) {}
    ~FileDescriptor() {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return descriptor_; }
    bool isOpen() const { return descriptor_ >= 0; }
    // Closes now, reporting the error a late write may only show here.
    std::error_code close() {
        const int descriptor = std::exchange(descriptor_, -1);
        return ::close(descriptor) == 0 ? std::error_code() : lastError();
    }

private:
    int descriptor_;
};

} // namespace purlo
