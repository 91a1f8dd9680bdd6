#pragma once

#include <cstdint>
#include <string_view>

namespace purlo {

// Both bounds included.
struct IntervalRange {
    std::int64_t lowerBound = 0;
    std::int64_t upperBound = 0;
};

// The number a typed interval stands for: only the characters Unicode counts as
// numeric are kept (signs, spaces, separators, points and letters go), and what is
// left is read as a whole decimal number. Nothing left, a numeral that is not an ASCII
// digit, or a number too large to hold all give the lower bound; the result is then
// held inside the range. UTF-8 in; invalid bytes are dropped like letters.
std::int64_t committedInterval(std::string_view draft, IntervalRange range);

} // namespace purlo
