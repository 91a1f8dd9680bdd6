#include "model/PurloDiagnosticsSnapshot.h"

#include <cmath>
#include <cstdio>

namespace purlo {
namespace {

// Rounded half away from zero, printed without a fraction; safe for any magnitude.
std::string wholeNumber(double value) {
    char text[512];
    std::snprintf(text, sizeof text, "%.0f", std::round(value));
    return text;
}

} // namespace

std::string_view diagnosticsLevelLabel(PurloDiagnosticsLevel level) {
    switch (level) {
    case PurloDiagnosticsLevel::warmingUp:
        return "Collecting";
    case PurloDiagnosticsLevel::steady:
        return "Steady";
    case PurloDiagnosticsLevel::watching:
        return "Watching";
    case PurloDiagnosticsLevel::attention:
        return "Needs attention";
    }
    return "Collecting";
}

std::string PurloDiagnosticsSnapshot::cadenceSummary() const {
    if (!(sampleDuration > 0)) {
        return "Collecting sample";
    }
    return wholeNumber(tickRate) + " fps avg / " + wholeNumber(longestFrameInterval * 1000) +
           " ms max";
}

std::string PurloDiagnosticsSnapshot::memorySummary() const {
    if (!memoryMegabytes) {
        return "Unavailable";
    }
    return wholeNumber(*memoryMegabytes) + " MB footprint";
}

} // namespace purlo
