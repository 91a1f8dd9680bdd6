#pragma once

// A second name for a display, reached through a relay that can lose the display the worst
// way for a program: it first stops taking what the program writes, as the socket of a
// server that went away does, and closes only a second later, so the program learns of the
// end from a write that fails before it can read that the display went.

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <mutex>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace purlo::testing {

class RelayedDisplay {
public:
    // display is a local one, ":170"; name stays empty where no relay could be set up.
    explicit RelayedDisplay(const std::string& display)
        : server_(socketOf(display.substr(1))) {
        // Numbers above those the tests' own servers take. The relay listens in the abstract
        // namespace, where X clients on Linux look first: a name there goes with the process
        // that holds it, where a socket file would outlive a test that was killed, and the
        // files of killed runs on a shared machine soon took every number.
        for (int number = 230; number < 260 && name.empty(); ++number) {
            const auto [place, length] = abstractAddress(socketOf(std::to_string(number)));
            if (!std::filesystem::exists("/tmp/.X" + std::to_string(number) + "-lock") &&
                ::bind(listener_, reinterpret_cast<const sockaddr*>(&place), length) == 0 &&
                ::listen(listener_, 8) == 0) {
                name = ":" + std::to_string(number);
            }
        }
        if (!name.empty()) {
            accepting_ = std::thread([this] { relayEachConnection(); });
        }
    }
    ~RelayedDisplay() {
        ::shutdown(listener_, SHUT_RDWR);
        if (accepting_.joinable()) {
            accepting_.join();
        }
        closeAll();
        for (std::thread& thread : passing_) {
            thread.join();
        }
        for (const int end : ends_) {
            ::close(end);
        }
        ::close(listener_);
    }
    RelayedDisplay(const RelayedDisplay&) = delete;
    RelayedDisplay& operator=(const RelayedDisplay&) = delete;

    void loseTheDisplay() {
        {
            const std::lock_guard lock(mutex_);
            for (std::size_t program = 0; program < ends_.size(); program += 2) {
                ::shutdown(ends_[program], SHUT_RD);
            }
        }
        std::this_thread::sleep_for(std::chrono::seconds(1));
        closeAll();
    }

    std::string name;

private:
    static std::string socketOf(const std::string& number) { return "/tmp/.X11-unix/X" + number; }
    static sockaddr_un address(const std::string& path) {
        sockaddr_un place{};
        place.sun_family = AF_UNIX;
        path.copy(place.sun_path, sizeof(place.sun_path) - 1);
        return place;
    }
    // The same path's name in the abstract namespace, and its length.
    static std::pair<sockaddr_un, socklen_t> abstractAddress(const std::string& path) {
        sockaddr_un place{};
        place.sun_family = AF_UNIX;
        path.copy(place.sun_path + 1, sizeof(place.sun_path) - 2);
        return {place, static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + path.size())};
    }
    // Hands on what one end sends until it closes or stops; an end is never closed on the
    // other's behalf, so the program never reads an end before its write fails.
    static void pass(int from, int to) {
        char bytes[65536];
        for (ssize_t read = 0; (read = ::recv(from, bytes, sizeof(bytes), 0)) > 0;) {
            if (::send(to, bytes, read, MSG_NOSIGNAL) != read) {
                return;
            }
        }
    }
    void relayEachConnection() {
        for (int program = 0; (program = ::accept(listener_, nullptr, nullptr)) >= 0;) {
            const int server = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
            const sockaddr_un place = address(server_);
            ::connect(server, reinterpret_cast<const sockaddr*>(&place), sizeof(place));
            const std::lock_guard lock(mutex_);
            ends_.insert(ends_.end(), {program, server});
            passing_.emplace_back(pass, server, program);
            passing_.emplace_back(pass, program, server);
        }
    }
    // Shut down first: that wakes whatever waits on them, which closing alone does not.
    void closeAll() {
        const std::lock_guard lock(mutex_);
        for (const int end : ends_) {
            ::shutdown(end, SHUT_RDWR);
        }
    }

    std::string server_;
    int listener_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    std::thread accepting_;
    std::mutex mutex_;
    // The program's end of each connection, then the server's.
    std::vector<int> ends_;
    std::vector<std::thread> passing_;
};

} // namespace purlo::testing
