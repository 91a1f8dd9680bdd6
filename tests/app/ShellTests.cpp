#include "app/DisplayCheck.h"
#include "app/MainMenu.h"
#include "app/PopoverPlacement.h"
#include "app/PurloAppDelegate.h"
#include "app/PurloMenuBarController.h"
#include "app/PurloSettingsWindowPresenter.h"
#include "app/TerminationSignals.h"
#include "companion/CompanionViewLayout.h"
#include "intents/PurloIntentRequest.h"
#include "platform/qt/QtEventLoop.h"
#include "settings/SettingsView.h"
#include "tests/app/MenuBarHarness.h"
#include "tests/support/FakeInstallPorts.h"
#include "tests/support/RecordingFixedWindowHints.h"
#include "tests/support/RecordingPanelHints.h"
#include "tests/support/RuntimeHarness.h"
#include "tests/ui/WidgetDriving.h"
#include "ui/MenuRow.h"
#include "ui/OnboardingView.h"
#include "ui/OnboardingWindowController.h"
#include "ui/PurloButtonChrome.h"

#include <QAccessible>
#include <QAction>
#include <QCoreApplication>
#include <QCursor>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QLocalSocket>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <csignal>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <string_view>
#include <vector>

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
    const Point position = shell.harness.scene().position;
    EXPECT_EQ(panel.origin(), (Point{position.x, position.y - CompanionViewLayout::groundRoom}))
        << "her panel's corner where the runtime puts her, room for her paws below";
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

TEST(Shell, OnboardingClosedByItsCloseButtonComesBackWheneverTheUserComesBackToPurlo) {
    Shell shell(false);
    shell.launch();
    OnboardingWindowController& onboarding = *shell.delegate.onboardingWindowController();
    PurloMenuBarController& menu = *shell.delegate.menuBarController();
    const auto closeMenu = [&menu] {
        if (menu.isPopoverShown()) {
            menu.togglePopover();
        }
    };
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"a click on the paw",
         [&menu] {
             menu.togglePopover();
         }},
        {"\"Settings…\" in the popover",
         [&] {
             menu.togglePopover();
             onboarding.window()->close();
             testing::press(menu.popover(), "Settings…");
         }},
        {"a second start",
         [&shell] {
             shell.delegate.handleReopen();
         }},
        {"an action for her from the shell",
         [&shell] {
             shell.delegate.handleIntent(PurloIntentRequest::encode(PetPurloIntent{}));
         }},
    };
    for (const auto& [way, comeBack] : ways) {
        onboarding.window()->close();
        ASSERT_FALSE(onboarding.window()->isVisible());
        comeBack();
        EXPECT_TRUE(onboarding.window()->isVisible()) << way;
        EXPECT_FALSE(shell.catShown()) << way;
        closeMenu();
    }
    EXPECT_EQ(shell.settingsShown, 1) << "\"Settings…\" still opens Settings";

    onboarding.window()->close();
    shell.delegate.handleIntent(PurloIntentRequest::encode(
        SetPurloAgentStatusIntent{PurloAgentShortcutStatus::thinking, "Agent"}));
    EXPECT_FALSE(onboarding.window()->isVisible()) << "an agent's report is no visit";
}

// Asks every object under node, hidden ones included, for the child before its first and
// the one past its last, as a screen reader that holds a count from before a change does;
// each answer must be nothing. Keeps every object it met.
void askPastTheChildren(QAccessibleInterface& node, std::set<const QObject*>& met) {
    met.insert(node.object());
    const auto what = [&node] {
        return std::string(node.object() != nullptr ? node.object()->metaObject()->className()
                                                    : "an item") +
               " \"" + node.text(QAccessible::Name).toStdString() + '"';
    };
    EXPECT_EQ(node.child(-1), nullptr) << what();
    EXPECT_EQ(node.child(node.childCount()), nullptr) << what();
    for (int index = 0; index < node.childCount(); ++index) {
        if (QAccessibleInterface* child = node.child(index)) {
            askPastTheChildren(*child, met);
        }
    }
}

