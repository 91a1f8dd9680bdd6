#include "integrations/BuiltInformationValue.h"

#include "base/UnicodeText.h"

namespace purlo {

std::optional<std::string> builtInformationValue(std::string_view key,
                                                 const Bundle::Information& information) {
    const auto found = information.find(key);
    if (found == information.end()) {
        return std::nullopt;
    }
    std::string value = trimmedWhitespace(found->second);
    if (value.empty() || value.find("$(") != std::string::npos ||
        value.find("${") != std::string::npos) {
        return std::nullopt;
    }
    return value;
}

} // namespace purlo
