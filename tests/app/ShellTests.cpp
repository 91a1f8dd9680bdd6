#include "app/DisplayCheck.h"
#include "app/MainMenu.h"
#include "app/PopoverPlacement.h"
#include "app/PurloAppDelegate.h"
#include "app/PurloMenuBarController.h"
#include "app/PurloSettingsWindowPresenter.h"
#include "app/SingleInstance.h"
#include "app/TerminationSignals.h"
#include "platform/qt/QtEventLoop.h"
#include "settings/SettingsView.h"
#include "tests/support/FakeInstallPorts.h"
#include "tests/support/RecordingFixedWindowHints.h"
#include "tests/support/RecordingPanelHints.h"
#include "tests/support/RuntimeHarness.h"
#include "tests/ui/WidgetDriving.h"
#include "ui/OnboardingView.h"
#include "ui/OnboardingWindowController.h"
#include "ui/PurloButtonChrome.h"

#include <QAction>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QMessageBox>
#include <QPushButton>
#include <csignal>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace purlo {
namespace {

struct Shell {
    explicit Shell(bool onboarded, std::vector<std::string> arguments = {"purlo"},
                   std::string bundlePath = "/usr/local/lib/purlo")
        : arguments(std::move(arguments))
        , bundlePath(std::move(bundlePath)) {
        harness.storeSettings(testing::settingsWith(
            [&](PurloSettings& settings) { settings.hasCompletedFirstRunOnboarding = onboarded; }));
    }
    void launch() {
        delegate.applicationDidFinishLaunching();
        harness.loop.runPending();
    }
    bool catShown() const { return delegate.companionWindowController()->window().isVisible(); }

