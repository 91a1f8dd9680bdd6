#include "app/TerminationSignals.h"
#include "platform/qt/QtEventLoop.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <csignal>
#include <gtest/gtest.h>

namespace purlo {
namespace {

TEST(TerminationSignals, EachSignalEndsTheProgramThroughTheLoopNotTheHandler) {
    for (const int number : TerminationSignals::handled) {
        SCOPED_TRACE(number);
        QtEventLoop loop;
        int received = 0;
        {
            TerminationSignals signals(loop, [&] { ++received; });
            ASSERT_TRUE(signals.isWatching());
            std::raise(number);
            std::raise(number);
            EXPECT_EQ(received, 0) << "nothing runs inside the handler";
            for (int i = 0; i < 10 && received == 0; ++i) {
                QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            }
            EXPECT_EQ(received, 1) << "two signals before the loop turns are one";
        }
        struct sigaction restored {};
        sigaction(number, nullptr, &restored);
        EXPECT_EQ(restored.sa_handler, SIG_DFL) << "the default comes back with the watcher";
    }
}

} // namespace
} // namespace purlo
