#pragma once

#include "app/InstanceLock.h"
#include "app/LocalListener.h"
#include "platform/Cancellable.h"
#include "platform/EventLoop.h"

#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <unistd.h>

namespace purlo {

class LocalConnection;

// One cat per user. The first start holds a lock beside the socket for as long as it
// runs and listens on the socket; a second start finds the lock taken, asks the first to
// reopen (it then shows onboarding or Settings) and ends instead of putting a second cat
// on the desktop. A socket left behind by a program that crashed answers nobody and is
// taken over. Only a peer running as the same user is ever answered or handed over to.
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
    // How long a second start waits for the first, which holds the lock, to listen.
    static constexpr int startMilliseconds = 10000;
    // Peers served at once; more are closed as they come. A user's own commands never
    // come near it, and a flood cannot take every file the program may open.
    static constexpr int servedAtOnce = 32;
    // How often a program that should listen checks that it still does.
    static constexpr double listeningCheckSeconds = 5;

    enum class Start { first, handedOver, unanswered };

    // Answers a request with one line; runs on the event loop.
    using IntentHandler = std::function<std::string(std::string_view request)>;

    // Trusts and serves peers running as user only.
    explicit SingleInstance(uid_t user = getuid());
    ~SingleInstance() override;

    // Asks a program of user's listening on name to reopen; true when one took the message.
    static bool handOver(const QString& name, uid_t user = getuid());

    // Sends request to the program of user's listening on name and waits for its answer:
    // nothing when no such program listens, an empty text when it gave no answer in time.
    static std::optional<std::string> ask(const QString& name, std::string_view request,
                                          uid_t user = getuid());

    // Decides whether this is the user's first start: the one that takes the lock at
    // lockPath, kept for as long as this object lives. While another start holds it, that
    // one is asked to reopen as soon as it listens on name; if it ends first, this start
    // takes the lock after all. Where no lock can be had, only a program already
    // listening makes this start a second one.
    Start start(const QString& name, const std::filesystem::path& lockPath);

    // Listens on name from now on, and again whenever the listening stops (as it does
    // when the program runs out of files; loop checks for that), calling onReopen for
    // every reopen message and onIntent for every request; false when another running
    // program of user's has it, or the socket cannot be made (errorString says why).
    bool listen(const QString& name, EventLoop& loop, std::function<void()> onReopen,
                IntentHandler onIntent = {});
    QString errorString() const { return QString::fromStdString(error_); }

    // The connections open now.
    int connections() const { return connections_; }

private:
    bool open();
    void stopListening();
    void listenAgain();
    void accept();
    void answer(LocalConnection& connection, std::string_view line);
    void ended();

    uid_t user_;
    InstanceLock lock_;
    QString name_;
    std::function<void()> onReopen_;
    IntentHandler onIntent_;
    int connections_ = 0;
    std::string error_;
    LocalListener listener_;
    std::unique_ptr<QSocketNotifier> listening_;
    Cancellable listeningCheck_;
    // The connections being served are its children; they go before everything they use.
    QObject served_;
};

} // namespace purlo
