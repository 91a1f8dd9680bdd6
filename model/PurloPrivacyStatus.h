#pragma once

#include "model/PurloPrivacySignal.h"

#include <vector>

namespace purlo {

// Qt spells "signals" as a keyword macro; the field keeps its name in windows that
// include this after Qt.
#pragma push_macro("signals")
#undef signals

// The six privacy rows, one per signal kind, in kind order.
struct PurloPrivacyStatus {
    std::vector<PurloPrivacySignal> signals;

    friend bool operator==(const PurloPrivacyStatus&, const PurloPrivacyStatus&) = default;
};

#pragma pop_macro("signals")

} // namespace purlo
