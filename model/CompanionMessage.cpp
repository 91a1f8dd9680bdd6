#include "model/CompanionMessage.h"

namespace purlo {

void to_json(Json& json, const CompanionMessage& message) {
    json = Json{{"text", message.text}, {"kind", message.kind}};
}

void from_json(const Json& json, CompanionMessage& message) {
    const JsonFields fields(json);
    message.text = fields.required<std::string>("text");
    message.kind = fields.required<CompanionMessage::Kind>("kind");
}

} // namespace purlo
