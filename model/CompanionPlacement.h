#pragma once

#include "base/Geometry.h"
#include "base/JsonCoding.h"

namespace purlo {

// The companion window's saved origin, in global screen coordinates (y upward).
struct CompanionPlacement {
    double x = 0;
    double y = 0;

    Point origin() const { return {x, y}; }

    friend bool operator==(const CompanionPlacement&, const CompanionPlacement&) = default;
};

// {"x": number, "y": number}; both keys are required.
void to_json(Json& json, const CompanionPlacement& placement);
void from_json(const Json& json, CompanionPlacement& placement);

} // namespace purlo
