#pragma once

#include "platform/IdleSource.h"
#include "platform/x11/X11Connection.h"

#include <chrono>
#include <optional>

namespace purlo {

// The session's idle time as the X server counts it, followed without asking it
// every time: an alarm on the server's IDLETIME counter (X Synchronization extension)
// sends an event whenever input ends a quiet spell, and each reading only picks up the
// events that are waiting. The idle time is then the time since the latest of them
// arrived, which is never longer than the true one and at most one reading behind.
// Without the counter every reading asks the screen saver extension instead.
class X11IdleSource final : public IdleSource {
public:
    // The connection must outlive the source.
    explicit X11IdleSource(const X11Connection& connection);
    ~X11IdleSource() override;
    X11IdleSource(const X11IdleSource&) = delete;
    X11IdleSource& operator=(const X11IdleSource&) = delete;

    // Nothing without a display, or without either extension.
    std::optional<double> secondsSinceAnyInput() const override;

private:
    using Instant = std::chrono::steady_clock::time_point;

    void followIdleCounter();
    void takeAlarms() const;
    std::optional<double> askScreenSaver() const;

    const X11Connection& connection_;
    bool screenSaverPresent_ = false;
    int alarmEvent_ = -1; // -1: no alarm, the screen saver is asked
    unsigned long alarm_ = 0;
    mutable Instant lastInput_;
};

} // namespace purlo
