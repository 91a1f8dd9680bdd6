#include "base/JsonCoding.h"

namespace purlo {

std::optional<std::string> encodeBytes(const Json& json) {
    try {
        return json.dump();
    } catch (const Json::exception&) {
        return std::nullopt;
    }
}

} // namespace purlo
