#pragma once

#include "platform/EventLoop.h"
#include "tests/support/ManualEventLoop.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

namespace purlo::testing {

// A manual loop whose watched descriptors are real sockets: waitUntil() blocks in
// poll() until one of them is readable, hands it to the loop, and gives up after the
// timeout. Everything else is the manual loop's.
class DescriptorPollingLoop final : public EventLoop {
public:
    Cancellable scheduleRepeating(double intervalSeconds, Action action) override {
        return loop_.scheduleRepeating(intervalSeconds, std::move(action));
    }
    Cancellable scheduleOnce(double delaySeconds, Action action) override {
        return loop_.scheduleOnce(delaySeconds, std::move(action));
    }
    void post(Action action) override { loop_.post(std::move(action)); }
    void postAfter(double delaySeconds, Action action) override {
        loop_.postAfter(delaySeconds, std::move(action));
    }
    Cancellable watchFd(int fd, Action action) override {
        if (std::ranges::find(descriptors_, fd) == descriptors_.end()) {
            descriptors_.push_back(fd);
        }
        return loop_.watchFd(fd, std::move(action));
    }

    void runPending() { loop_.runPending(); }
    // True as soon as done() holds; false when the time ran out first.
    bool waitUntil(const std::function<bool()>& done,
                   std::chrono::milliseconds timeout = std::chrono::seconds(5));

private:
    ManualEventLoop loop_;
    std::vector<int> descriptors_;
};

} // namespace purlo::testing