    std::vector<std::string> arguments;
    std::string bundlePath;
    testing::RuntimeHarness harness;
    testing::RecordingPanelHints hints;
    testing::RecordingFixedWindowHints windowHints;
    testing::FakeInstallLocationProbe probe;
    testing::FakeFileManager files;
    testing::FakeApplicationWorkspace workspace;
    testing::FakeBackgroundRunner background;
    int runtimesObtained = 0;
    int settingsShown = 0;
    int appearanceShown = 0;
    PurloAppDelegate delegate{
        [this]() -> PurloRuntime& { return ++runtimesObtained, harness.runtime(); },
        harness.clock,
        harness.observers,
        {harness.loop, hints, harness.appearance, "purlo"},
        windowHints,
        harness.folder.path(),
        {[this] { ++settingsShown; },
         [this] {
             ++appearanceShown;
         }},
        {arguments,
         bundlePath,
         harness.store,
         {probe, files, workspace, harness.loop, background.runner(), [] {}, "/home/mia"}}};
};

TEST(Shell, LaunchingStartsEverythingOnceASecondStartOpensSettingsAndTerminatingStops) {
    QApplication::setQuitOnLastWindowClosed(true);
    Shell shell(true);
    shell.delegate.applicationWillTerminate();
    EXPECT_EQ(shell.runtimesObtained, 0) << "nothing is built before the launch";
    shell.launch();
    EXPECT_EQ(shell.runtimesObtained, 1);
    PurloRuntime& runtime = shell.harness.runtime();
    EXPECT_TRUE(runtime.isRunning());
    EXPECT_EQ(runtime.agentConnections()->size(), 3u);
    EXPECT_FALSE(QApplication::quitOnLastWindowClosed());
    DesktopPanel& panel = shell.delegate.companionWindowController()->window();
    EXPECT_TRUE(panel.isVisible());
    EXPECT_EQ(panel.origin(), shell.harness.scene().position);
    EXPECT_FALSE(shell.delegate.butterflyWindowController()->window().isVisible());
    EXPECT_EQ(shell.hints.prepared, std::vector<std::uint64_t>{panel.winId()});

    shell.harness.observers.becomeActive();
    EXPECT_FALSE(shell.delegate.handleReopen());
    EXPECT_EQ(shell.delegate.onboardingWindowController(), nullptr);
    EXPECT_EQ(shell.settingsShown, 1);
    testing::click(shell.delegate.companionWindowController()->view().mouseLayer(), {{80, 120}});
    shell.harness.loop.advance(CompanionMouseEventLayer::systemDoubleClickInterval() + 0.1);
    EXPECT_EQ(shell.appearanceShown, 1) << "a click on her opens Settings on Appearance";
    EXPECT_EQ(shell.settingsShown, 1);

    shell.delegate.applicationWillTerminate();
    EXPECT_FALSE(runtime.isRunning());
}

TEST(Shell, AFirstLaunchShowsOnboardingAndASecondStartBringsItBackUntilItIsDone) {
    Shell shell(false);
    shell.launch();
    OnboardingWindowController& onboarding = *shell.delegate.onboardingWindowController();
    QWidget* window = onboarding.window();
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(shell.catShown());
    window->close();
    EXPECT_FALSE(shell.delegate.handleReopen());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(shell.settingsShown, 0);

    while (onboarding.view().slide() < OnboardingView::slideCount) {
        onboarding.view().primaryButton().click();
    }
    testing::click(onboarding.view().primaryButton());
    shell.harness.loop.runPending();
    EXPECT_TRUE(shell.harness.settings().hasCompletedFirstRunOnboarding);
    EXPECT_TRUE(shell.catShown()) << "she comes out as soon as onboarding is done";
    EXPECT_FALSE(shell.delegate.handleReopen());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(shell.settingsShown, 1);
}

TEST(PurloMenuBarController,
     WithoutATraySaysOnceWhereSettingsAreAndThePopoverKeepsItsRoundedOutline) {
    testing::RuntimeHarness harness;
    std::ostringstream messages;
    testing::RecordingFixedWindowHints windowHints;
    PurloMenuBarController controller(harness.runtime(), harness.clock, harness.loop,
                                      harness.appearance, windowHints, messages);
    ASSERT_FALSE(QSystemTrayIcon::isSystemTrayAvailable()) << "the offscreen platform has no tray";
    EXPECT_EQ(controller.statusItem().toolTip(), "Purlo");
    controller.togglePopover();
    PurloMenuBarView& popover = controller.popover();
    EXPECT_FALSE(popover.mask().contains(QPoint(0, 0))) << "cut to its rounded corners";
    const int height = popover.height();
    testing::press(popover, "Nap");
    ASSERT_GT(popover.height(), height);
    EXPECT_TRUE(popover.mask().contains(QPoint(popover.width() / 2, popover.height() - 1)))
        << "the outline follows the new size";

    controller.togglePopover();
    EXPECT_FALSE(controller.isPopoverShown());
    EXPECT_EQ(messages.str(),
              "Purlo: no system tray is running, so the paw is not in the panel. Click the cat "
              "to open Settings.\n");
}

void processEvents() {
    for (int i = 0; i < 10; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

TEST(PurloSettingsWindowPresenter, MakesOneFixedWindowOnTheFirstShowAndBringsItBackAsItWasLeft) {
    testing::RuntimeHarness harness;
    PurloSettingsRouter router;
    testing::RecordingFixedWindowHints hints;
    PurloSettingsWindowPresenter presenter(router);
    EXPECT_EQ(presenter.windowController(), nullptr);

    presenter.show(SettingsSectionTab::agent, harness.runtime(), harness.appearance, hints);
    SettingsWindowController* controller = presenter.windowController();
    ASSERT_NE(controller, nullptr);
    SettingsView& window = controller->window();
    processEvents();
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.isActiveWindow());
    EXPECT_EQ(window.windowTitle(), "Purlo Settings");
    EXPECT_EQ(window.size(), QSize(760, 620));
    EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "not resizable";
    // The offscreen platform numbers its native windows anew at each showing.
    const auto shownFixed = [&window] {
        return std::pair{static_cast<std::uint64_t>(window.winId()),
                         FixedWindowHints::Buttons::closeAndMinimize};
    };
    const auto firstShown = shownFixed();
    EXPECT_EQ(hints.prepared, std::vector{firstShown}) << "the window manager hears it is fixed";
    EXPECT_EQ(*router.selectedTab(), SettingsSectionTab::agent);
    EXPECT_TRUE(testing::shownTexts(window).contains("Agent"));

    // Closed, moved away by the user's hand before that, and shown again without a tab.
    window.move(window.pos() + QPoint(37, 23));
    const QPoint leftAt = window.pos();
    window.close();
    EXPECT_FALSE(window.isVisible());
    presenter.show(std::nullopt, harness.runtime(), harness.appearance, hints);
    EXPECT_EQ(presenter.windowController(), controller) << "one window for the whole run";
    EXPECT_EQ(hints.prepared, (std::vector{firstShown, shownFixed()}))
        << "again before it shows again";
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.pos(), leftAt) << "not centred again";
    EXPECT_EQ(*router.selectedTab(), SettingsSectionTab::agent);

    presenter.show(SettingsSectionTab::help, harness.runtime(), harness.appearance, hints);
    EXPECT_EQ(*router.selectedTab(), SettingsSectionTab::help);
    EXPECT_EQ(hints.prepared.size(), 2u) << "a shown window is not prepared again";
    EXPECT_TRUE(testing::shownTexts(window).contains("Help"));

    const QList<QAction*> actions = window.actions();
    const auto close = std::ranges::find_if(actions, [](const QAction* action) {
        return action->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_W);
    });
    ASSERT_NE(close, actions.end()) << "the main menu's Close, as a shortcut";
    (*close)->trigger();
    EXPECT_FALSE(window.isVisible());
}

