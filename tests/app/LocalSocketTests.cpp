#include "app/LocalAddress.h"
#include "app/LocalConnection.h"
#include "app/LocalListener.h"
#include "app/LocalSocket.h"
#include "tests/support/TemporaryFolder.h"

#include <QCoreApplication>
#include <chrono>
#include <gtest/gtest.h>
#include <memory>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace purlo {
namespace {

namespace fs = std::filesystem;

// A deadline already passed: whatever waits gives up at once.
LocalSocket::Deadline now() {
    return std::chrono::steady_clock::now();
}

// Two connected ends, neither blocking.
std::pair<LocalSocket, LocalSocket> connectedPair() {
    int ends[2];
    EXPECT_EQ(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, ends), 0);
    return {LocalSocket(ends[0]), LocalSocket(ends[1])};
}

TEST(LocalSocket, ALineIsTakenOnlyWholeAndWithinItsLength) {
    const struct {
        std::string sent;
        bool thenClosed;
        std::optional<std::string> line;
    } cases[] = {
        {"taken\n", false, "taken"},
        {"taken\nand more after it", false, "taken"},
        {"twelve bytes\n", false, std::nullopt}, // one past the longest, newline included
        {"eleven byte\n", false, "eleven byte"},
        {"no newline yet", false, std::nullopt},
        {"cut short", true, std::nullopt},
        {"", true, std::nullopt},
    };
    for (const auto& row : cases) {
        auto [ours, peer] = connectedPair();
        ASSERT_TRUE(peer.sendAll(row.sent, now()));
        if (row.thenClosed) {
            peer.close();
        }
        EXPECT_EQ(ours.receiveLine(12, now()), row.line) << row.sent;
    }
}

TEST(LocalSocket, SendsEverythingThroughARoomSmallerThanItsMessage) {
    auto [ours, peer] = connectedPair();
    const int room = 4096;
    ::setsockopt(ours.descriptor(), SOL_SOCKET, SO_SNDBUF, &room, sizeof room);
    std::string message(1 << 20, ' ');
    for (std::size_t at = 0; at < message.size(); ++at) {
        message[at] = static_cast<char>('a' + at % 26);
    }
    std::string received;
    std::thread reader([&peer, &received] {
        while (peer.receiveSome(received, 1 << 20) == LocalSocket::Received::waiting) {
            pollfd readable{peer.descriptor(), POLLIN, 0};
            ::poll(&readable, 1, 1000);
        }
    });
    EXPECT_TRUE(ours.sendAll(message, now() + std::chrono::seconds(20)));
    ours.close();
    reader.join();
    EXPECT_EQ(received.size(), message.size());
    EXPECT_TRUE(received == message);

    EXPECT_FALSE(peer.sendAll("to nobody\n", now())) << "the other end is gone";
}

