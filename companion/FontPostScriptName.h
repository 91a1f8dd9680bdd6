#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace purlo {

// The PostScript name a TrueType or OpenType font file gives itself (name 6 of its
// "name" table), which is how the program asks for its fonts. Nothing for bytes that
// are not such a file, a file without that name, or one whose tables run past its end.
std::optional<std::string> fontPostScriptName(std::string_view fontFile);

} // namespace purlo
