#include "platform/qt/QtPointerSource.h"
#include "platform/x11/X11ActiveAppSource.h"
#include "platform/x11/X11IdleSource.h"
#include "platform/x11/X11KeyEventSource.h"
#include "platform/x11/X11PanelHints.h"
#include "platform/x11/X11PointerPosition.h"
#include "platform/x11/X11WindowPixels.h"
#include "runtime/ActiveApplicationSensor.h"
#include "runtime/TypingActivityMonitor.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ManualEventLoop.h"
#include "tests/support/TemporaryFolder.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <thread>
#include <type_traits>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

// Xlib last, so that its macros never meet the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace purlo {
namespace {

using namespace std::chrono_literals;
using testing::ManualEventLoop;

// The source hands over that a key went down and nothing else: the key cannot leave it.
static_assert(std::is_same_v<KeyEventSource::KeyPressHandler, std::function<void()>>);

// Gives the server a moment, then hands the loop every descriptor it may watch and moves
// it on to the key source's next collection, until done() holds or five seconds pass.
bool waitUntil(ManualEventLoop& loop, const std::function<bool()>& done) {
    for (int tries = 0; tries < 1000 && !done(); ++tries) {
        std::this_thread::sleep_for(5ms);
        for (int fd = 0; fd < 1024; ++fd) {
            loop.makeReadable(fd);
        }
        loop.advance(X11KeyEventSource::collectInterval);
    }
    return done();
}

// Qt on the test display itself, not offscreen, so that it asks the X server.
struct QtOnDisplay {
    explicit QtOnDisplay(const std::string& name)
        : arguments{"purlo_platform_x11_tests", "-platform", "xcb", "-display", name} {}

    std::string arguments[5];
    char* argv[5] = {arguments[0].data(), arguments[1].data(), arguments[2].data(),
                     arguments[3].data(), arguments[4].data()};
    int argc = 5;
    QGuiApplication application{argc, argv};
};

// Acts on the private display named in PURLO_TEST_DISPLAY (never the user's own) as a
// user and a window manager would, waiting for the server each time; skips without it.
class OnTestDisplay : public ::testing::Test {
protected:
    void SetUp() override {
        const char* variable = std::getenv("PURLO_TEST_DISPLAY");
        if (!variable || !*variable) {
            GTEST_SKIP() << "PURLO_TEST_DISPLAY is not set: run scripts/run-tests.sh, which "
                            "starts a private Xvfb display for the X11 tests.";
        }
        name = variable;
        owner.reset(XOpenDisplay(variable));
        display = owner.get();
        if (!display) {
            GTEST_SKIP() << "the test display " << name
                         << " named by PURLO_TEST_DISPLAY cannot be opened.";
        }
    }

    void pressAndReleaseKey(char letter) {
        const char keysym[] = {letter, '\0'};
        const KeyCode code = XKeysymToKeycode(display, XStringToKeysym(keysym));
        XTestFakeKeyEvent(display, code, True, CurrentTime);
        XTestFakeKeyEvent(display, code, False, CurrentTime);
        XSync(display, False);
    }
    Window createWindow() {
        const Window window =
            XCreateSimpleWindow(display, DefaultRootWindow(display), 10, 10, 50, 50, 0, 0, 0);
        XSync(display, False);
        return window;
    }
    // A window whose class names the application "PurloProbe" ("purlo-probe").
    Window createClassedWindow() {
        const Window window = createWindow();
        XClassHint hint{const_cast<char*>("purlo-probe"), const_cast<char*>("PurloProbe")};
        XSetClassHint(display, window, &hint);
        return window;
    }
    Atom atom(const char* atomName) { return XInternAtom(display, atomName, False); }
    // The server's own time now, in milliseconds: the stamp it puts on a change to a property
    // of window, on the clock it stamps input and counts idle time by.
    Time serverTime(Window window) {
        XSelectInput(display, window, PropertyChangeMask);
        XChangeProperty(display, window, atom("PURLO_TEST_CLOCK"), XA_STRING, 8, PropModeAppend,
                        nullptr, 0);
        XEvent changed{};
        XWindowEvent(display, window, PropertyChangeMask, &changed);
        return changed.xproperty.time;
    }
    void setProperty(Window window, const char* property, Atom type, std::vector<long> values) {
        XChangeProperty(display, window, atom(property), type, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(values.data()),
                        static_cast<int>(values.size()));
        XSync(display, False);
    }
    // A 32-bit property as Xlib hands it over, in sign-extended longs.
    std::vector<long> property(Window window, const char* property) {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(display, window, atom(property), 0, 64, False, AnyPropertyType, &type,
                           &format, &count, &after, &data);
        std::vector<long> values;
        if (data && format == 32) {
            values.assign(reinterpret_cast<long*>(data), reinterpret_cast<long*>(data) + count);
        }
        XFree(data);
        return values;
    }

