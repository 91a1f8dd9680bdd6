#include "app/InstanceLock.h"
#include "app/SingleInstance.h"
#include "app/SocketPlace.h"
#include "intents/PurloIntentRequest.h"
#include "tests/support/ManualEventLoop.h"
#include "tests/support/TemporaryFolder.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLocalSocket>
#include <csignal>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace purlo {
namespace {

QString nameIn(const testing::TemporaryFolder& folder) {
    return QString::fromStdString((folder / "purlo.socket").string());
}

// Turns the loop, deleting what was left for deletion, until condition holds or two
// seconds have passed.
bool settled(const std::function<bool()>& condition) {
    for (QDeadlineTimer end(2000); !condition();
         QCoreApplication::processEvents(QEventLoop::AllEvents, 20)) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (end.hasExpired()) {
            return false;
        }
    }
    return true;
}

void processEvents() {
    for (int turn = 0; turn < 10; ++turn) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST(SocketPlace, IsTheSessionsFolderElseAFolderInTheUsersHomeTrustedOnlyWhenClosedToOthers) {
    namespace fs = std::filesystem;
    EXPECT_EQ(SocketPlace::of({{"XDG_RUNTIME_DIR", "/run/user/7"}, {"HOME", "/h"}}).socket(),
              "/run/user/7/purlo.socket");
    EXPECT_EQ(SocketPlace::of({{"XDG_RUNTIME_DIR", "run/user"}, {"TMPDIR", "/tmp"}, {"HOME", "/h"}})
                  .lock(),
              "/h/.local/state/Purlo/purlo.lock")
        << "relative folders are none, and the shared temporary folder is never used";
    EXPECT_EQ(SocketPlace::of({{"XDG_STATE_HOME", "/state"}, {"HOME", "/h"}}).socket(),
              "/state/Purlo/purlo.socket");
    EXPECT_EQ(SocketPlace::of({{"XDG_RUNTIME_DIR", "/nonexistent"}}).secure(7), std::nullopt)
        << "the session's own folder is taken as the session gives it";

    const uid_t user = getuid();
    const auto folderOnly = [](const fs::path& folder, const fs::path&) {
        fs::create_directories(folder);
        fs::permissions(folder, fs::perms::all);
    };
    const struct {
        std::function<void(const fs::path& folder, const fs::path& elsewhere)> lay;
        uid_t checkedAs;
        std::optional<std::string> why;
    } cases[] = {
        {[](const fs::path&, const fs::path&) {}, user, std::nullopt},
        {folderOnly, user, std::nullopt},
        {folderOnly, user + 4242, "belongs to another user"},
        {[](const fs::path& folder, const fs::path& elsewhere) {
             fs::create_directories(folder.parent_path());
             fs::create_directory(elsewhere);
             fs::create_directory_symlink(elsewhere, folder);
         },
         user, "is not a folder"},
        {[](const fs::path& folder, const fs::path&) { testing::writeFile(folder, ""); }, user,
         "is not a folder"},
    };
    for (const auto& row : cases) {
        testing::TemporaryFolder temporary;
        const auto place = SocketPlace::of({{"HOME", temporary / "home"}});
        row.lay(place.folder, temporary / "elsewhere");
        const auto problem = place.secure(row.checkedAs);
        ASSERT_EQ(problem.has_value(), row.why.has_value()) << place.folder;
        if (row.why) {
            EXPECT_EQ(*problem, "Purlo runs without her socket, as " + place.folder.string() + " " +
                                    *row.why +
                                    ": another start or “purlo intent” will not find her.");
        } else {
            EXPECT_EQ(fs::symlink_status(place.folder).permissions(), fs::perms::owner_all);
        }
    }
}

TEST(InstanceLock, IsHeldByOneAtATimeUntilItsHolderEndsInAFileOfTheUsersOnly) {
    testing::TemporaryFolder folder;
    const auto path = folder / "purlo.lock";
    const uid_t user = getuid();
    auto first = std::make_unique<InstanceLock>();
    EXPECT_EQ(first->take(path, user), InstanceLock::State::held);
    EXPECT_EQ(std::filesystem::status(path).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    InstanceLock second;
    EXPECT_EQ(second.take(path, user), InstanceLock::State::heldByAnother);
    first.reset();
    EXPECT_EQ(second.take(path, user), InstanceLock::State::held);

    InstanceLock stranger;
    EXPECT_EQ(stranger.take(path, user + 4242), InstanceLock::State::unavailable)
        << "the file is not theirs";
    std::filesystem::create_symlink(path, folder / "link.lock");
    InstanceLock throughALink;
    EXPECT_EQ(throughALink.take(folder / "link.lock", user), InstanceLock::State::unavailable);
    InstanceLock nowhere;
    EXPECT_EQ(nowhere.take(folder / "gone" / "purlo.lock", user), InstanceLock::State::unavailable);
}

TEST(SingleInstance, ASecondStartAsksTheFirstToReopenAndACrashedOnesSocketIsTakenOver) {
    testing::TemporaryFolder folder;
    const QString name = nameIn(folder);
    // What a program that crashed leaves behind: a socket file nobody listens on.
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    name.toStdString().copy(address.sun_path, sizeof(address.sun_path) - 1);
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    close(fd);
    EXPECT_FALSE(SingleInstance::handOver(name)) << "nobody there";

    testing::ManualEventLoop loop;
    int reopened = 0;
    SingleInstance first;
    EXPECT_EQ(first.start(name, folder / "purlo.lock"), SingleInstance::Start::first);
    ASSERT_TRUE(first.listen(name, loop, [&] { ++reopened; }));
    EXPECT_TRUE(SingleInstance::handOver(name));
    processEvents();
    EXPECT_EQ(reopened, 1);

    SingleInstance second;
    EXPECT_EQ(second.start(name, folder / "purlo.lock"), SingleInstance::Start::handedOver);
    processEvents();
    EXPECT_EQ(reopened, 2);

    SingleInstance rival;
    EXPECT_FALSE(rival.listen(name, loop, [] {})) << "a live listener keeps its socket";
    EXPECT_TRUE(SingleInstance::handOver(name));
    processEvents();
    EXPECT_EQ(reopened, 3);
}

// How a start of a pair in a process of its own ended.
enum Outcome : int { firstReopened = 10, firstAlone = 11, handedOver = 20, unanswered = 30 };

// One start of a pair: waits for the starting shot, then decides as the program does; a
// first start waits to be asked to reopen.
[[noreturn]] void contend(const QString& name, const std::filesystem::path& lock, int shot) {
    char ignored = 0;
    (void)!::read(shot, &ignored, 1);
    testing::ManualEventLoop loop;
    SingleInstance instance;
    switch (instance.start(name, lock)) {
    case SingleInstance::Start::first:
        break;
    case SingleInstance::Start::handedOver:
        ::_exit(handedOver);
    case SingleInstance::Start::unanswered:
        ::_exit(unanswered);
    }
    bool reopened = false;
    if (instance.listen(name, loop, [&] { reopened = true; })) {
        for (QDeadlineTimer end(5000); !reopened && !end.hasExpired();) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
    }
    ::_exit(reopened ? firstReopened : firstAlone);
}

// How child ended, given twenty seconds; it is killed after that.
int outcome(pid_t child) {
    int status = 0;
    for (QDeadlineTimer end(20000); ::waitpid(child, &status, WNOHANG) == 0;) {
        if (end.hasExpired()) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            return -1;
        }
        ::usleep(1000);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(SingleInstance, OfTwoStartsAtTheSameMomentOneIsFirstAndTheOtherHandsOverToIt) {
    testing::TemporaryFolder folder;
    const QString name = nameIn(folder);
    for (int pair = 1; pair <= 50; ++pair) {
        int shot[2];
        ASSERT_EQ(::pipe(shot), 0);
        pid_t starts[2];
        for (pid_t& start : starts) {
            start = ::fork();
            if (start == 0) {
                ::close(shot[1]);
                contend(name, folder / "purlo.lock", shot[0]);
            }
        }
        // Both read the end of the pipe at once.
        ::close(shot[0]);
        ::close(shot[1]);
        const std::multiset<int> outcomes{outcome(starts[0]), outcome(starts[1])};
        ASSERT_EQ(outcomes, (std::multiset<int>{firstReopened, handedOver})) << "pair " << pair;
    }
}

// A peer on the socket as "purlo intent" or anything else could be: sends bytes, then
// reads whatever comes back until the program closes the connection.
std::string exchange(const QString& name, const QByteArray& bytes) {
    QLocalSocket peer;
    peer.connectToServer(name);
    if (!peer.waitForConnected(1000)) {
        return "(not connected)";
    }
    peer.write(bytes);
    for (QDeadlineTimer end(2000);
         peer.state() == QLocalSocket::ConnectedState && !end.hasExpired();) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return peer.readAll().toStdString();
}

// A program listening in a folder of the test's own, on virtual time.
struct Listening {
    Listening(std::function<void()> onReopen, SingleInstance::IntentHandler onIntent) {
        EXPECT_TRUE(instance.listen(name, loop, std::move(onReopen), std::move(onIntent)));
    }
    testing::TemporaryFolder folder;
    const QString name = nameIn(folder);
    testing::ManualEventLoop loop;
    SingleInstance instance;
};

TEST(SingleInstance, AnswersOneBoundedRequestLineAndDropsAnythingElse) {
    std::vector<std::string> requests;
    int reopened = 0;
    const Listening program([&] { ++reopened; },
                            [&](std::string_view request) {
                                requests.emplace_back(request);
                                return std::string(R"({"dialog":"Purlo purrs."})");
                            });
    const QString& name = program.name;
    const QByteArray tooLong(20000, 'x');
    const struct {
        QByteArray sent;
        std::string answer;
        std::vector<std::string> requests;
        int reopened;
    } cases[] = {
        {"intent {\"action\":\"pet\"}\n",
         "{\"dialog\":\"Purlo purrs.\"}\n",
         {R"({"action":"pet"})"},
         0},
        {"intent \n", "{\"dialog\":\"Purlo purrs.\"}\n", {""}, 0},
        {"intent a\nintent b\n", "{\"dialog\":\"Purlo purrs.\"}\n", {"a"}, 0},
        {"reopen\n", "", {}, 1},
        {" reopen \n", "", {}, 1},
        {"intent{}\n", "", {}, 0},
        {"rm -rf ~\n", "", {}, 0},
        {"intent " + tooLong + "\n", "", {}, 0},
        {"intent " + tooLong, "", {}, 0},
    };
    for (const auto& row : cases) {
        requests.clear();
        reopened = 0;
        EXPECT_EQ(exchange(name, row.sent), row.answer) << row.sent.left(40).toStdString();
        EXPECT_EQ(requests, row.requests) << row.sent.left(40).toStdString();
        EXPECT_EQ(reopened, row.reopened) << row.sent.left(40).toStdString();
    }
}

TEST(SingleInstance, TheLongestRequestTheDecoderTakesIsTheLongestTheSocketReads) {
    const Listening program([] {},
                            [](std::string_view request) {
                                return std::string(PurloIntentRequest::decode(request) ? "taken"
                                                                                       : "refused");
                            });
    for (const auto& [length, answer] :
         {std::pair<std::size_t, std::string>{8191, "taken\n"}, {8192, "taken\n"}, {8193, ""}}) {
        // {"action":"pet"} and spaces after it, which JSON allows.
        std::string request = R"({"action":"pet"})";
        request.resize(length, ' ');
        EXPECT_EQ(exchange(program.name, QByteArray::fromStdString("intent " + request + "\n")),
                  answer)
            << length;
        EXPECT_EQ(PurloIntentRequest::decode(request).has_value(), !answer.empty()) << length;
    }
}

TEST(SingleInstance, NeverHandsOverToAnswersOrServesAPeerOfAnotherUser) {
    testing::TemporaryFolder folder;
    const QString name = nameIn(folder);
    const uid_t stranger = getuid() + 4242;
    testing::ManualEventLoop loop;
    int reopened = 0;
    int asked = 0;
    const auto answer = [&](std::string_view) {
        ++asked;
        return std::string(R"({"dialog":"Purlo purrs."})");
    };
    SingleInstance ours;
    ASSERT_TRUE(ours.listen(
        name, loop, [&] { ++reopened; }, answer));
    // What a start of another user's makes of this user's program.
    EXPECT_FALSE(SingleInstance::handOver(name, stranger));
    EXPECT_EQ(SingleInstance::ask(name, R"({"action":"pet"})", stranger), std::nullopt);
    SingleInstance theirs(stranger);
    EXPECT_EQ(theirs.start(name, folder / "their.lock"), SingleInstance::Start::first);
    EXPECT_TRUE(theirs.listen(
        name, loop, [&] { ++reopened; }, answer))
        << "a program of another user's on the name is no reason to stand back";
    processEvents();
    EXPECT_EQ(reopened, 0);
    EXPECT_EQ(asked, 0);

    // What this user's peers get from a program of another user's.
    EXPECT_EQ(exchange(name, "intent {\"action\":\"pet\"}\n"), "");
    EXPECT_EQ(exchange(name, "reopen\n"), "");
    processEvents();
    EXPECT_EQ(reopened, 0);
    EXPECT_EQ(asked, 0);
}

// The files this process has open.
int openFiles() {
    return static_cast<int>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                                          std::filesystem::directory_iterator()));
}

// Lowers how many files this process may open for as long as it lives.
struct FileLimit {
    explicit FileLimit(rlim_t files) {
        getrlimit(RLIMIT_NOFILE, &saved);
        rlimit lowered = saved;
        lowered.rlim_cur = files;
        setrlimit(RLIMIT_NOFILE, &lowered);
    }
    ~FileLimit() { setrlimit(RLIMIT_NOFILE, &saved); }
    rlimit saved{};
};

TEST(SingleInstance, AFloodIsServedAFewAtATimeAndCannotEndTheListening) {
    Listening program([] {},
                      [](std::string_view) { return std::string(R"({"dialog":"Purlo purrs."})"); });
    const QString& name = program.name;
    const SingleInstance& instance = program.instance;
    // Peers that each begin a request and never end it.
    std::vector<std::unique_ptr<QLocalSocket>> peers;
    const auto flood = [&](int count, bool served) {
        int most = 0;
        for (int peer = 0; peer < count; ++peer) {
            peers.push_back(std::make_unique<QLocalSocket>());
            peers.back()->connectToServer(name);
            if (served) {
                peers.back()->write("intent {");
                peers.back()->flush();
                QCoreApplication::processEvents();
                most = std::max(most, instance.connections());
            }
        }
        return most;
    };
    EXPECT_EQ(flood(100, true), SingleInstance::servedAtOnce);
    peers.clear();
    EXPECT_TRUE(settled([&] { return instance.connections() == 0; }))
        << "every connection is gone with its peer";

    {
        // So few files that accepting the next connection fails.
        const FileLimit limit(static_cast<rlim_t>(openFiles() + 16));
        flood(40, false);
        processEvents();
        peers.clear();
        program.loop.advance(SingleInstance::listeningCheckSeconds);
        EXPECT_EQ(exchange(name, "intent {\"action\":\"pet\"}\n"),
                  "{\"dialog\":\"Purlo purrs.\"}\n")
            << "listening again once files are free";
    }
    EXPECT_TRUE(settled([&] { return instance.connections() == 0; }));
}

} // namespace
} // namespace purlo
