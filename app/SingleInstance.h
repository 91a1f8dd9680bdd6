#pragma once

#include "platform/Environment.h"

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

class QLocalSocket;

namespace purlo {

// One cat per user. The running program listens on a local socket of its own; a second
// start finds it there, asks it to reopen (it then shows onboarding or Settings) and
// ends instead of putting a second cat on the desktop. A socket left behind by a
// program that crashed answers nobody and is taken over.
//
// "purlo intent" asks the running program for an action the same way and waits for its
// answer. A peer gets one line of bounded length within a few seconds, and one answer;
// whatever else it sends is dropped with the connection.
class SingleInstance final : public QObject {
    Q_OBJECT

public:
    static constexpr std::string_view reopenMessage = "reopen";
    // Followed by the request, on the same line.
    static constexpr std::string_view intentMessage = "intent ";
    // A peer that has not sent its line by then is dropped; "purlo intent" waits as
    // long for the answer.
    static constexpr int requestMilliseconds = 3000;

    // Answers a request with one line; runs on the event loop.
    using IntentHandler = std::function<std::string(std::string_view request)>;

    // "purlo.socket" in $XDG_RUNTIME_DIR when that is absolute (a folder only the user
    // can enter), else a name with the user's id, which Qt keeps in the temporary folder.
    static QString socketName(const Environment& environment);

    // Asks a program listening on name to reopen; true when one took the message.
    static bool handOver(const QString& name);

    // Sends request to the program listening on name and waits for its answer: nothing
    // when no program listens, an empty text when it gave no answer in time.
    static std::optional<std::string> ask(const QString& name, std::string_view request);

    // Listens on name from now on, calling onReopen for every reopen message and
    // onIntent for every request; false when another running program has it.
    bool listen(const QString& name, std::function<void()> onReopen, IntentHandler onIntent = {});

private:
    void accept();
    void read(QLocalSocket* socket);

    QLocalServer server_;
    std::function<void()> onReopen_;
    IntentHandler onIntent_;
};

} // namespace purlo
