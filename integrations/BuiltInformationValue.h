#pragma once

#include "base/Bundle.h"

#include <optional>
#include <string>
#include <string_view>

namespace purlo {

// The key's text, trimmed, when the build filled it in: none when it is missing, blank
// or still holds an unexpanded build variable ("$(", "${").
std::optional<std::string> builtInformationValue(std::string_view key,
                                                 const Bundle::Information& information);

} // namespace purlo
