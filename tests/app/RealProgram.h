#pragma once

// The real program on the private test display, and the display as a person sees and
// touches it. Included after every other header: the X11 macros meet none of them.

#include "model/PurloSettings.h"
#include "model/PurloSettingsStore.h"
#include "platform/Environment.h"
#include "platform/FileKeyValueStore.h"
#include "tests/companion/BuildFolder.h"
#include "tests/support/TemporaryFolder.h"

#include <QDeadlineTimer>
#include <QImage>
#include <QProcess>
#include <QRect>
#include <QSize>
#include <QStandardPaths>
#include <QThread>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <csignal>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <utility>

namespace purlo::testing {

// Her window: her 160 x 204 panel and the room below it for her paws at her largest sizes.
inline constexpr QSize herWindowSize{160, 230};

// A user of the program's own; settled: onboarded, her cat stays put, eyes far from yellow.
struct Profile {
    explicit Profile(bool settled, std::optional<CompanionPlacement> placement = {},
                     const std::function<void(PurloSettings&)>& change = {}) {
        std::filesystem::create_directory(folder / "home");
        std::filesystem::create_directory(folder / "runtime");
        std::filesystem::permissions(folder / "runtime", std::filesystem::perms::owner_all);
        PurloSettings settings;
        settings.hasCompletedFirstRunOnboarding = settled;
        settings.companionMovementMode = CompanionMovementMode::stayPut;
        settings.eyeColor = CatEyeColorPreset::sky;
        settings.companionPlacement = placement;
        if (change) {
            change(settings);
        }
        FileKeyValueStore store(configFolder(environment));
        PurloSettings::save(settings, store);
    }

