#include "app/SocketPlace.h"
#include "companion/qt/ThemeQColor.h"
#include "platform/AtomicFile.h"
#include "settings/HabitNudgeRow.h"
#include "settings/SettingsView.h"
#include "settings/controls/HabitDraftTextField.h"
#include "tests/support/RuntimeHarness.h"
#include "tests/ui/WidgetDriving.h"
#include "ui/PurloMenuBarView.h"

#include <QLayout>
#include <QScrollArea>
#include <QScrollBar>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
// Last, so that its macros meet none of the headers above.
#include "tests/app/RealProgram.h"

namespace purlo {
namespace {

using testing::eventually;
using ::testing::Optional;
using testing::pixels;
using testing::Profile;
using testing::Purlo;
using testing::Screen;

constexpr QSize panelSize = testing::herWindowSize;
constexpr QSize onboardingSize{600, 760};
constexpr QSize popoverSize{PurloMenuBarView::fixedWidth, 0};
constexpr QSize settingsSize{760, 620};
constexpr QRect frame{16, 76, 128, 128}; // hers in her panel, drawn at size 1

// The colours that tell her poses apart; behind a window, without a compositor, all is black.
struct Colour {
    static bool drawn(int r, int g, int b) { return r + g + b > 0; }
    static bool white(int r, int g, int b) { return r > 225 && g > 225 && b > 225; }
    static bool cloud(int r, int g, int b) { return r >= 150 && r <= 235 && g >= r && b >= r + 4; }
    static bool yellow(int r, int g, int b) { return r >= 200 && g >= 140 && g <= 225 && b <= 70; }
    // The fill of a happy bubble, as when she purrs.
    static bool peach(int r, int g, int b) {
        return r >= 245 && g >= 225 && g <= 245 && b >= 195 && b <= 218;
    }
    static bool ink(int r, int g, int b) { return r + g + b < 150; }
    // Her midnight fur; the tuxedo she starts in shows hardly any of it.
    static bool navy(int r, int g, int b) { return r < 80 && b >= r + 20 && b > g; }
};

// How far apart her white front paws end (their cells at x 82 and 106 of her panel, when
// she faces right). Typing lifts one about six pixels; sitting, they stand level.
std::optional<int> pawGap(const QImage& shot, QPoint at) {
    std::optional<int> bottoms[2];
    for (int paw = 0; paw < 2; ++paw) {
        for (int y = 146; y < 204; ++y) {
            if (pixels(shot, {at + QPoint(82 + 24 * paw, y), QSize(14, 1)}, Colour::white) >= 3) {
                bottoms[paw] = y;
            }
        }
    }
    return bottoms[0] && bottoms[1] ? std::optional(std::abs(*bottoms[0] - *bottoms[1]))
                                    : std::nullopt;
}

// The screen comes to show what seen looks for around her panel; the shot is kept as name.
void expectAround(Screen& screen, QRect panel, const QString& name,
                  const std::function<bool(const QImage&)>& seen) {
    EXPECT_TRUE(screen.shows(name, panel.adjusted(-40, -40, 40, 40), seen))
        << "the screen never showed her " << name.toStdString();
}

// "purlo intent ..." typed in a shell of profile's user: how it ended and what it printed.
struct IntentRun {
    explicit IntentRun(const Profile& profile, const std::string& display, QStringList arguments) {
        Purlo command(profile, display, QStringList{"intent"} + arguments);
        status = command.ended();
        output = command.readAllStandardOutput().toStdString();
        errors = command.readAllStandardError().toStdString();
    }
    std::optional<int> status;
    std::string output;
    std::string errors;
};

TEST(EndToEndWithoutDisplay, SaysSoInOneLineAndFails) {
    if (!testing::programResources()) {
        GTEST_SKIP() << "PURLO_BUILD_DIR is not set (ctest sets it): no program to run";
    }
    const Profile profile(false);
    Purlo purlo(profile, "");
    EXPECT_THAT(purlo.ended(), Optional(::testing::Ne(0)));
    EXPECT_EQ(purlo.readAllStandardError().toStdString(),
              "Purlo needs an X11 display (an X11 session, or XWayland under Wayland), and "
              "DISPLAY is not set.\n");
}

TEST(EndToEndOnAResettingServer, EveryOneOfTwentyLaunchesInARowStarts) {
    if (!testing::programResources()) {
        GTEST_SKIP() << "PURLO_BUILD_DIR is not set (ctest sets it): no program to run";
    }
    // Nothing but the program connects to it, so every launch meets a fresh reset.
    const testing::OwnServer server;
    if (server.name.empty()) {
        GTEST_SKIP() << "Xvfb does not start here.";
    }
    const Profile profile(true);
    // Where it listens once Qt is connected and the program is composed.
    const std::filesystem::path socket = profile.folder / "runtime" / "purlo.socket";
    for (int launch = 1; launch <= 20; ++launch) {
        std::filesystem::remove(socket);
        Purlo purlo(profile, server.name);
        eventually([&] { return std::filesystem::exists(socket) || purlo.waitForFinished(0); });
        ASSERT_EQ(purlo.state(), QProcess::Running)
            << "launch " << launch << ": " << purlo.readAllStandardError().toStdString();
    }
}

using EndToEnd = testing::OnTestDisplay;

TEST_F(EndToEnd, SheSitsWhereSheWasLeftTypesAlongThinksWithTheAgentCheersAndStaysOne) {
    const Profile profile(true, CompanionPlacement{300, 200});
    Purlo purlo(profile, screen.name);
    const auto panel = screen.awaited(panelSize);
    ASSERT_TRUE(panel) << "no 160 x 230 window of the program appeared";
    const QPoint at = panel->topLeft();
    EXPECT_EQ(at, QPoint(300, screen.size.height() - 200 - 204)) << "stored with y upward";
    const auto shows = [&](const char* name, const std::function<bool(const QImage&)>& seen) {
        expectAround(screen, *panel, QString("desktop-") + name, seen);
    };
    shows("sitting", [&](const QImage& shot) {
        return pixels(shot, frame.translated(at), Colour::drawn) > 3000 &&
               pawGap(shot, at).value_or(99) < 3;
    });
    shows("typing", [&](const QImage& shot) { // a key pressed while she is looked at
        const KeyCode a = XKeysymToKeycode(screen.display, XK_a);
        XTestFakeKeyEvent(screen.display, a, True, CurrentTime);
        XTestFakeKeyEvent(screen.display, a, False, CurrentTime);
        XSync(screen.display, False);
        return pawGap(shot, at).value_or(0) >= 3;
    });
    const auto gate = supportFolder(profile.environment) / "Integrations" / "enabled";
    EXPECT_TRUE(std::filesystem::exists(gate));
    const auto agent = [&](const std::string& event) {
        writeFileAtomically(supportFolder(profile.environment) / "agent-event.json",
                            R"({"event":")" + event + R"(","source":"codex"})");
    };
    agent("thinking");
    shows("thinking", [&](const QImage& shot) { // her thought cloud at her upper right
        return pixels(shot, {at + QPoint(112, 78), QSize(38, 22)}, Colour::cloud) >= 10;
    });
    agent("completed");
    shows("celebrating", [&](const QImage& shot) {
        return pixels(shot, {at, panelSize}, Colour::yellow) >= 2;
    });

    Purlo second(profile, screen.name);
    EXPECT_THAT(second.ended(), Optional(0)) << "a second start hands over and ends";
    EXPECT_EQ(purlo.state(), QProcess::Running);
    purlo.terminate();
    EXPECT_THAT(purlo.ended(), Optional(0));
    EXPECT_FALSE(std::filesystem::exists(gate)) << "stopping silences the agent hooks";
}

TEST_F(EndToEnd, ActionsFromTheShellReachTheRunningCatAndNeverStartOne) {
    const Profile profile(true, CompanionPlacement{300, 200});
    const IntentRun alone(profile, screen.name, {"pet"});
    EXPECT_THAT(alone.status, Optional(1));
    EXPECT_EQ(alone.errors, "Purlo is not running. Start her first, then try again.\n");
    EXPECT_FALSE(screen.window(panelSize)) << "asking for an action starts no cat";
    // She would take a status written now as seen once she starts, so it is not written.
    const IntentRun status(profile, screen.name, {"agent-status", "--status", "done"});
    EXPECT_THAT(status.status, Optional(1));
    EXPECT_EQ(status.output, "");
    EXPECT_EQ(status.errors, "Purlo is not running. Start her first, then try again.\n");
    EXPECT_FALSE(std::filesystem::exists(supportFolder(profile.environment) / "agent-event.json"));
    const IntentRun usage(profile, screen.name, {"wake", "--help"});
    EXPECT_THAT(usage.status, Optional(0));
    EXPECT_TRUE(usage.output.starts_with("Usage: purlo intent wake\n\n  wake ")) << usage.output;
    EXPECT_FALSE(screen.window(panelSize));

    Purlo purlo(profile, screen.name);
    const auto panel = screen.awaited(panelSize);
    ASSERT_TRUE(panel) << "no 160 x 230 window of the program appeared";
    const QPoint at = panel->topLeft();
    const QRect bubble(at, QSize(panelSize.width(), 66));
    const auto shows = [&](const char* name, const std::function<bool(const QImage&)>& seen) {
        expectAround(screen, *panel, QString("intent-") + name, seen);
    };
    shows("quiet", [&](const QImage& shot) {
        return pixels(shot, frame.translated(at), Colour::drawn) > 3000 &&
               pixels(shot, bubble, Colour::peach) == 0;
    });

    const IntentRun pet(profile, screen.name, {"pet"});
    EXPECT_THAT(pet.status, Optional(0));
    EXPECT_EQ(pet.output, "Purlo purrs.\n");
    shows("purring", [&](const QImage& shot) { return pixels(shot, bubble, Colour::peach) >= 40; });

    const IntentRun thinking(profile, screen.name, {"agent-status", "--status", "thinking"});
    EXPECT_THAT(thinking.status, Optional(0));
    EXPECT_EQ(thinking.output, "Purlo is thinking too.\n");
    shows("thinking", [&](const QImage& shot) {
        return pixels(shot, {at + QPoint(112, 78), QSize(38, 22)}, Colour::cloud) >= 10;
    });

    const IntentRun wrong(profile, screen.name, {"nap", "--duration", "forever"});
    EXPECT_THAT(wrong.status, Optional(2));
    EXPECT_TRUE(wrong.output.empty());
    EXPECT_EQ(wrong.errors,
              "purlo intent: “forever” is not a nap duration; use 15m, 20m, 30m, 1h.\n"
              "Usage: purlo intent pet|start-focus|mark-win|nap|wake|agent-status [OPTION...], "
              "or purlo intent --list; purlo intent --help explains them.\n");
    EXPECT_EQ(purlo.state(), QProcess::Running);
    purlo.terminate();
    EXPECT_THAT(purlo.ended(), Optional(0));
}

TEST_F(EndToEnd, WithoutARuntimeFolderOneCatRunsWhateverSquatsTheTemporaryFolder) {
    namespace fs = std::filesystem;
    Profile profile(true, CompanionPlacement{300, 200});
    profile.environment.erase("XDG_RUNTIME_DIR");
    profile.environment["TMPDIR"] = profile.folder / "tmp";
    // Her settings stay where they are while the home folder below moves.
    profile.environment["XDG_CONFIG_HOME"] = userConfigRoot(profile.environment);
    // Where another user could have been first: a folder open to all, a file, a link.
    const fs::path squatted =
        profile.folder / "tmp" / ("purlo-runtime-" + std::to_string(getuid()));
    const std::function<void()> squats[] = {
        [&] {
            fs::create_directories(squatted);
            fs::permissions(squatted, fs::perms::all);
        },
        [&] { testing::writeFile(squatted, ""); },
        [&] {
            fs::create_directories(profile.folder / "elsewhere");
            fs::create_directory_symlink(profile.folder / "elsewhere", squatted);
        },
        // A home deep enough that its socket's path does not fit in an address.
        [&] { profile.environment["HOME"] = profile.folder / std::string(120, 'h') / "ada"; },
    };
    for (const auto& squat : squats) {
        fs::remove_all(profile.folder / "tmp");
        fs::create_directories(profile.folder / "tmp");
        squat();
        std::vector<std::unique_ptr<Purlo>> starts;
        for (int start = 0; start < 3; ++start) {
            starts.push_back(std::make_unique<Purlo>(profile, screen.name));
        }
        ASSERT_TRUE(screen.awaited(panelSize)) << "no 160 x 230 window of the program appeared";
        EXPECT_TRUE(eventually([&] {
            return std::ranges::count_if(starts, [](const auto& purlo) {
                       return purlo->state() == QProcess::NotRunning || purlo->waitForFinished(0);
                   }) == 2;
        })) << "of three starts, two hand over and end";
        const IntentRun pet(profile, screen.name, {"pet"});
        EXPECT_EQ(pet.output, "Purlo purrs.\n") << pet.errors;
        const auto place = SocketPlace::of(profile.environment);
        EXPECT_EQ(fs::symlink_status(place.folder).permissions(), fs::perms::owner_all);
        starts.clear();
        ASSERT_FALSE(screen.awaited(panelSize, false)) << "all ended";
    }
    EXPECT_TRUE(fs::is_empty(profile.folder / "elsewhere")) << "nothing is put where a link leads";
}

TEST_F(EndToEnd, WhereHerOwnFolderIsNotHersSheRunsAndSaysWhy) {
    namespace fs = std::filesystem;
    Profile profile(true, CompanionPlacement{300, 200});
    profile.environment.erase("XDG_RUNTIME_DIR");
    const auto place = SocketPlace::of(profile.environment);
    fs::create_directories(place.folder.parent_path());
    fs::create_directory(profile.folder / "elsewhere");
    fs::create_directory_symlink(profile.folder / "elsewhere", place.folder);
    Purlo purlo(profile, screen.name);
    EXPECT_TRUE(screen.awaited(panelSize)) << "she starts all the same";
    const std::string warning = "Purlo runs without her socket, as " + place.folder.string() +
                                " is not a folder: another start or “purlo intent” will not "
                                "find her.\n";
    purlo.terminate();
    EXPECT_THAT(purlo.ended(), Optional(0));
    EXPECT_THAT(purlo.readAllStandardError().toStdString(), ::testing::HasSubstr(warning));
    EXPECT_TRUE(fs::is_empty(profile.folder / "elsewhere"))
        << "nothing is put where the link leads";
}

TEST_F(EndToEnd, ANewUserMeetsOnboardingFirstAndTheCatAfterTheLastSlide) {
    const Profile profile(false);
    Purlo purlo(profile, screen.name);
    const auto window = screen.awaited(onboardingSize);
    ASSERT_TRUE(window) << "no 600 x 760 window of the program appeared";
    EXPECT_LT(std::abs(window->center().x() - screen.size.width() / 2), 2) << "centred";
    // Slide by slide, on a line through the bottom bar: the colours at the Back button's
    // face and at a place only the last slide's long primary button reaches.
    const QColor card = themeQColor(PurloTheme::cardBackground, false);
    const QColor ghost = themeQColor(PurloTheme::controlBackground, false);
    const QColor accent = themeQColor(PurloTheme::accent, false);
    const std::pair<QColor, QColor> slides[] = {{card, card}, {ghost, card}, {ghost, accent}};
    const QPoint at = window->topLeft();
    for (int number = 1; number <= 3; ++number) {
        const auto& [back, far] = slides[number - 1];
        EXPECT_TRUE(screen.shows(QString("onboarding-desktop-%1").arg(number), *window,
                                 [&](const QImage& shot) {
                                     return shot.pixelColor(at + QPoint(40, 710)) == back &&
                                            shot.pixelColor(at + QPoint(376, 710)) == far;
                                 }))
            << "slide " << number;
        EXPECT_FALSE(screen.window(panelSize)) << "the cat waits until onboarding is done";
        screen.click(at + QPoint(562, 722)); // the primary button, on every slide
    }

    const auto panel = screen.awaited(panelSize);
    ASSERT_TRUE(panel) << "the cat never came out";
    EXPECT_FALSE(screen.awaited(onboardingSize, false)) << "the onboarding window stayed";
    EXPECT_TRUE(screen.shows("onboarding-desktop-cat", panel->adjusted(-40, -40, 40, 40),
                             [&](const QImage& shot) {
                                 return pixels(shot, frame.translated(panel->topLeft()),
                                               Colour::drawn) > 3000;
                             }))
        << "her panel is empty";
    purlo.terminate();
    EXPECT_THAT(purlo.ended(), Optional(0));
}

// With a tray host on the display, along the top.
class EndToEndWithTray : public EndToEnd {
protected:
    void SetUp() override {
        EndToEnd::SetUp();
        if (IsSkipped()) {
            return;
        }
        tray.emplace(screen, "top");
        if (!tray->running) {
            GTEST_SKIP() << "trayer does not run here: there is no tray host to try the paw in.";
        }
    }
    void TearDown() override { tray.reset(); }
    std::optional<QRect> trayWithPaw() { return tray->withPaw(screen); }