TEST(Shell, EveryWindowAnswersAScreenReaderAskingPastAnObjectsChildrenWithNothing) {
    Shell shell(false);
    shell.launch();
    OnboardingView& onboarding = shell.delegate.onboardingWindowController()->view();
    PurloMenuBarController& menu = *shell.delegate.menuBarController();
    PurloSettingsRouter router;
    PurloSettingsWindowPresenter settings(router);
    const auto settingsOn = [&](SettingsSectionTab tab) {
        return [&, tab]() -> const QWidget* {
            settings.show(tab, shell.harness.runtime(), shell.harness.appearance,
                          shell.windowHints);
            return &settings.windowController()->window().page();
        };
    };
    std::vector<std::pair<std::string, std::function<const QWidget*()>>> shown{
        {"onboarding's first slide",
         [&] {
             return &onboarding.currentSlide();
         }},
        {"onboarding's second slide",
         [&] {
             onboarding.primaryButton().click();
             return &onboarding.currentSlide();
         }},
        {"onboarding's last slide",
         [&] {
             onboarding.primaryButton().click();
             return &onboarding.currentSlide();
         }},
        {"the cat",
         [&] {
             onboarding.primaryButton().click();
             return &shell.delegate.companionWindowController()->window();
         }},
        {"the popover",
         [&] {
             menu.togglePopover();
             return &menu.popover();
         }},
    };
    for (const SettingsSectionTab tab : allCases<SettingsSectionTab>()) {
        shown.emplace_back("Settings on " + std::string(toString(tab)), settingsOn(tab));
    }
    for (const auto& [what, show] : shown) {
        SCOPED_TRACE(what);
        const QWidget* window = show();
        testing::settle();
        std::set<const QObject*> met;
        askPastTheChildren(*QAccessible::queryAccessibleInterface(qApp), met);
        EXPECT_TRUE(met.contains(window)) << "the walk reaches it";
    }
}

TEST(PurloMenuBarController,
     WithoutATraySaysOnceWhereSettingsAreAndThePopoverKeepsItsRoundedOutline) {
    testing::RuntimeHarness harness;
    std::vector<std::string> told;
    testing::RecordingFixedWindowHints windowHints;
    PurloMenuBarController controller(harness.runtime(), harness.clock, harness.loop,
                                      harness.appearance, windowHints,
                                      [&told](std::string_view line) { told.emplace_back(line); });
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
    EXPECT_EQ(told, std::vector<std::string>{"Purlo: no system tray is running, so the paw is not "
                                             "in the panel. Click the cat to open Settings."});
}

// Where the popover's row of that title is on the screen; nothing when none shows.
QRect onScreen(const QWidget& popover, const char* title) {
    const QAbstractButton* row = testing::button(popover, title);
    return row != nullptr ? QRect(row->mapToGlobal(QPoint(0, 0)), row->size()) : QRect();
}

using Titles = std::vector<std::string>;

using testing::litRows;

// The rows the pointer really is on, top to bottom.
Titles rowsUnderPointer(const QWidget& popover) {
    Titles under;
    for (const MenuRow* row : testing::shownWidgets<MenuRow>(popover)) {
        if (QRect(row->mapToGlobal(QPoint(0, 0)), row->size()).contains(QCursor::pos())) {
            under.push_back(row->text().toStdString());
        }
    }
    return under;
}

// A popover opened from a point of the screen's free area; without a tray it opens at the
// pointer: below it near the top of the screen, as under a top panel, and above it near the
// bottom, as over a bottom panel.
struct LowPopover : testing::MenuBarHarness {
    ~LowPopover() { testing::movePointerAway(); }
    PurloMenuBarView& openAt(int y) {
        testing::pointAt({area.center().x(), y});
        controller.togglePopover();
        return controller.popover();
    }
    PurloMenuBarView& open(int aboveBottom) { return openAt(area.bottom() - aboveBottom); }

    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
};

// The pointer rests on the row as a hand would, and clicks it.
void pressUnderPointer(QWidget& popover, const char* row) {
    testing::pointAt(onScreen(popover, row).center());
    testing::press(popover, row);
}

