#include "platform/x11/X11ActiveAppSource.h"

#include "platform/x11/X11ErrorTrap.h"

#include <X11/Xatom.h>
#include <cstring>
#include <memory>

namespace purlo {
namespace {

// WM_CLASS is two short names; a longer property is cut here, not read whole.
constexpr long windowClassLimitInLongs = 256;

struct XFreeDeleter {
    void operator()(unsigned char* data) const { XFree(data); }
};

struct Property {
    Atom type = None;
    int format = 0;
    unsigned long itemCount = 0;
    std::unique_ptr<unsigned char, XFreeDeleter> data;
};

// Nothing when the window is gone or has no such property.
std::optional<Property> readProperty(Display* display, Window window, Atom name, long lengthInLongs,
                                     Atom type) {
    X11ErrorTrap trap(display);
    Property property;
    unsigned long bytesAfter = 0;
    unsigned char* data = nullptr;
    const int status =
        XGetWindowProperty(display, window, name, 0, lengthInLongs, False, type, &property.type,
                           &property.format, &property.itemCount, &bytesAfter, &data);
    property.data.reset(data);
    if (!trap.answered() || status != Success || !property.data || property.type == None) {
        return std::nullopt;
    }
    return property;
}

// One 32-bit value, which Xlib hands over in a long.
std::optional<unsigned long> readCardinal(Display* display, Window window, Atom name, Atom type) {
    const auto property = readProperty(display, window, name, 1, type);
    if (!property || property->format != 32 || property->itemCount < 1) {
        return std::nullopt;
    }
    unsigned long value = 0;
    std::memcpy(&value, property->data.get(), sizeof value);
    return value;
}

WindowClass readWindowClass(Display* display, Window window) {
    const auto property =
        readProperty(display, window, XA_WM_CLASS, windowClassLimitInLongs, AnyPropertyType);
    if (!property || property->format != 8) {
        return {};
    }
    return parseWindowClass(
        std::string_view(reinterpret_cast<const char*>(property->data.get()), property->itemCount));
}

} // namespace

X11ActiveAppSource::X11ActiveAppSource(const X11Connection& connection,
                                       std::filesystem::path processFolder)
    : connection_(connection)
    , processFolder_(std::move(processFolder)) {
    if (!connection_.isOpen()) {
        return;
    }
    Display* display = connection_.display();
    activeWindowAtom_ = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    processIdAtom_ = XInternAtom(display, "_NET_WM_PID", False);
    changes_ = connection_.readEvents(PropertyNotify,
                                      [this](const XEvent& event) { noticeChange(event); });
    XSelectInput(display, connection_.rootWindow(), PropertyChangeMask);
}

X11ActiveAppSource::~X11ActiveAppSource() {
    if (connection_.isOpen()) {
        follow(None);
        XSelectInput(connection_.display(), connection_.rootWindow(), NoEventMask);
        XFlush(connection_.display());
    }
}

std::optional<FrontmostApplication> X11ActiveAppSource::frontmostApplication() const {
    if (!connection_.isOpen()) {
        return std::nullopt;
    }
    connection_.takeEvents();
    if (!known_) {
        known_ = readActiveWindow();
    }
    if (known_->window == None) {
        return std::nullopt;
    }
    // The process may have become another program since; its name is read every time.
    std::optional<std::string> processName;
    if (!known_->windowClass.isComplete() && known_->processId) {
        processName =
            processCommandName(processFolder_, static_cast<long long>(*known_->processId));
    }
    return frontmostApplicationFrom(known_->windowClass, processName);
}

// A change the server tells of makes the next reading read again: the root's choice of
// window, or the class or process of the window it chose.
void X11ActiveAppSource::noticeChange(const XEvent& event) const {
    const XPropertyEvent& change = event.xproperty;
    const bool ofRoot =
        change.window == connection_.rootWindow() && change.atom == activeWindowAtom_;
    const bool ofActive = known_ && change.window == known_->window &&
                          (change.atom == XA_WM_CLASS || change.atom == processIdAtom_);
    if (ofRoot || ofActive) {
        known_.reset();
    }
}

X11ActiveAppSource::ActiveWindow X11ActiveAppSource::readActiveWindow() const {
    Display* display = connection_.display();
    const auto window =
        readCardinal(display, connection_.rootWindow(), activeWindowAtom_, XA_WINDOW);
    ActiveWindow active;
    active.window = window.value_or(None);
    // Followed before it is read, so that no change after the reading goes unnoticed.
    follow(active.window);
    if (active.window == None) {
        return active;
    }
    active.windowClass = readWindowClass(display, active.window);
    if (!active.windowClass.isComplete()) {
        active.processId = readCardinal(display, active.window, processIdAtom_, XA_CARDINAL);
    }
    return active;
}

// The server tells of changes to this window's properties from now on, and no longer of
// the window followed before. One round trip, and only when the active window changed; a
// window gone meanwhile takes nothing and needs nothing.
void X11ActiveAppSource::follow(unsigned long window) const {
    if (window == followed_) {
        return;
    }
    Display* display = connection_.display();
    X11ErrorTrap trap(display);
    if (followed_ != None) {
        XSelectInput(display, followed_, NoEventMask);
    }
    if (window != None) {
        XSelectInput(display, window, PropertyChangeMask);
    }
    trap.succeeded();
    followed_ = window;
}

} // namespace purlo
