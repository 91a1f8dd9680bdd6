#pragma once

#include "app/LocalSocket.h"

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <functional>
#include <string>
#include <string_view>

namespace purlo {

// A peer's connection as the program serves it on Qt's event loop. It gathers one line
// of at most a given length, its newline included, and hands it on; then it sends back
// the answer it is given and closes. A peer that sends a longer line, ends before its
// newline or is not done in the time allowed is cut off. onEnded is told once, when the
// connection closes, whichever way; the object then goes with the next turn of the loop.
class LocalConnection final : public QObject {
public:
    using LineHandler = std::function<void(LocalConnection& connection, std::string_view line)>;

    LocalConnection(LocalSocket socket, std::size_t longestLine, int allowedMilliseconds,
                    LineHandler onLine, std::function<void()> onEnded, QObject* parent);

    // Sends answer, then closes.
    void finish(std::string answer = {});
    // Closes at once.
    void drop();

private:
    void readable();
    void writable();

    LocalSocket socket_;
    std::size_t longestLine_;
    LineHandler onLine_;
    std::function<void()> onEnded_;
    std::string received_;
    std::string unsent_;
    bool ended_ = false;
    // After the socket, so that they stop watching before it closes.
    QSocketNotifier reading_;
    QSocketNotifier writing_;
    QTimer allowed_;
};

} // namespace purlo
