#pragma once

#include "model/PurloPrivacySignal.h"

#include <vector>

namespace purlo {

// Qt spells one of its keywords "signals" as a macro; wherever a Qt header comes
// first, the field's name would otherwise turn into "public".
#pragma push_macro("signals")
#undef signals

// The six privacy rows, one per signal kind, in kind order.
struct PurloPrivacyStatus {
    std::vector<PurloPrivacySignal> signals;

    friend bool operator==(const PurloPrivacyStatus&, const PurloPrivacyStatus&) = default;
};

#pragma pop_macro("signals")

} // namespace purlo