    std::unique_ptr<Display, int (*)(Display*)> owner{nullptr, XCloseDisplay};
    Display* display = nullptr;
    std::string name;
};

TEST(X11Sensors, WithoutADisplayEverySensorReportsNothing) {
    const std::optional<std::string> names[] = {std::nullopt, "", ":65000"};
    for (const auto& name : names) {
        SCOPED_TRACE(name.value_or("no name"));
        ManualEventLoop loop;
        X11KeyEventSource keys(loop, name);
        EXPECT_FALSE(keys.listenAccessGranted());
        EXPECT_FALSE(keys.requestListenAccess());
        EXPECT_EQ(keys.listen([] {}), std::nullopt);
        EXPECT_EQ(loop.watchedDescriptorCount(), 0u);
        const X11Connection connection(name);
        EXPECT_EQ(X11ActiveAppSource(connection).frontmostApplication(), std::nullopt);
        EXPECT_EQ(X11IdleSource(connection).secondsSinceAnyInput(), std::nullopt);
    }
}

TEST_F(OnTestDisplay, KeyPressesOfAnotherProgramRaiseTheTypingCount) {
    ManualEventLoop loop;
    X11KeyEventSource keys(loop, name);
    ASSERT_TRUE(keys.listenAccessGranted());
    EXPECT_TRUE(keys.requestListenAccess());
    testing::FakeClock clock(1000);
    TypingActivityMonitor monitor(keys, clock);
    const auto count = [&] {
        return monitor.snapshot(clock.uptime()).recentKeyPressCount;
    };
    monitor.start();
    pressAndReleaseKey('a');
    pressAndReleaseKey('b');
    ASSERT_TRUE(waitUntil(loop, [&] { return count() >= 2; }));
    EXPECT_EQ(count(), 2);

    // A press while stopped is never heard, not even after the next start.
    monitor.stop();
    pressAndReleaseKey('c');
    monitor.start();
    loop.runPending();
    clock.advance(1);
    pressAndReleaseKey('d');
    ASSERT_TRUE(waitUntil(
        loop, [&] { return monitor.snapshot(clock.uptime()).lastKeyPressTime == clock.uptime(); }));
    EXPECT_EQ(count(), 1);
}

// The first press after a quiet spell wakes the loop; the presses that follow it wait for
// the next collection and arrive together, until the keyboard is quiet again.
TEST_F(OnTestDisplay, KeyPressesWhileSomeoneTypesArriveTogetherAtEachCollection) {
    ManualEventLoop loop;
    X11KeyEventSource keys(loop, name);
    int heard = 0;
    std::optional<Cancellable> listening = keys.listen([&] { ++heard; });
    ASSERT_TRUE(listening);
    loop.runPending();
    // Gives the server a moment to send what it was told, then wakes whatever is watched.
    const auto afterPressing = [&](std::initializer_list<char> letters) {
        for (const char letter : letters) {
            pressAndReleaseKey(letter);
        }
        std::this_thread::sleep_for(20ms);
        for (int fd = 0; fd < 1024; ++fd) {
            loop.makeReadable(fd);
        }
        return heard;
    };
    const auto watching = [&] {
        return std::pair(loop.watchedDescriptorCount(), loop.activeTimerCount());
    };
    using Watching = std::pair<std::size_t, std::size_t>;
    EXPECT_EQ(watching(), Watching(1, 0)) << "quiet: the socket alone";

    EXPECT_EQ(afterPressing({'a'}), 1) << "the first press comes at once";
    EXPECT_EQ(watching(), Watching(0, 1)) << "typing: the collections alone";
    EXPECT_EQ(afterPressing({'b', 'c'}), 1) << "the next ones wait";
    loop.advance(X11KeyEventSource::collectInterval);
    EXPECT_EQ(heard, 3);
    // A pause shorter than the quiet spell keeps the collections going.
    loop.advance(X11KeyEventSource::quietSpell - X11KeyEventSource::collectInterval);
    EXPECT_EQ(afterPressing({'d'}), 3);
    EXPECT_EQ(watching(), Watching(0, 1));
    loop.advance(X11KeyEventSource::collectInterval);
    EXPECT_EQ(heard, 4);
    loop.advance(X11KeyEventSource::quietSpell);
    EXPECT_EQ(watching(), Watching(1, 0)) << "quiet for a spell: the socket again";
    EXPECT_EQ(afterPressing({'f'}), 5);

    listening.reset();
    EXPECT_EQ(watching(), Watching(0, 0));
    EXPECT_EQ(afterPressing({'g'}), 5) << "heard after the listener went";
    loop.advance(1);
    EXPECT_EQ(heard, 5);
}

TEST_F(OnTestDisplay, TheActiveWindowsApplicationOutlivesTheWindow) {
    const X11Connection connection(name);
    const X11ActiveAppSource source(connection);
    const ActiveApplicationSensor sensor(source);
    // The server tells of each change on its own: a sample may come before it.
    const auto awaitSample = [&](const ActiveAppSnapshot& wanted) {
        for (int tries = 0; tries < 500 && sensor.sample() != wanted; ++tries) {
            std::this_thread::sleep_for(10ms);
        }
        return sensor.sample();
    };
    const Window root = DefaultRootWindow(display);
    const Window classed = createClassedWindow();
    setProperty(root, "_NET_ACTIVE_WINDOW", XA_WINDOW, {static_cast<long>(classed)});
    const ActiveAppSnapshot probe{"PurloProbe", std::string("purlo-probe")};
    EXPECT_EQ(awaitSample(probe), probe);

    const Window unclassed = createWindow();
    setProperty(unclassed, "_NET_WM_PID", XA_CARDINAL, {getpid()});
    setProperty(root, "_NET_ACTIVE_WINDOW", XA_WINDOW, {static_cast<long>(unclassed)});
    std::string self = testing::readFile("/proc/self/comm");
    self.pop_back();
    const ActiveAppSnapshot itself{self, self};
    EXPECT_EQ(awaitSample(itself), itself);

    // A window that is gone: the server's error is a missing answer, not the end.
    XDestroyWindow(display, classed);
    setProperty(root, "_NET_ACTIVE_WINDOW", XA_WINDOW, {static_cast<long>(classed)});
    EXPECT_EQ(awaitSample(ActiveAppSnapshot{}), ActiveAppSnapshot{});
    setProperty(root, "_NET_ACTIVE_WINDOW", XA_WINDOW, {0});
    for (int tries = 0; tries < 500 && source.frontmostApplication(); ++tries) {
        std::this_thread::sleep_for(10ms);
    }
    EXPECT_EQ(source.frontmostApplication(), std::nullopt);
    XDeleteProperty(display, root, atom("_NET_ACTIVE_WINDOW"));
    XSync(display, False);
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(source.frontmostApplication(), std::nullopt);
}

// Input sends nothing until a quiet spell has lasted; from then on the idle time counts
// from the spell's start, and the next input ends it. No reading asks the server. Other
// tests' input on the display may end a spell early: each wait allows for it.
TEST_F(OnTestDisplay, IdleTimeCountsFromAQuietSpellOnceItLastedAndInputEndsIt) {
    const X11Connection connection(name);
    const X11IdleSource idle(connection);
    const auto reading = [&idle] {
        return idle.secondsSinceAnyInput().value_or(-1);
    };
    const auto awaitReading = [&](const std::function<bool(double)>& wanted) {
        double seconds = reading();
        for (int tries = 0; tries < 1000 && !wanted(seconds); ++tries) {
            std::this_thread::sleep_for(10ms);
            seconds = reading();
        }
        return seconds;
    };
    const double spell = std::chrono::duration<double>(X11IdleSource::quietSpell).count();

    // The spell is measured on the server's clock: the server stamps the press before the
    // test could read a clock of its own, so a span from that reading may fall short of the
    // spell the server counted. Read before the press, the server's time is no later than
    // the press's stamp.
    const Window clock = createWindow();
    const Time beforePress = serverTime(clock);
    pressAndReleaseKey('a');
    EXPECT_EQ(awaitReading([](double seconds) { return seconds == 0; }), 0)
        << "the key press did not count as input";
    const double spellReached = awaitReading([](double seconds) { return seconds > 0; });
    // The server's time wraps after 49 days: the span is taken in its 32 bits.
    const auto lasted =
        std::chrono::milliseconds(static_cast<std::uint32_t>(serverTime(clock) - beforePress));
    EXPECT_GE(lasted, X11IdleSource::quietSpell) << "counted before the spell lasted";
    EXPECT_GE(spellReached, spell);
    EXPECT_LT(spellReached, spell + 0.5);
    // Other tests' input may end a spell and start another one: it grows all the same.
    EXPECT_GE(awaitReading([&](double seconds) { return seconds >= spellReached + 0.1; }),
              spellReached + 0.1)
        << "the idle time stood still";

    pressAndReleaseKey('a');
    EXPECT_EQ(awaitReading([](double seconds) { return seconds == 0; }), 0)
        << "input did not end the spell";
    const unsigned long nextRequest = NextRequest(connection.display());
    idle.secondsSinceAnyInput();
    EXPECT_EQ(NextRequest(connection.display()), nextRequest) << "a reading asked the server";
    XDestroyWindow(display, clock);
}

TEST_F(OnTestDisplay, QtReadsAPointerMovedByAnotherProgramWithYUpward) {
    const QtOnDisplay qt(name);
    XTestFakeMotionEvent(display, DefaultScreen(display), 100, 200, CurrentTime);
    XSync(display, False);
    EXPECT_EQ(QtPointerSource().location(),
              (Point{100, DisplayHeight(display, DefaultScreen(display)) - 201.0}));
}

// A reading asks the server nothing while nothing it reads has changed. The server tells
// of a change to the root's choice of window and to that window's class, and the next
// reading reads again; the rest (another window's class, another property of the root)
// is not the source's business.
TEST_F(OnTestDisplay, TheActiveWindowsApplicationIsReadAgainOnlyOnceWhatItReadsChanged) {
    const X11Connection connection(name);
    const X11ActiveAppSource source(connection);
    const Window root = DefaultRootWindow(display);
    const Window first = createClassedWindow();
    const Window second = createWindow();
    const auto classed = [&](Window window, const char* instance, const char* className) {
        XClassHint hint{const_cast<char*>(instance), const_cast<char*>(className)};
        XSetClassHint(display, window, &hint);
        XSync(display, False);
    };
    const auto activate = [&](Window window) {
        setProperty(root, "_NET_ACTIVE_WINDOW", XA_WINDOW, {static_cast<long>(window)});
    };
    const auto app = [](const char* className, const char* instance) {
        return std::optional(FrontmostApplication{className, instance});
    };
    // The server's events come on their own: a reading may come before them.
    const auto awaitReading = [&](const std::optional<FrontmostApplication>& wanted) {
        for (int tries = 0; tries < 500 && source.frontmostApplication() != wanted; ++tries) {
            std::this_thread::sleep_for(10ms);
        }
        return source.frontmostApplication();
    };
    const auto requestsOfAReading = [&] {
        const unsigned long before = NextRequest(connection.display());
        source.frontmostApplication();
        return NextRequest(connection.display()) - before;
    };
    activate(first);
    EXPECT_EQ(source.frontmostApplication(), app("PurloProbe", "purlo-probe"));

    const struct {
        const char* what;
        std::function<void()> change;
        std::optional<FrontmostApplication> reading;
    } cases[] = {
        {"the active window's class", [&] { classed(first, "probe-two", "ProbeTwo"); },
         app("ProbeTwo", "probe-two")},
        {"another window's class", [&] { classed(second, "other", "Other"); },
         app("ProbeTwo", "probe-two")},
        {"another property of the root",
         [&] { setProperty(root, "_PURLO_TEST_OTHER", XA_CARDINAL, {1}); },
         app("ProbeTwo", "probe-two")},
        {"the root's choice of window", [&] { activate(second); }, app("Other", "other")},
        {"the window active before", [&] { classed(first, "probe-three", "ProbeThree"); },
         app("Other", "other")},
        {"no window", [&] { activate(None); }, std::nullopt},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.what);
        const std::optional<FrontmostApplication> before = source.frontmostApplication();
        each.change();
        if (each.reading == before) {
            std::this_thread::sleep_for(20ms);
            EXPECT_EQ(requestsOfAReading(), 0u) << "read again for nothing";
        }
        EXPECT_EQ(awaitReading(each.reading), each.reading);
        std::this_thread::sleep_for(20ms);
        EXPECT_EQ(requestsOfAReading(), 0u) << "nothing changed since";
    }
    XDeleteProperty(display, root, atom("_PURLO_TEST_OTHER"));
    XSync(display, False);
}