TEST(DisplayCheck, NamesWhatKeepsTheCatOffTheDesktopInOneLine) {
    const std::string unset = "Purlo needs an X11 display (an X11 session, or XWayland under "
                              "Wayland), and DISPLAY is not set.";
    const struct {
        Environment environment;
        std::optional<std::string> problem;
    } cases[] = {
        {{{"DISPLAY", ":0"}}, std::nullopt},
        {{}, unset},
        {{{"DISPLAY", ""}}, unset},
        {{{"DISPLAY", ":42"}}, "Purlo cannot open the X11 display :42."},
        {{{"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", "xcb"}}, std::nullopt},
        {{{"QT_QPA_PLATFORM", "xcb:nograb"}}, unset},
        {{{"QT_QPA_PLATFORM", "offscreen"}}, std::nullopt}, // another platform the user chose
    };
    const auto opens = [](const std::string& name) {
        return name == ":0";
    };
    for (const auto& [environment, problem] : cases) {
        EXPECT_EQ(displayProblem(environment, opens), problem) << problem.value_or("none");
    }
}

TEST(MainMenu, HasTheProgramsItemsAndTheirKeys) {
    using enum MainMenuAction;
    const std::vector<MainMenuItem> expected{
        {"", "Quit Purlo", terminate, "q"}, {"Edit", "Undo", undo, "z"},
        {"Edit", "Redo", redo, "Z"},        {"Edit", "", separator, ""},
        {"Edit", "Cut", cut, "x"},          {"Edit", "Copy", copy, "c"},
        {"Edit", "Paste", paste, "v"},      {"Edit", "Select All", selectAll, "a"},
        {"Window", "Close", close, "w"},
    };
    EXPECT_EQ(makeMainMenu(), expected);
    for (const auto& [key, shortcut] :
         {std::pair{"q", "Ctrl+Q"}, {"Z", "Ctrl+Shift+Z"}, {"", ""}, {"zz", ""}, {"1", ""}}) {
        EXPECT_EQ(shortcutFor(key), QKeySequence(shortcut)) << key;
    }
}

TEST(PopoverPlacement, OpensBesideTheAnchorAndStaysOnTheScreen) {
    const QRect topPanel(0, 28, 1440, 872);
    const struct {
        const char* name;
        QRect anchor;
        QRect area;
        QPoint expected;
    } cases[] = {
        {"below an icon in a top panel", {700, 4, 22, 22}, topPanel, {567, 32}},
        {"never over the panel itself", {700, 4, 22, 12}, topPanel, {567, 28}},
        {"above an icon in a bottom panel", {700, 868, 22, 22}, {0, 0, 1440, 860}, {567, 362}},
        {"kept off the right edge", {1420, 4, 22, 22}, topPanel, {1150, 32}},
        {"kept off the left edge", {2, 4, 22, 22}, topPanel, {4, 32}},
        {"on the anchor's own screen", {2700, 990, 1, 1}, {1440, 0, 1280, 1024}, {2430, 484}},
        {"at the pointer in the middle", {720, 450, 1, 1}, {0, 0, 1440, 1024}, {577, 457}},
        {"as near as a short screen allows", {720, 300, 1, 1}, {0, 0, 1440, 600}, {577, 100}},
        {"from the top when taller than the screen", {720, 300, 1, 1}, {0, 0, 1440, 400}, {577, 0}},
    };
    for (const auto& [name, anchor, area, expected] : cases) {
        EXPECT_EQ(popoverOrigin(anchor, QSize(286, 500), area), expected) << name;
    }
}