TEST(LocalSocket, AListenerWhoseQueueIsFullIsWaitedForOnlyUntilTheDeadline) {
    testing::TemporaryFolder folder;
    const auto path = folder / "full.socket";
    const LocalAddress address(path);
    ASSERT_TRUE(address.isValid());
    const LocalSocket listening(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    ASSERT_EQ(::bind(listening.descriptor(), address.get(), address.size()), 0);
    // A queue of one, which a stuck program never empties.
    ASSERT_EQ(::listen(listening.descriptor(), 0), 0);
    std::vector<LocalSocket> waiting;
    for (LocalSocket next = LocalSocket::connectTo(path, now()); next.isOpen();
         next = LocalSocket::connectTo(path, now())) {
        waiting.push_back(std::move(next));
        ASSERT_LT(waiting.size(), 8U);
    }
    EXPECT_FALSE(waiting.empty());
    EXPECT_FALSE(LocalSocket::connectTo(path, now() + std::chrono::milliseconds(30)).isOpen());

    // The stuck program comes to, a moment after the next peer began to wait.
    LocalSocket accepted;
    std::thread comingTo([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        accepted = LocalSocket(::accept(listening.descriptor(), nullptr, nullptr));
    });
    EXPECT_TRUE(LocalSocket::connectTo(path, now() + std::chrono::seconds(5)).isOpen())
        << "waited for room";
    comingTo.join();
    EXPECT_FALSE(LocalSocket::connectTo(folder / "nobody.socket", now()).isOpen());
}

TEST(LocalConnection, GathersOneLineOverManyReadsAnswersItAndCutsOffAnythingElse) {
    const struct {
        std::vector<std::string> chunks;
        bool thenClosed;
        std::string handed;
        std::string answered;
    } cases[] = {
        {{"inte", "nt ", "{}\n"}, false, "intent {}", "taken: intent {}\n"},
        {{"short\nand more"}, false, "short", "taken: short\n"},
        {{"ten bytes", "\n"}, false, "ten bytes", "taken: ten bytes\n"},
        {{"eleven", " bytes", "\n"}, false, "", ""},
        {{"never ends"}, true, "", ""},
    };
    for (const auto& row : cases) {
        auto [ours, peer] = connectedPair();
        std::string handed;
        int ended = 0;
        new LocalConnection(
            std::move(ours), 10, 5000,
            [&handed](LocalConnection& connection, std::string_view line) {
                handed = line;
                connection.finish("taken: " + handed + "\n");
            },
            [&ended] { ++ended; }, nullptr);
        // A peer cut off finds nobody for the rest.
        for (const auto& chunk : row.chunks) {
            peer.sendAll(chunk, now());
            QCoreApplication::processEvents();
        }
        if (row.thenClosed) {
            ::shutdown(peer.descriptor(), SHUT_WR);
        }
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        std::string answered;
        EXPECT_NE(peer.receiveSome(answered, 100), LocalSocket::Received::waiting)
            << "closed after its answer";
        EXPECT_EQ(answered, row.answered) << row.chunks.front();
        EXPECT_EQ(handed, row.handed) << row.chunks.front();
        EXPECT_EQ(ended, 1) << row.chunks.front();
    }
}

TEST(LocalListener, IsTheOwnersOnlyReplacesWhatWasThereAndTakesOnlyItsOwnFileAway) {
    testing::TemporaryFolder folder;
    const auto path = folder / "purlo.socket";
    testing::writeFile(path, "left over");
    auto first = std::make_unique<LocalListener>();
    ASSERT_TRUE(first->listen(path)) << first->errorText();
    EXPECT_TRUE(fs::is_socket(path));
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1)
        << "nothing is left beside it";
    auto client = LocalSocket::connectTo(path, now());
    ASSERT_TRUE(client.isOpen());
    const auto accepted = first->accept();
    ASSERT_TRUE(accepted && accepted->isOpen());
    EXPECT_EQ(accepted->peerUser(), getuid());
    EXPECT_FALSE(first->accept()->isOpen()) << "none waits";

    LocalListener second;
    ASSERT_TRUE(second.listen(path));
    first.reset();
    EXPECT_TRUE(LocalSocket::connectTo(path, now()).isOpen()) << "the second's file stays";
    second.close();
    EXPECT_FALSE(fs::exists(path));

    // However deep its folder lies, as a home folder may, beyond the 107 bytes of an address.
    const fs::path deep = folder / std::string(100, 'd') / std::string(100, 'e') / "purlo.socket";
    fs::create_directories(deep.parent_path());
    LocalListener far;
    ASSERT_TRUE(far.listen(deep)) << far.errorText();
    EXPECT_TRUE(fs::is_socket(deep));
    EXPECT_TRUE(LocalSocket::connectTo(deep, now()).isOpen());
    EXPECT_FALSE(LocalSocket::connectTo(deep.parent_path() / "nobody.socket", now()).isOpen());

    LocalListener tooLong;
    EXPECT_FALSE(tooLong.listen(folder / std::string(300, 'x')));
    EXPECT_EQ(tooLong.errorText(), "File name too long");
}

} // namespace
} // namespace purlo
