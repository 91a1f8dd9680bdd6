#pragma once

namespace purlo {

// Whether the system lets the companion time key presses (Input Monitoring).
struct PrivacySummary {
    bool inputMonitoringGranted = false;

    friend bool operator==(const PrivacySummary&, const PrivacySummary&) = default;
};

} // namespace purlo
