#include "app/SingleInstance.h"
#include "tests/support/TemporaryFolder.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace purlo {
namespace {

using testing::TemporaryFolder;

// Lets the listener take what arrived.
void deliver() {
    for (int i = 0; i < 10; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

// What a program that crashed leaves behind: a socket file nobody listens on.
void leaveStaleSocket(const std::filesystem::path& path) {
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    close(fd);
    ASSERT_TRUE(std::filesystem::exists(path));
}

TEST(SingleInstance, ListensInTheUsersRuntimeFolder) {
    EXPECT_EQ(SingleInstance::socketName({{"XDG_RUNTIME_DIR", "/run/user/1000"}}),
              "/run/user/1000/purlo.socket");
    const QString fallback = QStringLiteral("purlo-%1").arg(getuid());
    EXPECT_EQ(SingleInstance::socketName({}), fallback);
    EXPECT_EQ(SingleInstance::socketName({{"XDG_RUNTIME_DIR", "run/user"}}), fallback)
        << "a relative folder is no runtime folder";
}

TEST(SingleInstance, ASecondStartAsksTheFirstToReopen) {
    TemporaryFolder folder;
    const QString name = QString::fromStdString((folder / "purlo.socket").string());
    EXPECT_FALSE(SingleInstance::handOver(name)) << "nobody there yet";

    int reopened = 0;
    SingleInstance first;
    ASSERT_TRUE(first.listen(name, [&] { ++reopened; }));
    EXPECT_TRUE(SingleInstance::handOver(name));
    deliver();
    EXPECT_EQ(reopened, 1);

    SingleInstance rival;
    EXPECT_FALSE(rival.listen(name, [] {})) << "a live listener keeps its socket";
    EXPECT_TRUE(SingleInstance::handOver(name));
    deliver();
    EXPECT_EQ(reopened, 2);
}

TEST(SingleInstance, TakesOverTheSocketOfAProgramThatCrashed) {
    TemporaryFolder folder;
    const auto path = folder / "purlo.socket";
    leaveStaleSocket(path);
    const QString name = QString::fromStdString(path.string());
    EXPECT_FALSE(SingleInstance::handOver(name));

    int reopened = 0;
    SingleInstance instance;
    ASSERT_TRUE(instance.listen(name, [&] { ++reopened; }));
    EXPECT_TRUE(SingleInstance::handOver(name));
    deliver();
    EXPECT_EQ(reopened, 1);
}

} // namespace
} // namespace purlo