    TemporaryFolder folder;
    Environment environment{{"HOME", folder / "home"},
                            {"XDG_RUNTIME_DIR", folder / "runtime"},
                            {"PATH", "/usr/local/bin:/usr/bin:/bin"}};
};

// The environment of a program that profile's user starts.
inline QProcessEnvironment environmentOf(const Profile& profile) {
    QProcessEnvironment environment;
    for (const auto& [variable, value] : profile.environment) {
        environment.insert(QString::fromStdString(variable), QString::fromStdString(value));
    }
    return environment;
}

// The real program from the build folder for profile, on display unless it is empty.
struct Purlo : QProcess {
    Purlo(const Profile& profile, const std::string& display, const QStringList& arguments = {}) {
        QProcessEnvironment environment = environmentOf(profile);
        if (!display.empty()) {
            environment.insert("DISPLAY", QString::fromStdString(display));
        }
        setProcessEnvironment(environment);
        start(QString::fromStdString((*programResources() / "purlo").string()), arguments);
        waitForStarted();
    }
    ~Purlo() override {
        kill();
        waitForFinished();
    }
    // The exit code once it ended on its own within ten seconds.
    std::optional<int> ended() {
        return waitForFinished(10000) && exitStatus() == NormalExit ? std::optional(exitCode())
                                                                    : std::nullopt;
    }
};

inline bool eventually(const std::function<bool()>& condition, int milliseconds = 10000) {
    for (QDeadlineTimer end(milliseconds); !condition(); QThread::msleep(50)) {
        if (end.hasExpired()) {
            return false;
        }
    }
    return true;
}

// A private display, named in PURLO_TEST_DISPLAY unless given, as a person sees and
// touches it.
struct Screen {
    explicit Screen(std::string displayName = qgetenv("PURLO_TEST_DISPLAY").toStdString())
        : name(std::move(displayName)) {
        // Xvfb refuses connections for a moment while it resets after its last client left.
        if (!name.empty() &&
            eventually([&] { return (display = XOpenDisplay(name.c_str())); }, 3000)) {
            size = {DisplayWidth(display, 0), DisplayHeight(display, 0)};
        }
        // A window that goes while it is looked at is no reason to end the tests.
        XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    }
    ~Screen() {
        if (display) {
            XCloseDisplay(display);
        }
    }
    // Moves the pointer there and, when asked to, clicks the first button.
    void click(QPoint at, bool press = true) {
        XTestFakeMotionEvent(display, 0, at.x(), at.y(), CurrentTime);
        if (press) {
            XTestFakeButtonEvent(display, 1, True, CurrentTime);
            XTestFakeButtonEvent(display, 1, False, CurrentTime);
        }
        XSync(display, False);
    }
    // Presses and lets go of the key of a keysym ("a", "space", "Return"), with Control
    // held when asked.
    void key(const char* keysym, bool control = false) {
        const KeyCode controlKey = XKeysymToKeycode(display, XK_Control_L);
        const KeyCode code = XKeysymToKeycode(display, XStringToKeysym(keysym));
        if (control) {
            XTestFakeKeyEvent(display, controlKey, True, CurrentTime);
        }
        XTestFakeKeyEvent(display, code, True, CurrentTime);
        XTestFakeKeyEvent(display, code, False, CurrentTime);
        if (control) {
            XTestFakeKeyEvent(display, controlKey, False, CurrentTime);
        }
        XSync(display, False);
    }
    // Types lower-case letters and spaces.
    void type(const std::string& text) {
        for (const char letter : text) {
            key(letter == ' ' ? "space" : std::string(1, letter).c_str());
        }
    }
    // Turns the mouse wheel there one notch towards the user, as to read further down.
    void scrollDown(QPoint at) {
        constexpr unsigned int wheelDown = 5;
        XTestFakeMotionEvent(display, 0, at.x(), at.y(), CurrentTime);
        XTestFakeButtonEvent(display, wheelDown, True, CurrentTime);
        XTestFakeButtonEvent(display, wheelDown, False, CurrentTime);
        XSync(display, False);
    }
    // The shown top-level window of that size; a width or height of 0 matches any.
    std::optional<std::pair<::Window, QRect>> shownWindow(QSize wanted) const {
        ::Window root = 0, *children = nullptr;
        unsigned int count = 0;
        XQueryTree(display, DefaultRootWindow(display), &root, &root, &children, &count);
        std::optional<std::pair<::Window, QRect>> found;
        for (unsigned int i = 0; i < count && !found; ++i) {
            XWindowAttributes a{};
            XGetWindowAttributes(display, children[i], &a);
            if (a.map_state == IsViewable && (!wanted.width() || a.width == wanted.width()) &&
                (!wanted.height() || a.height == wanted.height())) {
                found = {children[i], QRect(a.x, a.y, a.width, a.height)};
            }
        }
        XFree(children);
        return found;
    }
    // The instance name (WM_CLASS) of the deepest shown window at a point of the screen
    // that has one, as a click there would find it: an embedded window counts, inside
    // whatever holds it.
    std::string programAt(QPoint at) const {
        const ::Window root = DefaultRootWindow(display);
        std::string program;
        ::Window window = root;
        ::Window child = None;
        int x = 0;
        int y = 0;
        while (XTranslateCoordinates(display, root, window, at.x(), at.y(), &x, &y, &child) &&
               child != None) {
            XClassHint hint{};
            if (XGetClassHint(display, child, &hint)) {
                program = hint.res_name ? hint.res_name : "";
                XFree(hint.res_name);
                XFree(hint.res_class);
            }
            window = child;
        }
        return program;
    }
    std::optional<QRect> window(QSize wanted) const {
        const auto found = shownWindow(wanted);
        return found ? std::optional(found->second) : std::nullopt;
    }
    // The title of the shown window of that size.
    std::string title(QSize wanted) const {
        const auto found = shownWindow(wanted);
        char* name = nullptr;
        if (!found || !XFetchName(display, found->first, &name) || !name) {
            return {};
        }
        const std::string title = name;
        XFree(name);
        return title;
    }
    // Asks the shown window of that size to close, as its title bar's close button does.
    void close(QSize wanted) {
        const auto found = shownWindow(wanted);
        if (!found) {
            return;
        }
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = found->first;
        event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] =
            static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display, found->first, False, NoEventMask, &event);
        XSync(display, False);
    }
    // Waits for a screenshot that seen holds of; keeps its area as artifacts/name.png.
    bool shows(const QString& name, QRect area, const std::function<bool(const QImage&)>& seen) {
        QImage shot;
        const bool held = eventually([&] {
            XImage* image = XGetImage(display, DefaultRootWindow(display), 0, 0, size.width(),
                                      size.height(), AllPlanes, ZPixmap);
            if (!image) {
                return false;
            }
            shot = QImage(reinterpret_cast<const uchar*>(image->data), image->width, image->height,
                          image->bytes_per_line, QImage::Format_RGB32)
                       .copy();
            XDestroyImage(image);
            return seen(shot);
        });
        if (const auto folder = artifactsFolder()) {
            shot.copy(area).save(folder->filePath(name + ".png"));
        }
        return held;
    }
    // The shown top-level window of that size, or its absence, once there or after ten seconds.
    std::optional<QRect> awaited(QSize size, bool shown = true) {
        std::optional<QRect> found;
        eventually([&] { return (found = window(size)).has_value() == shown; });
        return found;
    }

    const std::string name;
    Display* display = nullptr;
    QSize size;
};

// The process whose lock holds a display number, as an X server writes it; none while there
// is no lock.
inline std::optional<qint64> lockHolder(int number) {
    std::ifstream lock("/tmp/.X" + std::to_string(number) + "-lock");
    qint64 process = 0;
    return lock >> process ? std::optional(process) : std::nullopt;
}

