#pragma once

#include "platform/RgbColor.h"

#include <string_view>

namespace purlo {

// The colour a written hex code such as "#F0F8D4" stands for, the way the page's fixed
// colour tables are read: spaces and tabs around it and every "#" are ignored, and the
// hex digits that follow make the number 0xRRGGBB. Reading stops at the first other
// character; nothing readable gives black. Never fails.
RgbColor colorFromHex(std::string_view hex);

} // namespace purlo
