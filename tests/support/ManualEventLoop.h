#pragma once

#include "platform/EventLoop.h"
#include "tests/support/FakeClock.h"

#include <map>
#include <memory>
#include <vector>

namespace purlo::testing {

// An event loop on virtual time. Nothing runs until the test says so: runPending()
// runs posted work, advance() moves time forward and fires what falls due, in time
// order, moving the fake clock with it. Descriptors are "readable" when the test
// calls makeReadable().
class ManualEventLoop final : public EventLoop {
public:
    explicit ManualEventLoop(FakeClock* clock = nullptr)
        : clock_(clock) {}

    Cancellable scheduleRepeating(double intervalSeconds, Action action) override;
    Cancellable scheduleOnce(double delaySeconds, Action action) override;
    void post(Action action) override;
    void postAfter(double delaySeconds, Action action) override;
    Cancellable watchFd(int fd, Action action) override;

    // Runs posted work (and work it posts) until none is left.
    void runPending();
    // Moves virtual time forward by seconds, firing due timers and posted work.
    void advance(double seconds);
    void makeReadable(int fd);

    double now() const { return now_; }
    std::size_t activeTimerCount() const;
    std::size_t watchedDescriptorCount() const { return watches_.size(); }

private:
    struct Timer {
        double due;
        double interval; // 0 for one-shot
        Action action;
        bool active = true;
    };

    Cancellable add(double delay, double interval, Action action);
    void setTime(double time);

    FakeClock* clock_;
    double now_ = 0;
    std::vector<Action> posted_;
    std::vector<std::shared_ptr<Timer>> timers_;
    std::multimap<int, std::shared_ptr<Action>> watches_;
};

} // namespace purlo::testing
