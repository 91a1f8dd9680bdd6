#include "settings/controls/HexColor.h"

#include "companion/PurloTheme.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace purlo {
namespace {

std::optional<std::uint64_t> hexDigit(char character) {
    if (character >= '0' && character <= '9') {
        return character - '0';
    }
    if (character >= 'a' && character <= 'f') {
        return character - 'a' + 10;
    }
    if (character >= 'A' && character <= 'F') {
        return character - 'A' + 10;
    }
    return std::nullopt;
}

std::string_view trimmedSpacesAndTabs(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A number too long for 64 bits stays at the largest one rather than wrapping.
std::uint64_t leadingHexNumber(std::string_view digits) {
    constexpr std::uint64_t largest = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t value = 0;
    for (const char character : digits) {
        const auto digit = hexDigit(character);
        if (!digit) {
            break;
        }
        value = value > (largest >> 4) ? largest : (value << 4) | *digit;
    }
    return value;
}

} // namespace

RgbColor colorFromHex(std::string_view hex) {
    std::string digits;
    for (const char character : trimmedSpacesAndTabs(hex)) {
        if (character != '#') {
            digits.push_back(character);
        }
    }
    return hexColor(static_cast<std::uint32_t>(leadingHexNumber(digits) & 0xffffff));
}

} // namespace purlo
