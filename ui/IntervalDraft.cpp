#include "ui/IntervalDraft.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <unicode/uchar.h>
#include <unicode/utf8.h>

namespace purlo {
namespace {

// Decimal digits of every script, fractions, superscripts, Roman numerals and the like.
std::string numericCharacters(std::string_view text) {
    std::string kept;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const auto length = static_cast<std::int32_t>(text.size());
    std::int32_t offset = 0;
    while (offset < length) {
        const std::int32_t start = offset;
        UChar32 character = 0;
        U8_NEXT(bytes, offset, length, character);
        if (character >= 0 && u_getIntPropertyValue(character, UCHAR_NUMERIC_TYPE) != U_NT_NONE) {
            kept.append(text.substr(static_cast<std::size_t>(start),
                                    static_cast<std::size_t>(offset - start)));
        }
    }
    return kept;
}

} // namespace

std::int64_t committedInterval(std::string_view draft, IntervalRange range) {
    const std::string digits = numericCharacters(draft);
    std::int64_t candidate = range.lowerBound;
    if (!digits.empty()) {
        std::int64_t parsed = 0;
        const char* end = digits.data() + digits.size();
        const auto [stop, error] = std::from_chars(digits.data(), end, parsed);
        if (error == std::errc() && stop == end) {
            candidate = parsed;
        }
    }
    return std::min(std::max(candidate, range.lowerBound), range.upperBound);
}

} // namespace purlo
