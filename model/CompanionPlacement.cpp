#include "model/CompanionPlacement.h"

namespace purlo {

void to_json(Json& json, const CompanionPlacement& placement) {
    json = Json{{"x", placement.x}, {"y", placement.y}};
}

void from_json(const Json& json, CompanionPlacement& placement) {
    const JsonFields fields(json);
    placement.x = fields.required<double>("x");
    placement.y = fields.required<double>("y");
}

} // namespace purlo