    std::optional<testing::Tray> tray;
};

// Whether the program that made window has caught up with its input: taken all the server
// sent it so far, and done what taking it left for later. It answers a ping (a window
// manager's question whether it hangs) as it comes to it, after all the server sent before;
// a second ping, sent once the first is answered, comes to it only after what it left for
// later meanwhile. False after ten seconds without an answer.
bool caughtUp(Screen& screen, ::Window window) {
    Display* display = screen.display;
    const ::Window root = DefaultRootWindow(display);
    const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    const Atom ping = XInternAtom(display, "_NET_WM_PING", False);
    // The answer goes to the root, under one structure mask or the other.
    constexpr long rootMask = StructureNotifyMask | SubstructureNotifyMask;
    XSelectInput(display, root, rootMask);
    bool answered = true;
    for (long round = 1; round <= 2 && answered; ++round) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = protocols;
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(ping);
        event.xclient.data.l[1] = round; // where a window manager puts the time
        event.xclient.data.l[2] = static_cast<long>(window);
        XSendEvent(display, window, False, NoEventMask, &event);
        XFlush(display);
        answered = eventually([&] {
            bool back = false;
            XEvent reply{};
            while (XCheckTypedWindowEvent(display, root, ClientMessage, &reply)) {
                back = back || (reply.xclient.message_type == protocols &&
                                reply.xclient.data.l[0] == static_cast<long>(ping) &&
                                reply.xclient.data.l[1] == round);
            }
            // What else the root tells is none of the test's business.
            while (XCheckMaskEvent(display, rootMask, &reply)) {
            }
            return back;
        });
    }
    XSelectInput(display, root, NoEventMask);
    return answered;
}

TEST_F(EndToEndWithTray, APawInTheTrayOpensThePopoverAndAClickClosesIt) {
    const Profile profile(true);
    Purlo purlo(profile, screen.name);
    const auto tray = trayWithPaw();
    ASSERT_TRUE(tray) << "the paw never took its place in the tray";
    const QPoint paw = tray->center();

    // Only what has drawn the popover has seen it, and clicks elsewhere: its window comes
    // on the screen before the toolkit takes the pointer for it, and is drawn after that.
    const auto drawnOn = [&](const char* name, QRect popover) {
        return screen.shows(name, popover.united(*tray).adjusted(-48, 0, 48, 48),
                            [popover](const QImage& shot) {
                                return shot.pixel(popover.center()) != qRgb(0, 0, 0);
                            });
    };
    screen.click(paw);
    const auto popover = screen.awaited(popoverSize);
    ASSERT_TRUE(popover) << "a click on the paw opens the popover";
    EXPECT_NEAR(popover->top(), tray->bottom() + 1 + 6, 2) << "right under the paw";
    EXPECT_TRUE(drawnOn("tray-popover", *popover));

    screen.click(paw);
    EXPECT_FALSE(screen.awaited(popoverSize, false)) << "a click on the paw closes it again";
    // Taken again, the closing click would open it anew: once the program has surely taken
    // all of the click, and what it set off, it shows or it never will. Her window, there
    // all along, answers for the program (the hidden popover's answers nothing).
    const auto her = screen.shownWindow(testing::herWindowSize);
    ASSERT_TRUE(her) << "she never came out";
    ASSERT_TRUE(caughtUp(screen, her->first)) << "the program stopped answering";
    EXPECT_FALSE(screen.window(popoverSize)) << "the closing click is not taken again";
    screen.click(paw);
    const auto reopened = screen.awaited(popoverSize);
    ASSERT_TRUE(reopened) << "a quick click after the closing one opens it again";
    EXPECT_TRUE(drawnOn("tray-popover-again", *reopened));
    screen.click({200, 600});
    EXPECT_FALSE(screen.awaited(popoverSize, false)) << "a click elsewhere closes it";
}

// Where the middle of the popover's "Settings…" row is, from its bottom-left corner: the
// same view, laid out here with the same fonts. The rows below it never change.
QPoint settingsRowFromBottomLeft() {
    testing::RuntimeHarness harness;
    PurloMenuBarView view(harness.runtime(), harness.clock, harness.loop, harness.appearance, {});
    // Laid out at that size at once, as the open popover is: the layout does not hold a
    // window to its content's size by itself.
    view.adjustSize();
    view.layout()->setGeometry(view.rect());
    const QAbstractButton* row = testing::button(view, "Settings…");
    if (!row) {
        ADD_FAILURE() << "the popover has no \"Settings…\" row";
        return {};
    }
    const QPoint centre = row->mapTo(&view, row->rect().center());
    return {centre.x(), centre.y() - view.height()};
}

TEST_F(EndToEndWithTray, SettingsInThePopoverOpensTheSettingsWindow) {
    const Profile profile(true);
    Purlo purlo(profile, screen.name);
    const auto tray = trayWithPaw();
    ASSERT_TRUE(tray) << "the paw never took its place in the tray";
    screen.click(tray->center());
    const auto popover = screen.awaited(popoverSize);
    ASSERT_TRUE(popover) << "a click on the paw opens the popover";
    screen.click(popover->bottomLeft() + QPoint(0, 1) + settingsRowFromBottomLeft());
    const auto settings = screen.awaited(settingsSize);
    ASSERT_TRUE(settings) << "\"Settings…\" opens no 760 x 620 window";
    EXPECT_EQ(screen.title(settingsSize), "Purlo Settings");
    EXPECT_FALSE(screen.awaited(popoverSize, false)) << "the popover closes behind it";
}

// On Appearance, the cat stands between the heading and the page, right of the sidebar.
constexpr QRect settingsPreview{230, 75, 490, 150};

// The Settings window a click on her in panel opens, once it shows. The pointer rests
// over her first, as a person's hand would.
std::optional<QRect> settingsFromAClickOn(Screen& screen, QRect panel) {
    const QPoint body = panel.topLeft() + QPoint(80, 150);
    screen.click(body, false);
    QThread::msleep(500);
    screen.click(body);
    return screen.awaited(settingsSize);
}

TEST_F(EndToEnd, AClickOnHerOpensSettingsOnAppearanceAndASecondStartBringsItBack) {
    const Profile profile(true, CompanionPlacement{300, 200});
    Purlo purlo(profile, screen.name);
    const auto panel = screen.awaited(panelSize);
    ASSERT_TRUE(panel) << "no 160 x 230 window of the program appeared";
    const auto settings = settingsFromAClickOn(screen, *panel);
    ASSERT_TRUE(settings) << "a click on her opens no 760 x 620 window";
    EXPECT_EQ(screen.title(settingsSize), "Purlo Settings");
    EXPECT_LT(std::abs(settings->center().x() - screen.size.width() / 2), 2) << "centred";
    EXPECT_TRUE(screen.shows("settings-desktop-appearance", *settings, [&](const QImage& shot) {
        return pixels(shot, settingsPreview.translated(settings->topLeft()), Colour::ink) > 300;
    })) << "no cat above the page: not on Appearance";

    screen.close(settingsSize);
    EXPECT_FALSE(screen.awaited(settingsSize, false)) << "closing hides the window";
    Purlo second(profile, screen.name);
    EXPECT_THAT(second.ended(), Optional(0)) << "a second start hands over and ends";
    EXPECT_TRUE(screen.awaited(settingsSize)) << "a second start brings Settings back";
    purlo.terminate();
    EXPECT_THAT(purlo.ended(), Optional(0));
}

// A plain window of the test's own under everything else, covering area, that tells
// whether a click reached it.
struct WindowBelow {
    WindowBelow(Display* display, QRect area)
        : display(display) {
        XSetWindowAttributes attributes{};
        attributes.override_redirect = True;
        attributes.event_mask = ButtonPressMask;
        window = XCreateWindow(display, DefaultRootWindow(display), area.x(), area.y(),
                               static_cast<unsigned>(area.width()),
                               static_cast<unsigned>(area.height()), 0, CopyFromParent, InputOutput,
                               CopyFromParent, CWOverrideRedirect | CWEventMask, &attributes);
        XMapWindow(display, window);
        XLowerWindow(display, window);
        XSync(display, False);
    }
    ~WindowBelow() {
        XDestroyWindow(display, window);
        XSync(display, False);
    }
    bool clicked() {
        XEvent event;
        return XCheckWindowEvent(display, window, ButtonPressMask, &event) == True;
    }