// Whether a display number's lock names a running server other than process.
inline bool heldByAnother(int number, qint64 process) {
    const auto holder = lockHolder(number);
    return holder && *holder != process && ::kill(static_cast<pid_t>(*holder), 0) == 0;
}

// An Xvfb of the test's own, on the first free display number from 170, that the test
// may stop: nothing else connects to it. Like many X servers it resets whenever its last
// client leaves, unless options say otherwise; name stays empty when none would start.
struct OwnServer {
    explicit OwnServer(const QStringList& options = {}) {
        const QString xvfb = QStandardPaths::findExecutable("Xvfb");
        for (int number = 170; !xvfb.isEmpty() && name.empty() && number < 200; ++number) {
            const std::filesystem::path socket = "/tmp/.X11-unix/X" + std::to_string(number);
            if (std::filesystem::exists("/tmp/.X" + std::to_string(number) + "-lock") ||
                std::filesystem::exists(socket)) {
                continue;
            }
            server.start(xvfb, QStringList{QString(":%1").arg(number), "-nolisten", "tcp"} +
                                   (options.isEmpty() ? QStringList{"-screen", "0", "640x480x24"}
                                                      : options));
            // Another server may take the number at the same moment, as a copy of the test
            // beside this one may. Its socket then passes for this one's, and the other test
            // would stop the server under this one: the number is ours only once its lock
            // names this server. The other's lock means another number; this one would give
            // up only after seconds.
            const auto up = [&] {
                return std::filesystem::exists(socket) && lockHolder(number) == server.processId();
            };
            const bool ours = server.waitForStarted() && eventually([&] {
                                  return up() || server.waitForFinished(0) ||
                                         heldByAnother(number, server.processId());
                              }) &&
                              up();
            if (ours) {
                name = ":" + std::to_string(number);
            } else {
                server.kill();
                server.waitForFinished();
            }
        }
    }
    ~OwnServer() { stop(); }
    // Asked to end, it closes every connection and removes its socket and lock, so the
    // number is free again.
    void stop() {
        server.terminate();
        server.waitForFinished();
    }

    QProcess server;
    std::string name;
};

// A tray host on the display: trayer, a light panel 28 pixels high along one edge of the
// screen ("top" or "bottom"), 2 pixels wide until it holds the (light) paw.
struct Tray {
    Tray(const Screen& screen, const char* edge)
        : top(std::string(edge) == "top") {
        trayer.start("env", {QString::fromStdString("DISPLAY=" + screen.name), "trayer", "--edge",
                             edge, "--align", "right", "--widthtype", "request", "--height", "28",
                             "--SetDockType", "true"});
        running = trayer.waitForStarted() && !trayer.waitForFinished(500);
    }
    ~Tray() {
        trayer.terminate();
        trayer.waitForFinished();
    }
    // The tray, once the paw took its place in it: a wider tray says only that the paw
    // asked for room, and a click reaches the paw once its window shows there. trayer grows
    // where it stands, past the screen's edge, and only then moves to the end of its edge:
    // until it lies there, the paw is not where it stays.
    std::optional<QRect> withPaw(const Screen& screen) const {
        std::optional<QRect> tray;
        const bool held = eventually([&] {
            tray = screen.window({0, 28});
            return tray && tray->width() > 10 && placed(*tray, screen.size) &&
                   screen.programAt(tray->center()) == "purlo";
        });
        return held ? tray : std::nullopt;
    }
    // Whether a tray lies where trayer puts it: in the corner of its edge, on the right.
    bool placed(QRect tray, QSize screen) const {
        return tray.right() == screen.width() - 1 &&
               (top ? tray.top() == 0 : tray.bottom() == screen.height() - 1);
    }

    QProcess trayer;
    bool running = false;
    bool top; // along the top of the screen, or else the bottom
};

// A test of the real program on the private display.
class OnTestDisplay : public ::testing::Test {
protected:
    void SetUp() override {
        if (!programResources() || !screen.display) {
            GTEST_SKIP() << "needs PURLO_BUILD_DIR and PURLO_TEST_DISPLAY (scripts/run-tests.sh)";
        }
        // Far to her right: she faces the pointer, and it is nowhere near her.
        screen.click({screen.size.width() - 20, screen.size.height() / 2}, false);
    }
    Screen screen;
};

// How many pixels of area in shot are of that colour.
inline int pixels(const QImage& shot, QRect area, bool (*colour)(int r, int g, int b)) {
    int found = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = shot.valid(x, y) ? shot.pixel(x, y) : 0;
            found += colour(qRed(p), qGreen(p), qBlue(p)) ? 1 : 0;
        }
    }
    return found;
}

} // namespace purlo::testing
