#include "platform/x11/X11KeyEventSource.h"

#include "platform/x11/X11ErrorTrap.h"

#include <X11/extensions/XInput2.h>

namespace purlo {
namespace {

// Collections in a row without a press that make a quiet spell.
constexpr int quietCollections =
    static_cast<int>(X11KeyEventSource::quietSpell / X11KeyEventSource::collectInterval + 0.5);

} // namespace

struct X11KeyEventSource::Listener {
    KeyPressHandler onKeyPress;
    Cancellable waiting;    // the socket, watched while nobody types
    Cancellable collecting; // the collections while someone does
    int emptyCollections = 0;
};

X11KeyEventSource::X11KeyEventSource(EventLoop& loop, std::optional<std::string> displayName)
    : loop_(loop)
    , displayName_(std::move(displayName)) {
    connect();
}

X11KeyEventSource::~X11KeyEventSource() {
    stopListening();
}

void X11KeyEventSource::connect() {
    connection_ = std::make_unique<X11Connection>(displayName_);
    inputExtensionOpcode_ = -1;
    if (!connection_->isOpen()) {
        return;
    }
    Display* display = connection_->display();
    int opcode = 0;
    int eventBase = 0;
    int errorBase = 0;
    if (!XQueryExtension(display, "XInputExtension", &opcode, &eventBase, &errorBase)) {
        return;
    }
    // Raw events arrived with version 2.0; this client speaks 2.2.
    int major = 2;
    int minor = 2;
    X11ErrorTrap trap(display);
    const Status status = XIQueryVersion(display, &major, &minor);
    if (trap.succeeded() && status == Success && major >= 2) {
        inputExtensionOpcode_ = opcode;
    }
}

bool X11KeyEventSource::listenAccessGranted() const {
    return inputExtensionOpcode_ >= 0;
}

bool X11KeyEventSource::requestListenAccess() {
    if (!listenAccessGranted() && !listener_) {
        connect();
    }
    return listenAccessGranted();
}

std::optional<Cancellable> X11KeyEventSource::listen(KeyPressHandler onKeyPress) {
    if (!listenAccessGranted() || listener_) {
        return std::nullopt;
    }
    // Presses from before this moment are not this listener's.
    XSync(connection_->display(), True);
    selectRawKeyPresses(true);
    auto listener = std::make_shared<Listener>();
    listener->onKeyPress = std::move(onKeyPress);
    listener_ = listener;
    awaitPresses();
    // Events that Xlib queued while setting up never make the socket readable again.
    loop_.post([this, weak = std::weak_ptr<Listener>(listener)] {
        if (weak.lock()) {
            collectPresses();
        }
    });
    return Cancellable([this, weak = std::weak_ptr<Listener>(listener)] {
        if (weak.lock()) {
            stopListening();
        }
    });
}

void X11KeyEventSource::selectRawKeyPresses(bool selected) {
    unsigned char mask[XIMaskLen(XI_LASTEVENT)] = {};
    if (selected) {
        XISetMask(mask, XI_RawKeyPress);
    }
    XIEventMask eventMask{XIAllMasterDevices, static_cast<int>(sizeof mask), mask};
    Display* display = connection_->display();
    X11ErrorTrap trap(display);
    XISelectEvents(display, connection_->rootWindow(), &eventMask, 1);
    trap.succeeded();
}

// Nobody types: the first press wakes the loop.
void X11KeyEventSource::awaitPresses() {
    listener_->collecting.cancel();
    listener_->waiting = loop_.watchFd(connection_->fileDescriptor(), [this] { pressesArrived(); });
}

// Someone types: the presses that follow wait in the socket and are handed over together
// at each collection, at most collectInterval late, until the keyboard has been quiet for
// quietSpell.
void X11KeyEventSource::pressesArrived() {
    listener_->waiting.cancel();
    listener_->emptyCollections = 0;
    listener_->collecting =
        loop_.scheduleRepeatingWithTolerance(collectInterval, collectTolerance, [this] {
            const auto listener = listener_;
            const int presses = collectPresses();
            if (!listener_ || listener_ != listener) {
                return;
            }
            listener->emptyCollections = presses > 0 ? 0 : listener->emptyCollections + 1;
            if (listener->emptyCollections >= quietCollections) {
                awaitPresses();
            }
        });
    collectPresses();
}

int X11KeyEventSource::collectPresses() {
    Display* display = connection_->display();
    int presses = 0;
    // One read of the socket: what arrives after it waits for the next collection.
    for (int queued = XEventsQueued(display, QueuedAfterReading); queued > 0; --queued) {
        XEvent event;
        XNextEvent(display, &event);
        // Only the kind of event is looked at; its data, which names the key, is never
        // fetched.
        const XGenericEventCookie& cookie = event.xcookie;
        if (cookie.type == GenericEvent && cookie.extension == inputExtensionOpcode_ &&
            cookie.evtype == XI_RawKeyPress) {
            ++presses;
        }
    }
    const auto listener = listener_;
    for (int i = 0; i < presses && listener && listener_ == listener; ++i) {
        listener->onKeyPress();
    }
    return presses;
}

void X11KeyEventSource::stopListening() {
    if (!listener_) {
        return;
    }
    selectRawKeyPresses(false);
    listener_.reset();
}

} // namespace purlo