TEST(Shell, AFirstLaunchFromADiskImageOffersTheMoveOnOnboardingAndEjectsTheImageItCameFrom) {
    Shell shell(false, {"purlo", "--purlo-eject-volume", "/Volumes/Old"},
                "/Volumes/Purlo/Purlo.app");
    shell.probe.diskImages = {"/Volumes/Purlo", "/Volumes/Old"};
    shell.files.items = {"/Volumes/Old"};
    shell.launch();
    QWidget* onboarding = shell.delegate.onboardingWindowController()->window();
    auto* offer = onboarding->findChild<QMessageBox*>();
    ASSERT_TRUE(offer) << "the offer is a sheet on the onboarding window";
    EXPECT_TRUE(offer->isVisible());
    EXPECT_EQ(offer->windowModality(), Qt::WindowModal);
    EXPECT_EQ(offer->text(), "Purlo runs best from your Applications folder.");
    EXPECT_EQ(offer->informativeText(), "Ejecting the disk image would remove her.");
    EXPECT_EQ(offer->defaultButton()->text(), "Move to Applications");
    testing::click(*testing::button(*offer, "Not now"));
    processEvents();
    EXPECT_EQ(shell.harness.store.boolean(PurloMoveToApplicationsPrompter::declinedKey), true);
    EXPECT_TRUE(shell.files.calls.empty());

    EXPECT_TRUE(shell.workspace.ejected.empty());
    shell.harness.loop.advance(2);
    EXPECT_EQ(shell.workspace.ejected, std::vector<std::string>{"/Volumes/Old"});
}

TEST(SingleInstance, ASecondStartAsksTheFirstToReopenAndACrashedOnesSocketIsTakenOver) {
    EXPECT_EQ(SingleInstance::socketName({{"XDG_RUNTIME_DIR", "/run/user/1000"}}),
              "/run/user/1000/purlo.socket");
    const QString fallback = QStringLiteral("purlo-%1").arg(getuid());
    EXPECT_EQ(SingleInstance::socketName({}), fallback);
    EXPECT_EQ(SingleInstance::socketName({{"XDG_RUNTIME_DIR", "run/user"}}), fallback)
        << "a relative folder is no runtime folder";

    testing::TemporaryFolder folder;
    const QString name = QString::fromStdString((folder / "purlo.socket").string());
    // What a program that crashed leaves behind: a socket file nobody listens on.
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    name.toStdString().copy(address.sun_path, sizeof(address.sun_path) - 1);
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    close(fd);
    EXPECT_FALSE(SingleInstance::handOver(name)) << "nobody there";

    int reopened = 0;
    SingleInstance first;
    ASSERT_TRUE(first.listen(name, [&] { ++reopened; }));
    EXPECT_TRUE(SingleInstance::handOver(name));
    processEvents();
    EXPECT_EQ(reopened, 1);

    SingleInstance rival;
    EXPECT_FALSE(rival.listen(name, [] {})) << "a live listener keeps its socket";
    EXPECT_TRUE(SingleInstance::handOver(name));
    processEvents();
    EXPECT_EQ(reopened, 2);
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

TEST(SingleInstance, AnswersOneBoundedRequestLineAndDropsAnythingElse) {
    testing::TemporaryFolder folder;
    const QString name = QString::fromStdString((folder / "purlo.socket").string());
    std::vector<std::string> requests;
    int reopened = 0;
    SingleInstance instance;
    ASSERT_TRUE(instance.listen(
        name, [&] { ++reopened; },
        [&](std::string_view request) {
            requests.emplace_back(request);
            return std::string(R"({"dialog":"Purlo purrs."})");
        }));
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

TEST(TerminationSignals, EachSignalEndsTheProgramThroughTheLoopNotTheHandler) {
    for (const int number : TerminationSignals::handled) {
        QtEventLoop loop;
        int received = 0;
        {
            TerminationSignals signals(loop, [&] { ++received; });
            ASSERT_TRUE(signals.isWatching());
            std::raise(number);
            std::raise(number);
            EXPECT_EQ(received, 0) << "nothing runs inside the handler";
            processEvents();
            EXPECT_EQ(received, 1) << "two signals before the loop turns are one";
        }
        struct sigaction restored {};
        sigaction(number, nullptr, &restored);
        EXPECT_EQ(restored.sa_handler, SIG_DFL) << "the default comes back with the watcher";
    }
}

} // namespace
} // namespace purlo