TEST(PurloMenuBarController, TheEdgeFacingThePanelStaysWhereItWasAsThePopoverChangesHeight) {
    for (const bool topPanel : {true, false}) {
        SCOPED_TRACE(topPanel ? "under a top panel" : "over a bottom panel");
        LowPopover low;
        const int pointer = topPanel ? low.area.top() + 10 : low.area.bottom() - 10;
        PurloMenuBarView& popover = low.openAt(pointer);
        const auto nearEdge = [&] {
            return topPanel ? popover.geometry().top() : popover.geometry().bottom();
        };
        const int placed = nearEdge();
        ASSERT_EQ(popover.geometry().top() > pointer, topPanel);
        // Rows unfold and fold, the status line wraps onto a second line and back, and the
        // streak caption comes: each changes the popover's height.
        const std::pair<const char*, std::function<void()>> steps[] = {
            {"Nap",
             [&] {
                 pressUnderPointer(popover, "Nap");
             }},
            {"Hide Purlo",
             [&] {
                 pressUnderPointer(popover, "Hide Purlo");
             }},
            {"the flash ends",
             [&] {
                 low.harness.loop.advance(PurloMenuBarView::flashDuration);
             }},
            {"Show Purlo",
             [&] {
                 pressUnderPointer(popover, "Show Purlo");
             }},
            {"Quick catnap",
             [&] {
                 pressUnderPointer(popover, "Quick catnap · 20m");
             }},
            {"Wake Purlo",
             [&] {
                 pressUnderPointer(popover, "Wake Purlo");
             }},
            {"Mark small win",
             [&] {
                 pressUnderPointer(popover, "Mark small win");
             }},
        };
        std::set<int> heights{popover.height()};
        for (const auto& [step, take] : steps) {
            take();
            heights.insert(popover.height());
            EXPECT_EQ(nearEdge(), placed) << step;
            EXPECT_TRUE(low.area.contains(popover.geometry())) << step;
            EXPECT_EQ(litRows(popover), rowsUnderPointer(popover)) << step;
        }
        EXPECT_GE(heights.size(), 4u) << "the steps change the height";
    }
}

TEST(PurloMenuBarController, ThePopoverMovesOffItsPanelOnlyAsFarAsTheScreensEdgeMakesIt) {
    LowPopover low;
    const int height = low.openAt(low.area.top() + 10).height();
    low.controller.togglePopover();
    // Opened below a point with room for it and 20 points to spare, and no more.
    const int spare = 20;
    PurloMenuBarView& popover = low.openAt(low.area.bottom() - height - 6 - spare);
    const QRect placed = popover.geometry();
    ASSERT_EQ(low.area.bottom() - placed.bottom(), spare);
    pressUnderPointer(popover, "Nap");
    const int growth = popover.height() - placed.height();
    ASSERT_GT(growth, spare);
    EXPECT_EQ(popover.geometry().bottom(), low.area.bottom()) << "held at the screen's edge";
    EXPECT_EQ(popover.geometry().top(), placed.top() - (growth - spare));
    pressUnderPointer(popover, "Nap");
    EXPECT_EQ(popover.geometry(), placed) << "folded again, back on its panel";
    EXPECT_EQ(litRows(popover), rowsUnderPointer(popover));
}

TEST(PurloMenuBarController, TwoClicksOfAStillHandActOnceWhateverMovesUnderIt) {
    const Titles collapsed{"Hide Purlo", "Pet Purlo",   "Agent done",     "Mark small win",
                           "Nap",        "Stretch now", "Reset position", "Start focus",
                           "Settings…",  "Quit Purlo"};
    Titles expanded = collapsed;
    expanded.insert(expanded.begin() + 5,
                    {"Quick catnap · 20m", "Proper nap · 1h", "Until I wake her"});
    Titles asleep = collapsed;
    asleep[4] = "Wake Purlo";
    const struct {
        const char* row;
        bool napChoicesOpen;
        bool topPanel;
        // Whether other rows come under the hand: then two clicks a little apart, which Qt
        // takes for two, act once as well.
        bool rowsMoveUnderIt;
        const char* status;
        const Titles& rows;
        int wins;
    } cases[] = {
        // The nap starts, the choices fold, and "Stretch now" (at the top) or the rows
        // above (at the bottom) move under the hand.
        {"Quick catnap · 20m", true, true, true, "napping · back in 20m", asleep, 0},
        {"Quick catnap · 20m", true, false, true, "napping · back in 20m", asleep, 0},
        // The choices unfold; over a bottom panel "Until I wake her" comes under the hand.
        {"Nap", false, true, false, "purring along", expanded, 0},
        {"Nap", false, false, true, "purring along", expanded, 0},
        // Nothing moves: the win is logged once.
        {"Mark small win", false, true, false, "proud of you!", collapsed, 1},
        {"Mark small win", false, false, false, "proud of you!", collapsed, 1},
    };
    for (const auto& [row, napChoicesOpen, topPanel, rowsMoveUnderIt, status, rows, wins] : cases) {
        for (const bool secondLandsOff : {false, rowsMoveUnderIt}) {
            SCOPED_TRACE(::testing::Message()
                         << row << (topPanel ? " under a top panel" : " over a bottom panel")
                         << (secondLandsOff ? ", the second click a little off" : ""));
            LowPopover low;
            const double since = low.harness.clock.uptime();
            PurloMenuBarView& popover =
                low.openAt(topPanel ? low.area.top() + 10 : low.area.bottom() - 10);
            if (napChoicesOpen) {
                pressUnderPointer(popover, "Nap");
            }
            low.harness.clock.advance(1);
            testing::clickTwice(popover, onScreen(popover, row).center(), secondLandsOff);
            EXPECT_EQ(popover.statusText().toStdString(), status);
            EXPECT_EQ(testing::visibleRowTitles(popover), rows);
            EXPECT_EQ(low.harness.settings().completionStreak.totalCompletions, wins);
            EXPECT_LE(low.harness.runtime().behaviorEngine().state.stretchUntil, since)
                << "she never stretched";
        }
    }
}

