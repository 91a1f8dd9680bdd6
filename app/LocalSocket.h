#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace purlo {

// One end of a connection over a Unix stream socket. It never blocks the thread by
// itself: whatever has to wait for the other end waits at most until a deadline.
// Interrupted calls are made again, and writing to a peer that is gone is an error,
// never a signal that ends the program. Closed with the object.
class LocalSocket {
public:
    using Deadline = std::chrono::steady_clock::time_point;

    // How a read for more of a peer's bytes went.
    enum class Received { waiting, ended, failed };

    LocalSocket() = default;
    // Takes descriptor, which is set not to block, as its own.
    explicit LocalSocket(int descriptor)
        : descriptor_(descriptor) {}
    ~LocalSocket();
    LocalSocket(LocalSocket&& other) noexcept;
    LocalSocket& operator=(LocalSocket&& other) noexcept;

    // Connects to whoever listens at path. While the listener's queue of connections is
    // full it tries again until deadline; an unopened socket when nobody listens there.
    static LocalSocket connectTo(const std::filesystem::path& path, Deadline deadline);

    bool isOpen() const { return descriptor_ >= 0; }
    int descriptor() const { return descriptor_; }
    // The user the other end runs as. The system vouches for it, whoever made the file.
    std::optional<uid_t> peerUser() const;

    // Sends the front of bytes as far as the socket takes it now and removes what went;
    // false when the connection failed.
    bool sendSome(std::string& bytes);
    // Sends all of bytes, waiting for room until deadline; false when they did not go.
    bool sendAll(std::string_view bytes, Deadline deadline);
    // Appends what has arrived, at most room bytes, to received.
    Received receiveSome(std::string& received, std::size_t room);
    // Waits until deadline for one line of at most longest bytes, its newline included;
    // the line without its newline, or nothing when none came whole.
    std::optional<std::string> receiveLine(std::size_t longest, Deadline deadline);

    void close();

private:
    // Waits until the socket is ready for events, or has failed, or deadline passes.
    bool waitFor(short events, Deadline deadline) const;

    int descriptor_ = -1;
};

} // namespace purlo
