#pragma once

#include "platform/EventLoop.h"
#include "tests/support/FakeClock.h"

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

namespace purlo::testing {

// An event loop on virtual time: nothing runs until the test says so. advance() fires
// what falls due in time order and moves the fake clock with it; a descriptor is
// "readable" when the test calls makeReadable().
class ManualEventLoop final : public EventLoop {
public:
    explicit ManualEventLoop(FakeClock* clock = nullptr)
        : clock_(clock) {}

    Cancellable scheduleRepeating(double intervalSeconds, Action action) override {
        return add(intervalSeconds, intervalSeconds, std::move(action));
    }
    // Every run on time, which is within any tolerance.
    Cancellable scheduleRepeatingWithTolerance(double intervalSeconds, double,
                                               Action action) override {
        return add(intervalSeconds, intervalSeconds, std::move(action));
    }
    Cancellable scheduleOnce(double delaySeconds, Action action) override {
        return add(delaySeconds, 0, std::move(action));
    }
    void post(Action action) override { posted_.push_back(std::move(action)); }
    void postAfter(double delaySeconds, Action action) override {
        timers_.push_back(
            std::make_shared<Timer>(Timer{now_ + delaySeconds, 0, std::move(action)}));
    }
    Cancellable watchFd(int fd, Action action) override {
        auto shared = std::make_shared<Action>(std::move(action));
        watches_.emplace(fd, shared);
        return Cancellable([this, weak = std::weak_ptr<Action>(shared)] {
            const auto alive = weak.lock();
            std::erase_if(watches_, [&](const auto& watch) { return watch.second == alive; });
        });
    }

    // Runs posted work, and work it posts, until none is left.
    void runPending() {
        while (!posted_.empty()) {
            for (auto& action : std::exchange(posted_, {})) {
                action();
            }
        }
    }
    // Moves virtual time forward by seconds, firing due timers and posted work.
    void advance(double seconds) {
        const double end = now_ + seconds;
        runPending();
        for (;;) {
            std::erase_if(timers_, [](const auto& timer) { return !timer->active; });
            const auto next = std::ranges::min_element(
                timers_, [](const auto& a, const auto& b) { return a->due < b->due; });
            // A tiny tolerance keeps sums of tenths (0.1 + 0.2 ...) from missing a due time.
            if (next == timers_.end() || (*next)->due > end + 1e-9) {
                break;
            }
            const auto timer = *next;
            moveTo(std::max(now_, timer->due));
            timer->active = timer->interval > 0;
            timer->due += timer->interval;
            timer->action();
            runPending();
        }
        moveTo(end);
    }
    void makeReadable(int fd) {
        const auto [first, last] = watches_.equal_range(fd);
        for (const auto& [descriptor, action] : std::vector(first, last)) {
            (*action)();
        }
        runPending();
    }

    std::size_t activeTimerCount() const {
        return std::ranges::count_if(timers_, [](const auto& timer) { return timer->active; });
    }
    std::size_t watchedDescriptorCount() const { return watches_.size(); }

private:
    struct Timer {
        double due;
        double interval; // 0 for one-shot
        Action action;
        bool active = true;
    };

    Cancellable add(double delay, double interval, Action action) {
        auto timer = std::make_shared<Timer>(Timer{now_ + delay, interval, std::move(action)});
        timers_.push_back(timer);
        return Cancellable([weak = std::weak_ptr<Timer>(timer)] {
            if (auto alive = weak.lock()) {
                alive->active = false;
            }
        });
    }
    void moveTo(double time) {
        if (clock_) {
            clock_->advance(time - now_);
        }
        now_ = time;
    }

    FakeClock* clock_;
    double now_ = 0;
    std::vector<Action> posted_;
    std::vector<std::shared_ptr<Timer>> timers_;
    std::multimap<int, std::shared_ptr<Action>> watches_;
};

} // namespace purlo::testing
