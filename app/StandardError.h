#pragma once

#include <string_view>

namespace purlo {

// Writes line, and a line break after it, on standard error: what the program has to
// tell whoever started it from a shell or reads its log.
void tellOnStandardError(std::string_view line);

} // namespace purlo
