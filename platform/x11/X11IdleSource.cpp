#include "platform/x11/X11IdleSource.h"

#include "platform/x11/X11ErrorTrap.h"

#include <X11/extensions/scrnsaver.h>
#include <X11/extensions/sync.h>
#include <cstdint>
#include <cstring>
#include <sys/ioctl.h>

namespace purlo {
namespace {

// The alarm goes off when the idle counter falls to this many milliseconds or below,
// which is what any input does after a quiet millisecond.
constexpr int quietMilliseconds = 1;

std::optional<XSyncCounter> idleCounter(Display* display) {
    int count = 0;
    XSyncSystemCounter* counters = XSyncListSystemCounters(display, &count);
    std::optional<XSyncCounter> found;
    for (int i = 0; i < count && !found; ++i) {
        if (std::strcmp(counters[i].name, "IDLETIME") == 0) {
            found = counters[i].counter;
        }
    }
    if (counters) {
        XSyncFreeSystemCounterList(counters);
    }
    return found;
}

} // namespace

X11IdleSource::X11IdleSource(const X11Connection& connection)
    : connection_(connection) {
    if (!connection_.isOpen()) {
        return;
    }
    int eventBase = 0;
    int errorBase = 0;
    screenSaverPresent_ = XScreenSaverQueryExtension(connection_.display(), &eventBase, &errorBase);
    followIdleCounter();
}

X11IdleSource::~X11IdleSource() {
    if (alarmEvent_ >= 0) {
        XSyncDestroyAlarm(connection_.display(), alarm_);
        XFlush(connection_.display());
    }
}

// Sets the alarm and reads the counter once, to know when the last input came.
void X11IdleSource::followIdleCounter() {
    Display* display = connection_.display();
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (!XSyncQueryExtension(display, &eventBase, &errorBase) ||
        !XSyncInitialize(display, &major, &minor)) {
        return;
    }
    const std::optional<XSyncCounter> counter = idleCounter(display);
    if (!counter) {
        return;
    }
    X11ErrorTrap trap(display);
    XSyncAlarmAttributes attributes{};
    attributes.trigger.counter = *counter;
    attributes.trigger.value_type = XSyncAbsolute;
    XSyncIntToValue(&attributes.trigger.wait_value, quietMilliseconds);
    attributes.trigger.test_type = XSyncNegativeTransition;
    XSyncIntToValue(&attributes.delta, 0);
    attributes.events = True;
    const XSyncAlarm alarm = XSyncCreateAlarm(display,
                                              XSyncCACounter | XSyncCAValueType | XSyncCAValue |
                                                  XSyncCATestType | XSyncCADelta | XSyncCAEvents,
                                              &attributes);
    XSyncValue idle;
    const Status read = XSyncQueryCounter(display, *counter, &idle);
    if (!trap.answered() || read == 0 || alarm == None) {
        if (alarm != None) {
            XSyncDestroyAlarm(display, alarm);
        }
        return;
    }
    const auto milliseconds =
        (static_cast<std::int64_t>(XSyncValueHigh32(idle)) << 32) | XSyncValueLow32(idle);
    lastInput_ = std::chrono::steady_clock::now() - std::chrono::milliseconds(milliseconds);
    alarm_ = alarm;
    alarmEvent_ = eventBase + XSyncAlarmNotify;
}

std::optional<double> X11IdleSource::secondsSinceAnyInput() const {
    if (alarmEvent_ < 0) {
        return screenSaverPresent_ ? askScreenSaver() : std::nullopt;
    }
    takeAlarms();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - lastInput_).count();
}

// Only reads what the server has already sent, and the socket only when something waits
// in it; never waits for it. Nothing but alarms is asked for on this connection, and the
// other sources' round trips may have queued some already.
void X11IdleSource::takeAlarms() const {
    Display* display = connection_.display();
    int waiting = 0;
    if (ioctl(ConnectionNumber(display), FIONREAD, &waiting) == 0 && waiting > 0) {
        XEventsQueued(display, QueuedAfterReading);
    }
    while (XEventsQueued(display, QueuedAlready) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == alarmEvent_ &&
            reinterpret_cast<const XSyncAlarmNotifyEvent&>(event).alarm == alarm_) {
            lastInput_ = std::chrono::steady_clock::now();
        }
    }
}

std::optional<double> X11IdleSource::askScreenSaver() const {
    X11ErrorTrap trap(connection_.display());
    XScreenSaverInfo info{};
    const Status status =
        XScreenSaverQueryInfo(connection_.display(), connection_.rootWindow(), &info);
    if (status == 0 || !trap.answered()) {
        return std::nullopt;
    }
    return static_cast<double>(info.idle) / 1000.0;
}

} // namespace purlo