// Pixels put into a window of depth 32 arrive as the program holds them, from wherever
// their rows lie in memory; a window of another depth, no window and no pixels take none.
TEST_F(OnTestDisplay, PixelsPutStraightIntoAWindowArriveExactlyAsTheyAre) {
    XVisualInfo argb{};
    ASSERT_TRUE(XMatchVisualInfo(display, DefaultScreen(display), 32, TrueColor, &argb));
    const Window root = DefaultRootWindow(display);
    XSetWindowAttributes attributes{};
    attributes.colormap = XCreateColormap(display, root, argb.visual, AllocNone);
    const Window deep = XCreateWindow(display, root, 0, 0, 64, 48, 0, 32, InputOutput, argb.visual,
                                      CWColormap | CWBorderPixel | CWBackPixel, &attributes);
    const Window shallow = createWindow();
    XMapWindow(display, deep);
    XMapWindow(display, shallow);
    XSync(display, False);
    const std::unique_ptr<xcb_connection_t, void (*)(xcb_connection_t*)> connection(
        xcb_connect(name.c_str(), nullptr), xcb_disconnect);
    X11WindowPixels pixels(connection.get());
    const auto served = [&] {
        std::free(xcb_get_input_focus_reply(connection.get(), xcb_get_input_focus(connection.get()),
                                            nullptr));
    };
    // 20 x 10 pixels, each its own half-transparent premultiplied colour.
    std::vector<std::uint32_t> picture(200);
    for (std::uint32_t i = 0; i < picture.size(); ++i) {
        picture[i] = (0x80u + i % 0x7f) << 24 | (i % 0x80) << 16 | (0x7f - i % 0x80) << 8 | i / 2;
    }
    const struct {
        const char* what;
        PixelArea area;
        int first; // the index of the area's first pixel in the picture
    } cases[] = {
        {"the whole picture at the corner", {0, 0, 20, 10}, 0},
        {"a part, its rows apart in memory", {30, 20, 7, 5}, 2 * 20 + 3},
        {"one pixel at the far corner", {63, 47, 1, 1}, 199},
    };
    for (const auto& [what, area, first] : cases) {
        SCOPED_TRACE(what);
        EXPECT_TRUE(pixels.put(deep, area, picture.data() + first, 20));
        served();
        XImage* image = XGetImage(display, deep, area.x, area.y, static_cast<unsigned>(area.width),
                                  static_cast<unsigned>(area.height), AllPlanes, ZPixmap);
        ASSERT_NE(image, nullptr);
        for (int y = 0; y < area.height; ++y) {
            for (int x = 0; x < area.width; ++x) {
                EXPECT_EQ(XGetPixel(image, x, y), picture[first + y * 20 + x]) << x << ", " << y;
            }
        }
        XDestroyImage(image);
    }

    EXPECT_FALSE(pixels.put(shallow, {0, 0, 20, 10}, picture.data(), 20));
    EXPECT_FALSE(pixels.put(0, {0, 0, 20, 10}, picture.data(), 20));
    EXPECT_FALSE(pixels.put(deep, {0, 0, 0, 10}, picture.data(), 20));
    EXPECT_FALSE(X11WindowPixels(nullptr).put(deep, {0, 0, 20, 10}, picture.data(), 20));
    served();
    XImage* untouched = XGetImage(display, shallow, 0, 0, 1, 1, AllPlanes, ZPixmap);
    ASSERT_NE(untouched, nullptr);
    EXPECT_EQ(XGetPixel(untouched, 0, 0), 0u);
    XDestroyImage(untouched);
    EXPECT_TRUE(pixels.put(deep, {0, 0, 20, 10}, picture.data(), 20)) << "the deep one again";
}

