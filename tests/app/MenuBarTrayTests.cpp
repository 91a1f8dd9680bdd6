#include "app/PurloMenuBarController.h"
#include "companion/qt/PurloFontRegistrar.h"
#include "tests/app/DisplayPointer.h"
#include "tests/companion/BuildFolder.h"
#include "tests/support/RuntimeHarness.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QThread>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>

namespace purlo {
namespace {

// Set in the environment of the program that runs on the test display.
constexpr const char* onDisplayVariable = "PURLO_TRAY_ON_DISPLAY";
constexpr const char* onDisplayFilter = "--gtest_filter=MenuBarTrayOnDisplay.*";

// Lets the display and the tray host answer, up to a limit.
bool waitFor(const std::function<bool()>& done, int milliseconds) {
    const QDeadlineTimer deadline(milliseconds);
    while (!done()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
    return true;
}

// Lets the display draw and settle for a moment.
void settle(int milliseconds = 300) {
    waitFor([] { return false; }, milliseconds);
}

std::string displayName() {
    const char* name = std::getenv("DISPLAY");
    return name ? name : "";
}

// The widget tests run on the offscreen platform, so the tray is tried by this same
// program started again on the test display (through Qt's X11 platform), next to a
// tray host started here: trayer, a plain light panel along the top, where the light paw
// is hardest to see.
TEST(MenuBarTray, APawInTheTrayOpensThePopover) {
    const char* display = std::getenv("PURLO_TEST_DISPLAY");
    if (display == nullptr || *display == '\0') {
        GTEST_SKIP() << "PURLO_TEST_DISPLAY is not set: run scripts/run-tests.sh, which starts "
                        "a private Xvfb display for the tray test.";
    }
    if (!testing::displayReachable(display)) {
        GTEST_SKIP() << "the test display " << display << " cannot be opened.";
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), QString::fromUtf8(display));
    // Only the X11 tray: a desktop bus would offer the tray of the user's own session.
    environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));

    QProcess trayer;
    trayer.setProcessEnvironment(environment);
    trayer.setProcessChannelMode(QProcess::MergedChannels);
    trayer.start(QStringLiteral("trayer"), {"--edge", "top", "--align", "right", "--widthtype",
                                            "request", "--height", "28", "--SetDockType", "true"});
    if (!trayer.waitForStarted(5000)) {
        GTEST_SKIP() << "trayer cannot start (" << trayer.errorString().toStdString()
                     << "): there is no tray host to try the paw in.";
    }

    QProcess onDisplay;
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QString::fromUtf8(onDisplayVariable), QStringLiteral("1"));
    onDisplay.setProcessEnvironment(environment);
    onDisplay.setProcessChannelMode(QProcess::MergedChannels);
    onDisplay.start(QCoreApplication::applicationFilePath(), {QString::fromUtf8(onDisplayFilter)});
    const bool finished = onDisplay.waitForFinished(60000);
    const std::string output = onDisplay.readAll().toStdString();
    const bool trayerStayedUp = trayer.state() == QProcess::Running;
    trayer.terminate();
    if (!trayer.waitForFinished(3000)) {
        trayer.kill();
        trayer.waitForFinished(3000);
    }
    if (!trayerStayedUp) {
        GTEST_SKIP() << "trayer did not stay up: " << trayer.readAll().toStdString();
    }
    ASSERT_TRUE(finished) << output;
    EXPECT_EQ(onDisplay.exitStatus(), QProcess::NormalExit) << output;
    EXPECT_EQ(onDisplay.exitCode(), 0) << output;
    EXPECT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << output;
}

TEST(MenuBarTrayOnDisplay, APawInThePanelOpensThePopover) {
    if (std::getenv(onDisplayVariable) == nullptr) {
        GTEST_SKIP() << "runs on the test display, started by "
                        "MenuBarTray.APawInTheTrayOpensThePopover.";
    }
    ASSERT_EQ(QGuiApplication::platformName(), "xcb");
    ASSERT_TRUE(waitFor([] { return QSystemTrayIcon::isSystemTrayAvailable(); }, 10000))
        << "trayer runs, yet no tray appeared on the display";

    PurloFontRegistrar::shared().registerBundledFonts(
        QCoreApplication::applicationDirPath().toStdString());
    testing::RuntimeHarness harness(testing::settingsWith([](PurloSettings& settings) {
        settings.companionName = "Mochi";
        settings.skin = CatSkinPreset::orange;
        settings.pattern = CatPatternPreset::classic;
        settings.completionStreak.currentDayCount = 3;
        settings.completionStreak.totalCompletions = 8;
    }));
    std::ostringstream messages;
    PurloMenuBarController controller(harness.runtime(), harness.clock, harness.loop,
                                      harness.appearance, messages);
    EXPECT_EQ(messages.str(), "") << "a tray runs: nothing to say";

    QSystemTrayIcon& paw = controller.statusItem();
    ASSERT_TRUE(waitFor([&] { return !paw.geometry().isEmpty(); }, 10000))
        << "the paw never took its place in the tray";
    settle();
    const QRect icon = paw.geometry();
    const auto clickPaw = [&] {
        ASSERT_TRUE(testing::clickOnDisplay(displayName(), icon.center().x(), icon.center().y()));
    };

    clickPaw();
    ASSERT_TRUE(waitFor([&] { return controller.isPopoverShown(); }, 5000))
        << "a click on the paw opens the popover";
    settle();
    const QRect popover = controller.popover().frameGeometry();
    EXPECT_EQ(popover.top(), icon.bottom() + 1 + 6) << "right under the paw in the top panel";
    EXPECT_LE(popover.left(), icon.center().x());
    EXPECT_GE(popover.right(), icon.center().x());
    EXPECT_TRUE(controller.popover().isActiveWindow() ||
                QGuiApplication::focusWindow() == controller.popover().windowHandle())
        << "the popover has the keyboard, so its shortcuts work";

    if (const auto artifacts = testing::artifactsFolder()) {
        const QRect shot = popover.united(icon)
                               .adjusted(-48, -icon.top(), 48, 48)
                               .intersected(QGuiApplication::primaryScreen()->geometry());
        const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(
            0, shot.x(), shot.y(), shot.width(), shot.height());
        EXPECT_TRUE(screen.save(artifacts->filePath(QStringLiteral("tray-popover.png"))));
    }

    clickPaw();
    ASSERT_TRUE(waitFor([&] { return !controller.isPopoverShown(); }, 5000))
        << "a click on the paw closes it again";
    settle(150);
    EXPECT_FALSE(controller.isPopoverShown()) << "the closing click is not taken again";
    clickPaw();
    ASSERT_TRUE(waitFor([&] { return controller.isPopoverShown(); }, 5000))
        << "a quick click after the closing one opens it again";
    ASSERT_TRUE(testing::clickOnDisplay(displayName(), 200, 600));
    EXPECT_TRUE(waitFor([&] { return !controller.isPopoverShown(); }, 5000))
        << "a click elsewhere closes it";
}

} // namespace
} // namespace purlo
