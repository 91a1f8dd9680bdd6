#pragma once

#include "model/PurloDiagnosticsSnapshot.h"
#include "runtime/ResidentMemorySampler.h"

#include <cstdint>
#include <optional>

namespace purlo {

// Measures the gaps between ticks and, once per sample window, grades them together
// with the memory footprint. A plain value the runtime keeps and feeds every tick.
struct PurloDiagnosticsRecorder {
    double sampleInterval = 1.0;
    std::optional<double> windowStart;
    std::optional<double> previousTick;
    std::int64_t intervalCount = 0;
    double intervalTotal = 0;
    double longestInterval = 0;
    // Where the footprint comes from; read once per closed window.
    ResidentMemorySampler memorySampler;

    // Counts the tick at uptime; when the window has lasted sampleInterval, returns its
    // snapshot and opens the next window at the same instant. Allocates nothing on the
    // ticks in between.
    std::optional<PurloDiagnosticsSnapshot> record(double uptime);

    // Forgets the open window; the interval stays.
    void reset();

private:
    void startWindow(double uptime);
};

// The grade of a closed window: a slow or stalling tick, or a large footprint, needs
// attention; a brisk, even tick is steady unless the memory is growing large.
PurloDiagnosticsLevel diagnosticsLevel(double tickRate, double longestInterval,
                                       std::optional<double> memoryMegabytes);

} // namespace purlo