    Display* display;
    ::Window window = 0;
};

TEST_F(EndToEnd, TheFirstClickOnHerReachesHerAndAClickBesideHerFallsThrough) {
    const Profile profile(true, CompanionPlacement{300, 200});
    Purlo purlo(profile, screen.name);
    const auto panel = screen.awaited(panelSize);
    ASSERT_TRUE(panel) << "no 160 x 230 window of the program appeared";
    expectAround(screen, *panel, "first-click", [&](const QImage& shot) {
        return pixels(shot, frame.translated(panel->topLeft()), Colour::drawn) > 3000;
    });
    WindowBelow below(screen.display, panel->adjusted(-20, -20, 20, 20));

    // Where her bubble would be: part of her window, but not of her.
    screen.click(panel->topLeft() + QPoint(12, 12));
    EXPECT_TRUE(eventually([&] { return below.clicked(); }))
        << "a click beside her never reached the window below";
    // From far away straight onto her, the click in the same instant.
    screen.click({screen.size.width() - 20, 20}, false);
    screen.click(panel->topLeft() + QPoint(80, 150));
    EXPECT_TRUE(screen.awaited(settingsSize)) << "the first click on her opened no Settings";
    EXPECT_FALSE(below.clicked()) << "the click on her fell through";
    purlo.terminate();
    EXPECT_THAT(purlo.ended(), Optional(0));
}

// Midnight's tile in the fur row of the Appearance page.
constexpr QPoint midnightSwatch{662, 355};

TEST_F(EndToEnd, AFurChosenInSettingsDressesHerOnTheDesktopAndIsSaved) {
    // Well left of the centred Settings window, so it never covers her.
    const Profile profile(true, CompanionPlacement{40, 40});
    Purlo purlo(profile, screen.name);
    const auto panel = screen.awaited(panelSize);
    ASSERT_TRUE(panel) << "no 160 x 230 window of the program appeared";
    const auto settings = settingsFromAClickOn(screen, *panel);
    ASSERT_TRUE(settings) << "a click on her opens no 760 x 620 window";
    const QRect cat = frame.translated(panel->topLeft());
    expectAround(screen, *panel, "desktop-tuxedo", [&](const QImage& shot) {
        return pixels(shot, cat, Colour::ink) > 1000 && pixels(shot, cat, Colour::navy) < 200;
    });

    screen.click(settings->topLeft() + midnightSwatch);
    expectAround(screen, *panel, "desktop-midnight",
                 [&](const QImage& shot) { return pixels(shot, cat, Colour::navy) > 1000; });
    FileKeyValueStore store(configFolder(profile.environment));
    EXPECT_TRUE(eventually([&] {
        return PurloSettings::load(store).settings.skin == CatSkinPreset::midnight;
    })) << "the settings file never held the new fur";
    purlo.terminate();
    EXPECT_THAT(purlo.ended(), Optional(0));
}

// Where, in the Settings window on tab and scrolled to its end when asked, what find
// picks out lies: the same window, laid out here with the same fonts for a user of the
// given settings.
QRect inSettings(SettingsSectionTab tab, bool scrolledToEnd, const PurloSettings& settings,
                 const std::function<QWidget*(const SettingsView&)>& find) {
    testing::RuntimeHarness harness(settings);
    PurloSettingsRouter router;
    router.setSelectedTab(tab);
    SettingsView view(harness.runtime(), router, harness.appearance);
    view.resize(settingsSize);
    view.show();
    testing::settle();
    if (scrolledToEnd) {
        QScrollBar* scrolling = view.findChild<QScrollArea*>()->verticalScrollBar();
        scrolling->setValue(scrolling->maximum());
        testing::settle();
    }
    const QWidget* found = find(view);
    if (found == nullptr) {
        ADD_FAILURE() << "nothing to click in the Settings window";
        return {};
    }
    return {found->mapTo(&view, QPoint(0, 0)), found->size()};
}

// The title box of the last habit reminder's row.
QWidget* lastReminderTitle(const SettingsView& view) {
    const auto rows = testing::shownWidgets<HabitNudgeRow>(view);
    if (rows.isEmpty()) {
        return nullptr;
    }
    for (HabitDraftTextField* field : rows.last()->findChildren<HabitDraftTextField*>()) {
        if (!field->compact()) {
            return field;
        }
    }
    return nullptr;
}

TEST_F(EndToEnd, AReminderAddedAndRenamedInSettingsIsThereAfterARestart) {
    const Profile profile(true, CompanionPlacement{40, 40});
    std::optional<Purlo> purlo(std::in_place, profile, screen.name);
    const auto panel = screen.awaited(panelSize);
    ASSERT_TRUE(panel) << "no 160 x 230 window of the program appeared";
    const auto window = settingsFromAClickOn(screen, *panel);
    ASSERT_TRUE(window) << "a click on her opens no 760 x 620 window";
    const QPoint at = window->topLeft();
    // The page, scrolled down to its end, shows a box of its own there.
    const QColor boxFill = themeQColor(PurloTheme::controlFill, false);
    const QPoint page = at + QPoint(480, 400);
    const auto scrolledToBox = [&](const QString& name, QRect box) {
        return screen.shows(name, *window, [&](const QImage& shot) {
            if (shot.pixelColor(at + QPoint(box.left() + 4, box.center().y())) == boxFill) {
                return true;
            }
            screen.scrollDown(page);
            return false;
        });
    };
    ASSERT_TRUE(screen.shows("settings-desktop-appearance", *window, [&](const QImage& shot) {
        return pixels(shot, settingsPreview.translated(at), Colour::ink) > 300;
    }));

    const PurloSettings before;
    screen.click(
        at +
        inSettings(SettingsSectionTab::appearance, false, before, [](const SettingsView& view) {
            return testing::accessible(view, "Focus");
        }).center());
    const QRect add =
        inSettings(SettingsSectionTab::focus, true, before,
                   [](const SettingsView& view) { return testing::button(view, "Add Reminder"); });
    ASSERT_TRUE(scrolledToBox("settings-desktop-focus-end", add)) << "no Add Reminder at the end";
    screen.click(at + add.center());
    FileKeyValueStore store(configFolder(profile.environment));
    const auto reminders = [&] {
        return PurloSettings::load(store).settings.habitReminders;
    };
    ASSERT_TRUE(eventually([&] { return reminders().size() == 5; }))
        << "the settings file never held a fifth reminder";
    const PurloHabitReminder added = reminders().back();
    EXPECT_TRUE(added.id.starts_with("custom-")) << added.id;

    PurloSettings after = before;
    after.habitReminders.push_back(added);
    const QRect title = inSettings(SettingsSectionTab::focus, true, after, lastReminderTitle);
    ASSERT_TRUE(scrolledToBox("settings-desktop-focus-added", title)) << "no title box for it";
    screen.click(at + title.center());
    screen.key("a", true);
    screen.type("drink tea");
    screen.key("Return");
    EXPECT_TRUE(eventually([&] { return reminders().back().title == "drink tea"; }))
        << "the settings file never held the new title";

    purlo->terminate();
    EXPECT_THAT(purlo->ended(), Optional(0));
    purlo.emplace(profile, screen.name);
    EXPECT_TRUE(screen.awaited(panelSize)) << "she did not come back";
    PurloHabitReminder renamed = added;
    renamed.title = "drink tea";
    EXPECT_EQ(reminders().size(), 5u);
    EXPECT_EQ(reminders().back(), renamed);
    purlo->terminate();
    EXPECT_THAT(purlo->ended(), Optional(0));
}

} // namespace
} // namespace purlo
