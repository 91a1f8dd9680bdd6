#pragma once

#include "model/InputSnapshots.h"

namespace purlo {

// How the runtime holds the typing monitor, so that tests can hand it another.
class TypingActivityMonitoring {
public:
    virtual ~TypingActivityMonitoring() = default;

    // Begins listening to key presses; quietly stays stopped when it cannot.
    virtual void start() = 0;
    // Stops listening and forgets every press. Harmless when stopped.
    virtual void stop() = 0;
    // The rhythm of the last moments, as of now (uptime seconds).
    virtual TypingSnapshot snapshot(double now) = 0;
    // Whether it listens, so that a start that failed can be tried again.
    virtual bool isRunning() const = 0;
};

} // namespace purlo