TEST(PurloMenuBarController, ARowThatCameUnderAStillHandTakesItsClicksOnceTheIntervalIsOver) {
    LowPopover low;
    PurloMenuBarView& popover = low.openAt(low.area.top() + 10);
    pressUnderPointer(popover, "Nap");
    low.harness.clock.advance(1);
    pressUnderPointer(popover, "Quick catnap · 20m");
    ASSERT_EQ(rowsUnderPointer(popover), Titles{"Stretch now"});
    low.harness.clock.advance(QApplication::doubleClickInterval() / 1000.0 - 0.01);
    testing::press(popover, "Stretch now");
    EXPECT_EQ(popover.statusText().toStdString(), "napping · back in 20m")
        << "too soon after it came";
    low.harness.clock.advance(0.02);
    testing::press(popover, "Stretch now");
    EXPECT_EQ(popover.statusText().toStdString(), "stretching… reach up high");
}

TEST(PurloMenuBarController, AfterWakeOrACatnapOnlyTheRowsUnderThePointerAreLit) {
    LowPopover low;
    PurloMenuBarView& popover = low.open(250);
    low.harness.runtime().nap(PurloNapDuration::twentyMinutes, low.harness.clock.now());
    for (const char* row : {"Wake Purlo", "Nap", "Quick catnap · 20m", "Wake Purlo"}) {
        testing::pointAt(onScreen(popover, row).center());
        // The rows change while the window system still has the popover a little lower,
        // as a window manager settling an earlier move does; then it comes to its place
        // under the still pointer.
        const QPoint unsettled(0, 20);
        popover.move(popover.pos() + unsettled);
        QCoreApplication::processEvents();
        testing::press(popover, row);
        popover.move(popover.pos() - unsettled);
        QCoreApplication::processEvents();
        EXPECT_EQ(rowsUnderPointer(popover).size(), 1u) << row;
        EXPECT_EQ(litRows(popover), rowsUnderPointer(popover)) << row;
    }
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
    // The window manager is offered what the window allows: closing and minimizing.
    EXPECT_EQ(window.windowFlags() &
                  (Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowFullscreenButtonHint),
              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
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

TEST(PopoverPlacement, AnOpenPopoverKeepsItsPanelsEdgeUnlessTheScreenStopsIt) {
    const QRect area(0, 28, 1440, 872);
    const QRect icon(700, 4, 22, 22);
    const QRect bottomIcon(700, 874, 22, 22);
    const PanelEdge underTopPanel = panelEdge(icon, QRect(567, 32, 286, 400));
    const PanelEdge overBottomPanel = panelEdge(bottomIcon, QRect(567, 468, 286, 400));
    ASSERT_EQ(underTopPanel.side, PanelEdge::Side::top);
    ASSERT_EQ(overBottomPanel.side, PanelEdge::Side::bottom);
    const struct {
        const char* name;
        PanelEdge edge;
        int height;
        int expectedTop;
    } cases[] = {
        {"a top panel's popover grows down", underTopPanel, 520, 32},
        {"and shrinks up", underTopPanel, 300, 32},
        {"until the screen's bottom stops it", underTopPanel, 870, 30},
        {"a bottom panel's popover grows up", overBottomPanel, 520, 348},
        {"and shrinks down", overBottomPanel, 300, 568},
        {"until the screen's top stops it", overBottomPanel, 860, 28},
        {"taller than the screen, from its top", overBottomPanel, 900, 28},
    };
    for (const auto& [name, edge, height, expectedTop] : cases) {
        EXPECT_EQ(keptOnPanel(edge, 567, QSize(286, height), area),
                  QRect(567, expectedTop, 286, height))
            << name;
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