TEST_F(OnTestDisplay, ThePointerReadOnTheSensorsConnectionIsWhereQtSeesIt) {
    const QtOnDisplay qt(name);
    const X11Connection connection(name);
    const QtPointerSource throughSensors([&] { return x11PointerPosition(connection); });
    const int width = DisplayWidth(display, DefaultScreen(display));
    const int height = DisplayHeight(display, DefaultScreen(display));
    const Point corners[] = {{100, 200}, {0, 0}, {width - 1.0, height - 1.0}, {width - 1.0, 0}};
    for (const Point& pixel : corners) {
        XTestFakeMotionEvent(display, DefaultScreen(display), static_cast<int>(pixel.x),
                             static_cast<int>(pixel.y), CurrentTime);
        XSync(display, False);
        EXPECT_EQ(x11PointerPosition(connection), pixel);
        EXPECT_EQ(throughSensors.location(), QtPointerSource().location());
        EXPECT_EQ(throughSensors.location(), (Point{pixel.x, height - 1 - pixel.y}));
    }

    // Without a connection there is no reading, and Qt is asked instead.
    const X11Connection closed(std::nullopt);
    ASSERT_FALSE(closed.isOpen());
    EXPECT_EQ(x11PointerPosition(closed), std::nullopt);
    const QtPointerSource unanswered([&] { return x11PointerPosition(closed); });
    EXPECT_EQ(unanswered.location(), QtPointerSource().location());
}

