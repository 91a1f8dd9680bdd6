#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace purlo {

// How healthy the last second of ticking looked, from best to worst after warming up.
enum class PurloDiagnosticsLevel { warmingUp, steady, watching, attention };

// The level in one or two words: "Collecting", "Steady", "Watching", "Needs attention".
std::string_view diagnosticsLevelLabel(PurloDiagnosticsLevel level);

// One graded second of the tick's cadence and the process's memory.
struct PurloDiagnosticsSnapshot {
    double tickRate = 0;             // ticks per second
    double averageFrameInterval = 0; // seconds
    double longestFrameInterval = 0; // seconds
    std::optional<double> memoryMegabytes;
    double sampleDuration = 0; // seconds; 0 until the first window closes
    PurloDiagnosticsLevel level = PurloDiagnosticsLevel::warmingUp;

    // "10 fps avg / 104 ms max", or "Collecting sample" before the first window closes.
    std::string cadenceSummary() const;
    // "42 MB footprint", or "Unavailable" without a memory figure.
    std::string memorySummary() const;

    friend bool operator==(const PurloDiagnosticsSnapshot&,
                           const PurloDiagnosticsSnapshot&) = default;
};

} // namespace purlo
