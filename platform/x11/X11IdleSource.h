#pragma once

#include "platform/IdleSource.h"
#include "platform/x11/X11Connection.h"

#include <chrono>
#include <optional>

namespace purlo {

// The session's idle time as the X server counts it, followed without asking it every
// time: two alarms on the server's IDLETIME counter (X Synchronization extension) send an
// event when a quiet spell reaches quietSpell and when input ends one that long, and each
// reading only picks up the events that are waiting. Input closer together than that sends
// nothing at all, however much of it comes (a moving mouse reports a hundred times a
// second). The idle time is 0 while the last input came within quietSpell, and afterwards
// the time since the spell began: never longer than the true one and at most one reading
// behind. Without the counter every reading asks the screen saver extension instead.
class X11IdleSource final : public IdleSource {
public:
    // The connection must outlive the source.
    explicit X11IdleSource(const X11Connection& connection);
    ~X11IdleSource() override;
    X11IdleSource(const X11IdleSource&) = delete;
    X11IdleSource& operator=(const X11IdleSource&) = delete;

    // Nothing without a display, or without either extension.
    std::optional<double> secondsSinceAnyInput() const override;

    // Finer than this the idle time is not followed: the behaviour waits minutes for an
    // absence, and the pointer is read at every tick until input has stopped this long.
    static constexpr std::chrono::milliseconds quietSpell{1000};

private:
    using Instant = std::chrono::steady_clock::time_point;

    void followIdleCounter();
    void takeAlarm(const _XEvent& event) const;
    std::optional<double> askScreenSaver() const;

    const X11Connection& connection_;
    bool screenSaverPresent_ = false;
    int alarmEvent_ = -1; // -1: no alarms, the screen saver is asked
    unsigned long quietAlarm_ = 0;
    unsigned long inputAlarm_ = 0;
    Cancellable alarms_;
    // When the quiet spell began; none while input came within quietSpell.
    mutable std::optional<Instant> quietSince_;
};

} // namespace purlo
