#include "platform/x11/X11IdleSource.h"

#include "platform/x11/X11ErrorTrap.h"

#include <X11/extensions/scrnsaver.h>
#include <X11/extensions/sync.h>
#include <cstdint>
#include <cstring>

namespace purlo {
namespace {

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

// An alarm that sends an event each time the counter passes quietSpell in that direction:
// upward when a quiet spell reaches it, downward when input ends such a spell.
XSyncAlarm spellAlarm(Display* display, XSyncCounter counter, XSyncTestType crossing) {
    XSyncAlarmAttributes attributes{};
    attributes.trigger.counter = counter;
    attributes.trigger.value_type = XSyncAbsolute;
    XSyncIntToValue(&attributes.trigger.wait_value,
                    static_cast<int>(X11IdleSource::quietSpell.count()));
    attributes.trigger.test_type = crossing;
    XSyncIntToValue(&attributes.delta, 0);
    attributes.events = True;
    return XSyncCreateAlarm(display,
                            XSyncCACounter | XSyncCAValueType | XSyncCAValue | XSyncCATestType |
                                XSyncCADelta | XSyncCAEvents,
                            &attributes);
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
        XSyncDestroyAlarm(connection_.display(), quietAlarm_);
        XSyncDestroyAlarm(connection_.display(), inputAlarm_);
        XFlush(connection_.display());
    }
}

// Sets the alarms and reads the counter once, to know whether a quiet spell is on.
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
    const XSyncAlarm quiet = spellAlarm(display, *counter, XSyncPositiveTransition);
    const XSyncAlarm input = spellAlarm(display, *counter, XSyncNegativeTransition);
    XSyncValue idle;
    const Status read = XSyncQueryCounter(display, *counter, &idle);
    if (!trap.answered() || read == 0 || quiet == None || input == None) {
        for (const XSyncAlarm alarm : {quiet, input}) {
            if (alarm != None) {
                XSyncDestroyAlarm(display, alarm);
            }
        }
        return;
    }
    const std::chrono::milliseconds milliseconds(
        (static_cast<std::int64_t>(XSyncValueHigh32(idle)) << 32) | XSyncValueLow32(idle));
    if (milliseconds >= quietSpell) {
        quietSince_ = std::chrono::steady_clock::now() - milliseconds;
    }
    quietAlarm_ = quiet;
    inputAlarm_ = input;
    alarmEvent_ = eventBase + XSyncAlarmNotify;
    alarms_ =
        connection_.readEvents(alarmEvent_, [this](const XEvent& event) { takeAlarm(event); });
}

std::optional<double> X11IdleSource::secondsSinceAnyInput() const {
    if (alarmEvent_ < 0) {
        return screenSaverPresent_ ? askScreenSaver() : std::nullopt;
    }
    connection_.takeEvents();
    if (!quietSince_) {
        return 0.0;
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - *quietSince_).count();
}

// A spell that reached its length is taken to have begun that long before its alarm is taken.
void X11IdleSource::takeAlarm(const XEvent& event) const {
    const XSyncAlarm alarm = reinterpret_cast<const XSyncAlarmNotifyEvent&>(event).alarm;
    if (alarm == quietAlarm_) {
        quietSince_ = std::chrono::steady_clock::now() - quietSpell;
    } else if (alarm == inputAlarm_) {
        quietSince_.reset();
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
