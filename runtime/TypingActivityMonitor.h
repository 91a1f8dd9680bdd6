#pragma once

#include "platform/Clock.h"
#include "platform/KeyEventSource.h"
#include "runtime/TypingActivityMonitoring.h"

#include <optional>
#include <vector>

namespace purlo {

// Keeps the times of the key presses of the last moments, never the keys, so the
// cat can tap along with the user's typing.
class TypingActivityMonitor final : public TypingActivityMonitoring {
public:
    // Presses older than this no longer count.
    static constexpr double window = 2.5;

    // Both must outlive the monitor.
    TypingActivityMonitor(KeyEventSource& keys, const Clock& clock);
    TypingActivityMonitor(const TypingActivityMonitor&) = delete;
    TypingActivityMonitor& operator=(const TypingActivityMonitor&) = delete;

    void start() override;
    void stop() override;
    TypingSnapshot snapshot(double now) override;
    bool isRunning() const override;

    void recordKeyPress(double time);

private:
    void forgetPressesBefore(double now);

    KeyEventSource& keys_;
    const Clock& clock_;
    std::vector<double> keyPressTimes_; // oldest first
    std::optional<double> lastKeyPressTime_;
    std::optional<Cancellable> listening_;
};

} // namespace purlo
