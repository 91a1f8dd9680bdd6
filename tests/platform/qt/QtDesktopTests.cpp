#include "platform/qt/QtAppearance.h"
#include "platform/qt/QtDesktopObservers.h"
#include "platform/qt/QtPasteboard.h"
#include "platform/qt/QtPointerSource.h"
#include "platform/qt/QtScreenSource.h"
#include "platform/qt/QtUrlOpener.h"
#include "tests/support/ManualEventLoop.h"
#include "tests/support/TemporaryFolder.h"

#include <QClipboard>
#include <QColor>
#include <QCursor>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace purlo {
namespace {

using testing::ManualEventLoop;

TEST(QtScreenAndPointerSources, ReportWithYUpward) {
    // The offscreen platform has one screen whose whole area is free.
    const QRect geometry = QGuiApplication::primaryScreen()->geometry();
    const double width = geometry.width();
    const double height = geometry.height();
    EXPECT_EQ(QtScreenSource().visibleFrames(), (std::vector<Rect>{{{0, 0}, {width, height}}}));
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
    EXPECT_EQ(notices, 2);
}

// A shown window that has taken the focus, as one the user clicked.
std::unique_ptr<QWindow> focusedWindow() {
    auto window = std::make_unique<QWindow>();
    window->show();
    window->requestActivate();
    QDeadlineTimer end(5000);
    while (QGuiApplication::focusWindow() != window.get() && !end.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    return window;
}

TEST(QtDesktopObservers, OnlyBecomingActiveAndWakingAreNoticedUntilCancelled) {
    ManualEventLoop loop;
    double suspended = 0;
    QtDesktopObservers observers(loop, [&] { return suspended; });
    const auto window = focusedWindow();
    ASSERT_EQ(QGuiApplication::focusWindow(), window.get());
    int notices = 0;
    auto active = observers.observeDidBecomeActive([&] { ++notices; });
    auto wake = observers.observeDidWake([&] { notices += 10; });
    Q_EMIT qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
    Q_EMIT qGuiApp->applicationStateChanged(Qt::ApplicationHidden);
    loop.runPending();
    EXPECT_EQ(notices, 0);
    Q_EMIT qGuiApp->applicationStateChanged(Qt::ApplicationActive);
    suspended = 600;
    loop.advance(WakeDetector::checkInterval);
    EXPECT_EQ(notices, 11);

    active.cancel();
    wake.cancel();
    EXPECT_EQ(loop.activeTimerCount(), 0u);
    Q_EMIT qGuiApp->applicationStateChanged(Qt::ApplicationActive);
    loop.runPending();
    EXPECT_EQ(notices, 11);
}

// The user clicks the close button of a window that did not have the focus: the click
// activates it, and the close comes before the loop does, either before Qt hands the
// window the focus or after.
TEST(QtDesktopObservers, AnActivationIsNotToldOnceItsWindowClosedBeforeTheLoopCame) {
    ManualEventLoop loop;
    QtDesktopObservers observers(loop);
    int notices = 0;
    auto active = observers.observeDidBecomeActive([&] { ++notices; });

    auto window = focusedWindow();
    ASSERT_EQ(QGuiApplication::focusWindow(), window.get());
    Q_EMIT qGuiApp->applicationStateChanged(Qt::ApplicationActive);
    window->close();
    loop.runPending();
    EXPECT_EQ(notices, 0) << "closed after taking the focus";

    window = std::make_unique<QWindow>();
    window->show();
    window->requestActivate();
    window->close();
    QCoreApplication::processEvents();
    Q_EMIT qGuiApp->applicationStateChanged(Qt::ApplicationActive);
    loop.runPending();
    EXPECT_EQ(notices, 0) << "closed before taking the focus";

    window = focusedWindow();
    Q_EMIT qGuiApp->applicationStateChanged(Qt::ApplicationActive);
    loop.runPending();
    EXPECT_EQ(notices, 1) << "a window that keeps the focus";
}

TEST(QtAppearance, DarkBelowMidGreyAndReducedMotionOnlyOnAnAnswerOfFalse) {
    EXPECT_TRUE(QtAppearance::isDark(QColor(0x7f, 0x7f, 0x7f)));
    EXPECT_FALSE(QtAppearance::isDark(QColor(0x80, 0x80, 0x80)));
    const std::pair<const char*, bool> answers[] = {{"false\n", true}, {" false ", true},
                                                    {"true\n", false}, {"", false},
                                                    {"falsey", false}, {"No such key", false}};
    for (const auto& [answer, off] : answers) {
        EXPECT_EQ(QtAppearance::animationsTurnedOff(answer), off) << answer;
    }
}

TEST(QtAppearance, TakesTheDesktopsAnswerInTheBackgroundAndFollowsThePalette) {
    const QPalette original = QGuiApplication::palette();
    QPalette palette = original;
    palette.setColor(QPalette::Window, QColor(0xef, 0xef, 0xef));
    QGuiApplication::setPalette(palette);
    QtAppearance appearance({"/bin/sh", "-c", "echo false"});
    EXPECT_FALSE(appearance.reduceMotion());
    EXPECT_FALSE(appearance.darkAppearance());
    int changes = 0;
    QEventLoop waiting;
    QObject::connect(&appearance, &QtAppearance::changed, [&] { ++changes; });
    QObject::connect(&appearance, &QtAppearance::changed, &waiting, &QEventLoop::quit);
    QTimer::singleShot(10000, &waiting, &QEventLoop::quit);
    waiting.exec();
    EXPECT_TRUE(appearance.reduceMotion());

    palette.setColor(QPalette::Window, QColor(0x24, 0x24, 0x24));
    QGuiApplication::setPalette(palette);
    EXPECT_TRUE(appearance.darkAppearance());
    EXPECT_EQ(changes, 2);
    QGuiApplication::setPalette(original);
}

TEST(QtUrlOpener, HandsTheDesktopNothingThatIsNoUrl) {
    QtUrlOpener opener;
    for (const char* text : {"", "   ", "no scheme at all", "https://exa mple.com/%zz"}) {
        std::optional<bool> opened;
        opener.open(text, [&opened](bool verdict) { opened = verdict; });
        EXPECT_EQ(opened, false) << text;
    }
}

// The desktop's opener says whether a program took the address: it fails where no
// browser or mail program is set up, and that failure is reported, not swallowed.
TEST(QtUrlOpener, ReportsWhatTheDesktopsOpenerSaid) {
    const testing::TemporaryFolder folder;
    const auto opener = [&folder](const char* name, int exitCode) {
        const std::filesystem::path script = folder / name;
        std::ofstream(script) << "#!/bin/sh\nprintf '%s' \"$1\" > \"$0.url\"\nexit " << exitCode
                              << "\n";
        std::filesystem::permissions(script, std::filesystem::perms::owner_all);
        return QString::fromStdString(script.string());
    };
    const struct {
        QString program;
        bool opened;
    } cases[] = {
        {opener("opens", 0), true},
        {opener("finds-no-browser", 3), false},
        {QString::fromStdString((folder / "missing").string()), false},
    };
    for (const auto& [program, opened] : cases) {
        QtUrlOpener desktop(program);
        std::optional<bool> verdict;
        QEventLoop waiting;
        desktop.open("https://purlo.example/help#changelog", [&](bool said) {
            verdict = said;
            waiting.quit();
        });
        if (!verdict) {
            QTimer::singleShot(10000, &waiting, &QEventLoop::quit);
            waiting.exec();
        }
        EXPECT_EQ(verdict, opened) << program.toStdString();
    }
    std::ifstream handed(folder / "opens.url");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(handed), {}),
              "https://purlo.example/help#changelog");
}

TEST(QtPasteboard, ReplacesWhatTheClipboardHeldWithExactlyTheText) {
    QGuiApplication::clipboard()->setText(QStringLiteral("older"));
    QtPasteboard pasteboard;
    const std::string text = "Purlo 1.4 (27)\nDebian GNU/Linux 12 \u00B7 \u201Cbookworm\u201D";
    EXPECT_TRUE(pasteboard.replaceString(text));
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), text);
    EXPECT_TRUE(pasteboard.replaceString(""));
    EXPECT_TRUE(QGuiApplication::clipboard()->text().isEmpty());
}

} // namespace
} // namespace purlo