TEST_F(OnTestDisplay, PanelHintsPutThePanelOnEveryDesktopBesideItsOwnStatesOnlyOnce) {
    const Window window = createWindow();
    setProperty(window, "_NET_WM_STATE", XA_ATOM, {static_cast<long>(atom("_NET_WM_STATE_ABOVE"))});
    const X11Connection connection(name);
    X11PanelHints hints(connection);
    hints.prepare(window);
    hints.prepare(window); // shown again after the window manager kept the states
    std::vector<std::string> states;
    for (const long state : property(window, "_NET_WM_STATE")) {
        char* stateName = XGetAtomName(display, static_cast<Atom>(state));
        states.emplace_back(stateName ? stateName : "");
        XFree(stateName);
    }
    std::ranges::sort(states);
    EXPECT_EQ(states,
              (std::vector<std::string>{"_NET_WM_STATE_ABOVE", "_NET_WM_STATE_SKIP_PAGER",
                                        "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_STICKY"}));
    // On every desktop: 0xFFFFFFFF, sign-extended.
    EXPECT_EQ(property(window, "_NET_WM_DESKTOP"), std::vector<long>{-1});
    XDestroyWindow(display, window);
    XSync(display, False);
    hints.prepare(window); // a window that is gone is no failure
}

} // namespace
} // namespace purlo
