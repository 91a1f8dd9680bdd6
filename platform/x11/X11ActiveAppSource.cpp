#include "platform/x11/X11ActiveAppSource.h"

#include "platform/x11/WindowIdentity.h"
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
    if (connection_.isOpen()) {
        activeWindowAtom_ = XInternAtom(connection_.display(), "_NET_ACTIVE_WINDOW", False);
        processIdAtom_ = XInternAtom(connection_.display(), "_NET_WM_PID", False);
    }
}

std::optional<FrontmostApplication> X11ActiveAppSource::frontmostApplication() const {
    if (!connection_.isOpen()) {
        return std::nullopt;
    }
    Display* display = connection_.display();
    const auto window =
        readCardinal(display, connection_.rootWindow(), activeWindowAtom_, XA_WINDOW);
    if (!window || *window == None) {
        return std::nullopt;
    }
    const WindowClass windowClass = readWindowClass(display, *window);
    std::optional<std::string> processName;
    if (!windowClass.isComplete()) {
        if (const auto pid = readCardinal(display, *window, processIdAtom_, XA_CARDINAL)) {
            processName = processCommandName(processFolder_, static_cast<long long>(*pid));
        }
    }
    return frontmostApplicationFrom(windowClass, processName);
}

} // namespace purlo
