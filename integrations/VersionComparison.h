#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace purlo {

// The numbers of a dotted version: "1.10" gives 1, 10; "2.0b3" gives 2, 0. Empty
// segments are dropped; a segment counts by its leading digits, and a segment without them,
// or whose number does not fit 64 bits, counts as 0.
std::vector<std::int64_t> versionComponents(std::string_view version);

// -1, 0 or +1 as a is older than, the same as or newer than b, comparing the numbers
// in order with missing ones taken as 0 ("1.2" equals "1.2.0").
int compareVersions(std::string_view a, std::string_view b);

} // namespace purlo
