#include "platform/qt/QtDesktopObservers.h"
#include "platform/qt/QtPointerSource.h"
#include "platform/qt/QtScreenSource.h"
#include "tests/support/ManualEventLoop.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::ManualEventLoop;

// The offscreen platform has one screen whose whole area is free.
Rect offscreenScreen() {
    const QRect geometry = QGuiApplication::primaryScreen()->geometry();
    return Rect{{0, 0},
                {static_cast<double>(geometry.width()), static_cast<double>(geometry.height())}};
}

TEST(QtScreenSource, ReportsEachScreensFreeAreaWithYUpward) {
    EXPECT_EQ(QtScreenSource().visibleFrames(), std::vector<Rect>{offscreenScreen()});
}

TEST(QtPointerSource, ReadsThePointerWithYUpward) {
    const double height = offscreenScreen().height();
    QCursor::setPos(QPoint(120, 30));
    EXPECT_EQ(QtPointerSource().location(), (Point{120, height - 31}));
}

TEST(QtDesktopObservers, ABurstOfScreenSignalsMakesOneNoticeOnTheLoop) {
    ManualEventLoop loop;
    QtDesktopObservers observers(loop);
    int notices = 0;
    auto observation = observers.observeScreenParametersChanged([&] { ++notices; });
    QScreen* screen = QGuiApplication::primaryScreen();

    Q_EMIT screen->geometryChanged(screen->geometry());
    Q_EMIT screen->availableGeometryChanged(screen->availableGeometry());
    EXPECT_EQ(notices, 0);
    loop.runPending();
    EXPECT_EQ(notices, 1);

    Q_EMIT screen->availableGeometryChanged(screen->availableGeometry());
    loop.runPending();
    EXPECT_EQ(notices, 2);

    Q_EMIT screen->geometryChanged(screen->geometry());
    observation.cancel();
    loop.runPending();
    Q_EMIT screen->geometryChanged(screen->geometry());
    loop.runPending();
    EXPECT_EQ(notices, 2);
}

TEST(QtDesktopObservers, OnlyBecomingActiveIsNoticed) {
    ManualEventLoop loop;
    QtDesktopObservers observers(loop);
    int notices = 0;
    auto observation = observers.observeDidBecomeActive([&] { ++notices; });

    Q_EMIT qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
    Q_EMIT qGuiApp->applicationStateChanged(Qt::ApplicationHidden);
    loop.runPending();
    EXPECT_EQ(notices, 0);

    Q_EMIT qGuiApp->applicationStateChanged(Qt::ApplicationActive);
    loop.runPending();
    EXPECT_EQ(notices, 1);

    observation.cancel();
    Q_EMIT qGuiApp->applicationStateChanged(Qt::ApplicationActive);
    loop.runPending();
    EXPECT_EQ(notices, 1);
}

TEST(QtDesktopObservers, AWakeIsNoticedOnTheLoopUntilCancelled) {
    ManualEventLoop loop;
    double suspended = 0;
    QtDesktopObservers observers(loop, [&] { return suspended; });
    int wakes = 0;
    auto observation = observers.observeDidWake([&] { ++wakes; });

    suspended = 600;
    loop.advance(WakeDetector::checkInterval);
    EXPECT_EQ(wakes, 1);

    observation.cancel();
    EXPECT_EQ(loop.activeTimerCount(), 0u);
    suspended = 1200;
    loop.advance(WakeDetector::checkInterval);
    EXPECT_EQ(wakes, 1);
}

} // namespace
} // namespace purlo
