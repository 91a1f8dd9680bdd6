#pragma once

#include "model/PurloPrivacySignal.h"

#include <vector>

namespace purlo {

// The six privacy rows, one per signal kind, in kind order.
struct PurloPrivacyStatus {
    std::vector<PurloPrivacySignal> signals;

    friend bool operator==(const PurloPrivacyStatus&, const PurloPrivacyStatus&) = default;
};

} // namespace purlo
