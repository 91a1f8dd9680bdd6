#include "tests/app/X11TestScreen.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace purlo::testing {
namespace {

struct XFreeDeleter {
    void operator()(void* data) const { XFree(data); }
};

// The 32-bit items of a window property, or nothing when it is not there.
std::optional<std::vector<unsigned long>> longProperty(Display* display, ::Window window,
                                                       const char* name, Atom type) {
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* raw = nullptr;
    const int status =
        XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 1024, False, type,
                           &actualType, &format, &count, &after, &raw);
    std::unique_ptr<unsigned char, XFreeDeleter> data(raw);
    if (status != Success || actualType == None || format != 32) {
        return std::nullopt;
    }
    // Xlib hands 32-bit items over in longs, sign-extended.
    std::vector<long> longs(count);
    std::memcpy(longs.data(), data.get(), count * sizeof(long));
    std::vector<unsigned long> items;
    for (const long item : longs) {
        items.push_back(static_cast<unsigned long>(item) & 0xFFFFFFFFul);
    }
    return items;
}

} // namespace

X11TestScreen::X11TestScreen() {
    const char* name = std::getenv("PURLO_TEST_DISPLAY");
    if (!name || !*name) {
        unavailableReason_ = "PURLO_TEST_DISPLAY is not set: run scripts/run-tests.sh, which "
                             "starts a private Xvfb display for the end-to-end tests.";
        return;
    }
    name_ = name;
    display_ = XOpenDisplay(name);
    if (!display_) {
        unavailableReason_ = "the test display " + name_ + " cannot be opened.";
    }
}

X11TestScreen::~X11TestScreen() {
    if (display_) {
        XCloseDisplay(display_);
    }
}

QSize X11TestScreen::size() const {
    const int screen = DefaultScreen(display_);
    return {DisplayWidth(display_, screen), DisplayHeight(display_, screen)};
}

QImage X11TestScreen::screenshot() const {
    const QSize screen = size();
    XImage* image = XGetImage(display_, DefaultRootWindow(display_), 0, 0,
                              static_cast<unsigned>(screen.width()),
                              static_cast<unsigned>(screen.height()), AllPlanes, ZPixmap);
    QImage picture(screen, QImage::Format_RGB32);
    if (!image) {
        picture.fill(Qt::black);
        return picture;
    }
    for (int y = 0; y < screen.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < screen.width(); ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            row[x] = qRgb(static_cast<int>((pixel & image->red_mask) >> 16),
                          static_cast<int>((pixel & image->green_mask) >> 8),
                          static_cast<int>(pixel & image->blue_mask));
        }
    }
    XDestroyImage(image);
    return picture;
}

void X11TestScreen::pressAndReleaseKey(char letter) {
    const char name[] = {letter, '\0'};
    const KeyCode code = XKeysymToKeycode(display_, XStringToKeysym(name));
    XTestFakeKeyEvent(display_, code, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, False, CurrentTime);
    XSync(display_, False);
}

void X11TestScreen::movePointer(int x, int y) {
    XTestFakeMotionEvent(display_, DefaultScreen(display_), x, y, CurrentTime);
    XSync(display_, False);
}

void X11TestScreen::click(int x, int y) {
    movePointer(x, y);
    XTestFakeButtonEvent(display_, 1, True, CurrentTime);
    XTestFakeButtonEvent(display_, 1, False, CurrentTime);
    XSync(display_, False);
}

std::vector<X11TestScreen::Window> X11TestScreen::windowsOf(long long pid) const {
    ::Window root = 0;
    ::Window parent = 0;
    ::Window* children = nullptr;
    unsigned int count = 0;
    XSync(display_, False);
    if (!XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count)) {
        return {};
    }
    std::unique_ptr<::Window, XFreeDeleter> owned(children);
    std::vector<Window> windows;
    for (unsigned int i = 0; i < count; ++i) {
        const auto owner = longProperty(display_, children[i], "_NET_WM_PID", XA_CARDINAL);
        if (!owner || owner->empty() || static_cast<long long>(owner->front()) != pid) {
            continue;
        }
        XWindowAttributes attributes{};
        XGetWindowAttributes(display_, children[i], &attributes);
        Window window;
        window.geometry = QRect(attributes.x, attributes.y, attributes.width, attributes.height);
        window.mapped = attributes.map_state == IsViewable;
        char* name = nullptr;
        if (XFetchName(display_, children[i], &name) && name) {
            window.title = name;
            XFree(name);
        }
        if (const auto desktop =
                longProperty(display_, children[i], "_NET_WM_DESKTOP", XA_CARDINAL);
            desktop && !desktop->empty()) {
            window.desktop = desktop->front();
        }
        for (const unsigned long atom :
             longProperty(display_, children[i], "_NET_WM_STATE", XA_ATOM)
                 .value_or(std::vector<unsigned long>{})) {
            std::unique_ptr<char, XFreeDeleter> atomName(XGetAtomName(display_, atom));
            window.states.emplace_back(atomName ? atomName.get() : "");
        }
        windows.push_back(std::move(window));
    }
    return windows;
}

} // namespace purlo::testing
