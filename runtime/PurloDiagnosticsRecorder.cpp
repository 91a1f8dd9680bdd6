#include "runtime/PurloDiagnosticsRecorder.h"

namespace purlo {

PurloDiagnosticsLevel diagnosticsLevel(double tickRate, double longestInterval,
                                       std::optional<double> memoryMegabytes) {
    if (tickRate < 4.0 || longestInterval > 0.75) {
        return PurloDiagnosticsLevel::attention;
    }
    if (memoryMegabytes && *memoryMegabytes > 500.0) {
        return PurloDiagnosticsLevel::attention;
    }
    if (tickRate >= 7.0 && longestInterval <= 0.35) {
        return memoryMegabytes && *memoryMegabytes > 250.0 ? PurloDiagnosticsLevel::watching
                                                           : PurloDiagnosticsLevel::steady;
    }
    return PurloDiagnosticsLevel::watching;
}

void PurloDiagnosticsRecorder::startWindow(double uptime) {
    windowStart = uptime;
    previousTick = uptime;
    intervalCount = 0;
    intervalTotal = 0;
    longestInterval = 0;
}

void PurloDiagnosticsRecorder::reset() {
    windowStart.reset();
    previousTick.reset();
    intervalCount = 0;
    intervalTotal = 0;
    longestInterval = 0;
}

std::optional<PurloDiagnosticsSnapshot> PurloDiagnosticsRecorder::record(double uptime) {
    // A clock that ran backward cannot be measured against: begin again from here.
    if (!windowStart || !previousTick || *previousTick > uptime) {
        startWindow(uptime);
        return std::nullopt;
    }
    const double delta = uptime - *previousTick;
    intervalCount += 1;
    intervalTotal += delta;
    if (longestInterval <= delta) {
        longestInterval = delta;
    }
    previousTick = uptime;

    const double elapsed = uptime - *windowStart;
    // A window of no length has no rate, whatever the interval was set to.
    if (elapsed < sampleInterval || !(elapsed > 0) || intervalCount <= 0) {
        return std::nullopt;
    }
    PurloDiagnosticsSnapshot snapshot;
    snapshot.tickRate = static_cast<double>(intervalCount) / elapsed;
    snapshot.averageFrameInterval = intervalTotal / static_cast<double>(intervalCount);
    snapshot.longestFrameInterval = longestInterval;
    snapshot.memoryMegabytes = memorySampler.footprintMegabytes();
    snapshot.sampleDuration = elapsed;
    snapshot.level = diagnosticsLevel(snapshot.tickRate, longestInterval, snapshot.memoryMegabytes);
    startWindow(uptime);
    return snapshot;
}

} // namespace purlo
