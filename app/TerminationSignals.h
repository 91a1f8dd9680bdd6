#pragma once

#include "platform/Cancellable.h"
#include "platform/EventLoop.h"

#include <array>
#include <csignal>
#include <functional>

namespace purlo {

// SIGTERM, SIGINT and SIGHUP end the program the ordinary way, so that it stops the
// runtime (and silences its agent hooks) on the way out. A signal handler may do next
// to nothing, so it only writes a byte into a pipe; the loop watches the pipe's other
// end and runs the handler there, between two events like any other work.
class TerminationSignals {
public:
    static constexpr std::array<int, 3> handled{SIGTERM, SIGINT, SIGHUP};

    // Only one may exist at a time; the loop must outlive it. When the pipe cannot be
    // made the signals keep their default effect.
    TerminationSignals(EventLoop& loop, std::function<void()> onSignal);
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    bool isWatching() const { return watch_.isActive(); }

private:
    void drain();

    std::function<void()> onSignal_;
    int readEnd_ = -1;
    int writeEnd_ = -1;
    std::array<struct sigaction, handled.size()> previous_{};
    Cancellable watch_;
};

} // namespace purlo
