#pragma once

#include <string>
#include <string_view>

namespace purlo {

// The text as one word for /bin/sh, whatever it holds: wrapped in single quotes,
// each single quote inside written as '\''.
std::string shellQuoted(std::string_view text);

} // namespace purlo
