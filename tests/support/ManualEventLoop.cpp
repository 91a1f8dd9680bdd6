#include "tests/support/ManualEventLoop.h"

#include <algorithm>

namespace purlo::testing {

Cancellable ManualEventLoop::add(double delay, double interval, Action action) {
    auto timer = std::make_shared<Timer>(Timer{now_ + delay, interval, std::move(action)});
    timers_.push_back(timer);
    return Cancellable([weak = std::weak_ptr<Timer>(timer)] {
        if (auto alive = weak.lock()) {
            alive->active = false;
        }
    });
}

Cancellable ManualEventLoop::scheduleRepeating(double intervalSeconds, Action action) {
    return add(intervalSeconds, intervalSeconds, std::move(action));
}

Cancellable ManualEventLoop::scheduleOnce(double delaySeconds, Action action) {
    return add(delaySeconds, 0, std::move(action));
}

void ManualEventLoop::post(Action action) {
    posted_.push_back(std::move(action));
}

void ManualEventLoop::postAfter(double delaySeconds, Action action) {
    // The handle is dropped on purpose, so keep the timer alive by not cancelling it.
    auto timer = std::make_shared<Timer>(Timer{now_ + delaySeconds, 0, std::move(action)});
    timers_.push_back(timer);
}

Cancellable ManualEventLoop::watchFd(int fd, Action action) {
    auto shared = std::make_shared<Action>(std::move(action));
    watches_.emplace(fd, shared);
    return Cancellable([this, fd, weak = std::weak_ptr<Action>(shared)] {
        const auto [first, last] = watches_.equal_range(fd);
        for (auto it = first; it != last; ++it) {
            if (it->second == weak.lock()) {
                watches_.erase(it);
                return;
            }
        }
    });
}

void ManualEventLoop::makeReadable(int fd) {
    std::vector<std::shared_ptr<Action>> ready;
    const auto [first, last] = watches_.equal_range(fd);
    for (auto it = first; it != last; ++it) {
        ready.push_back(it->second);
    }
    for (const auto& action : ready) {
        (*action)();
    }
    runPending();
}

void ManualEventLoop::runPending() {
    while (!posted_.empty()) {
        auto batch = std::exchange(posted_, {});
        for (auto& action : batch) {
            action();
        }
    }
}

void ManualEventLoop::setTime(double time) {
    if (clock_) {
        clock_->advance(time - now_);
    }
    now_ = time;
}

void ManualEventLoop::advance(double seconds) {
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
        setTime(std::max(now_, timer->due));
        if (timer->interval > 0) {
            timer->due += timer->interval;
        } else {
            timer->active = false;
        }
        timer->action();
        runPending();
    }
    setTime(end);
}

std::size_t ManualEventLoop::activeTimerCount() const {
    return static_cast<std::size_t>(
        std::ranges::count_if(timers_, [](const auto& timer) { return timer->active; }));
}

} // namespace purlo::testing
