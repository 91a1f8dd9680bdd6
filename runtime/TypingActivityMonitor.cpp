#include "runtime/TypingActivityMonitor.h"

namespace purlo {

TypingActivityMonitor::TypingActivityMonitor(KeyEventSource& keys, const Clock& clock)
    : keys_(keys)
    , clock_(clock) {}

void TypingActivityMonitor::start() {
    if (listening_ || !keys_.listenAccessGranted()) {
        return;
    }
    // A press is stamped when the source hands it over, on the same clock as every tick.
    listening_ = keys_.listen([this] { recordKeyPress(clock_.uptime()); });
}

void TypingActivityMonitor::stop() {
    listening_.reset();
    keyPressTimes_.clear();
    lastKeyPressTime_.reset();
}

bool TypingActivityMonitor::isRunning() const {
    return listening_.has_value();
}

void TypingActivityMonitor::recordKeyPress(double time) {
    keyPressTimes_.push_back(time);
    lastKeyPressTime_ = time;
    forgetPressesBefore(time);
}

TypingSnapshot TypingActivityMonitor::snapshot(double now) {
    forgetPressesBefore(now);
    const auto count = static_cast<std::int64_t>(keyPressTimes_.size());
    return TypingSnapshot{count, static_cast<double>(count) / window, lastKeyPressTime_};
}

void TypingActivityMonitor::forgetPressesBefore(double now) {
    // A press exactly one window old still counts.
    std::erase_if(keyPressTimes_, [now](double time) { return now - time > window; });
}

} // namespace purlo
