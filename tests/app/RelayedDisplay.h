#pragma once

// A second name for a display, reached through a relay that can lose the display the worst
// way for a program: when told, it first stops taking what the program writes, as the
// socket of a server that went away does, and closes only a second later, so the program
// learns of the end from a write that fails before it can read that the display went.

#include <atomic>
#include <chrono>
#include <filesystem>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace purlo::testing {

class RelayedDisplay {
public:
    // display is a local one, ":170"; name stays empty where no relay could be set up.
    explicit RelayedDisplay(const std::string& display)
        : server_(socketPath(display.substr(1))) {
        // Numbers above those the tests' own servers take.
        for (int number = 230; number < 260 && name.empty(); ++number) {
            const std::string path = socketPath(std::to_string(number));
            if (std::filesystem::exists("/tmp/.X" + std::to_string(number) + "-lock") ||
                std::filesystem::exists(path)) {
                continue;
            }
            listener_ = listeningSocket(path);
            if (listener_ >= 0) {
                name = ":" + std::to_string(number);
                path_ = path;
            }
        }
        if (!name.empty()) {
            relay_ = std::thread([this] { relay(); });
        }
    }
    ~RelayedDisplay() {
        stop_ = true;
        if (relay_.joinable()) {
            relay_.join();
        }
        closeAll();
        if (listener_ >= 0) {
            close(listener_);
            std::filesystem::remove(path_);
        }
    }
    RelayedDisplay(const RelayedDisplay&) = delete;
    RelayedDisplay& operator=(const RelayedDisplay&) = delete;

    void loseTheDisplay() { lost_ = true; }

    std::string name;

private:
    struct Connection {
        int program;
        int server;
    };
    static constexpr auto closingDelay = std::chrono::seconds(1);

    static std::string socketPath(const std::string& number) { return "/tmp/.X11-unix/X" + number; }
    static sockaddr_un address(const std::string& path) {
        sockaddr_un place{};
        place.sun_family = AF_UNIX;
        path.copy(place.sun_path, sizeof(place.sun_path) - 1);
        return place;
    }
    static int listeningSocket(const std::string& path) {
        const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const sockaddr_un place = address(path);
        if (bind(socket, reinterpret_cast<const sockaddr*>(&place), sizeof(place)) != 0 ||
            listen(socket, 8) != 0) {
            close(socket);
            return -1;
        }
        return socket;
    }
    int connectToServer() const {
        const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const sockaddr_un place = address(server_);
        if (connect(socket, reinterpret_cast<const sockaddr*>(&place), sizeof(place)) != 0) {
            close(socket);
            return -1;
        }
        return socket;
    }
    // Hands over what one end has to the other; false once that end has closed.
    static bool pass(int from, int to) {
        char bytes[65536];
        const ssize_t read = recv(from, bytes, sizeof(bytes), 0);
        for (ssize_t sent = 0; read > 0 && sent < read;) {
            const ssize_t more = send(to, bytes + sent, read - sent, MSG_NOSIGNAL);
            if (more <= 0) {
                return false;
            }
            sent += more;
        }
        return read > 0;
    }

    void relay() {
        std::optional<std::chrono::steady_clock::time_point> lostAt;
        while (!stop_) {
            if (lost_ && !lostAt) {
                lostAt = std::chrono::steady_clock::now();
                for (const Connection& connection : connections_) {
                    shutdown(connection.program, SHUT_RD);
                }
            }
            if (lostAt && std::chrono::steady_clock::now() - *lostAt > closingDelay) {
                closeAll();
            }
            std::vector<pollfd> watched{{listener_, POLLIN, 0}};
            for (const Connection& connection : connections_) {
                watched.push_back({connection.server, POLLIN, 0});
                // Once refused, what the program writes is never read.
                watched.push_back({lostAt ? -1 : connection.program, POLLIN, 0});
            }
            if (poll(watched.data(), watched.size(), 50) <= 0) {
                continue;
            }
            std::vector<Connection> open;
            for (std::size_t index = 0; index < connections_.size(); ++index) {
                const Connection connection = connections_[index];
                if ((watched[2 * index + 1].revents == 0 ||
                     pass(connection.server, connection.program)) &&
                    (watched[2 * index + 2].revents == 0 ||
                     pass(connection.program, connection.server))) {
                    open.push_back(connection);
                } else {
                    close(connection.program);
                    close(connection.server);
                }
            }
            connections_ = std::move(open);
            if (watched[0].revents != 0 && !lostAt) {
                takeConnection();
            }
        }
    }
    void takeConnection() {
        const int program = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        const int server = program >= 0 ? connectToServer() : -1;
        if (server < 0) {
            close(program);
            return;
        }
        connections_.push_back({program, server});
    }
    void closeAll() {
        for (const Connection& connection : connections_) {
            close(connection.program);
            close(connection.server);
        }
        connections_.clear();
    }

    std::string server_;
    std::string path_;
    int listener_ = -1;
    std::vector<Connection> connections_;
    std::atomic<bool> lost_ = false;
    std::atomic<bool> stop_ = false;
    std::thread relay_;
};

} // namespace purlo::testing
