#include "integrations/VersionComparison.h"

#include <algorithm>
#include <charconv>
#include <unicode/uchar.h>
#include <unicode/utf8.h>

namespace purlo {
namespace {

// The segment's leading run of numeric characters (any script, fractions included).
std::string_view leadingNumericRun(std::string_view segment) {
    int32_t offset = 0;
    const auto length = static_cast<int32_t>(segment.size());
    while (offset < length) {
        int32_t next = offset;
        UChar32 c = 0;
        U8_NEXT(segment.data(), next, length, c);
        if (c < 0 || u_getIntPropertyValue(c, UCHAR_NUMERIC_TYPE) == U_NT_NONE) {
            break;
        }
        offset = next;
    }
    return segment.substr(0, static_cast<std::size_t>(offset));
}

// A run such as "٣" or "½" is numeric but not a decimal number, so it counts as 0,
// as does one too large for 64 bits.
std::int64_t componentValue(std::string_view segment) {
    const std::string_view run = leadingNumericRun(segment);
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(run.data(), run.data() + run.size(), value);
    if (run.empty() || error != std::errc() || end != run.data() + run.size()) {
        return 0;
    }
    return value;
}

} // namespace

std::vector<std::int64_t> versionComponents(std::string_view version) {
    std::vector<std::int64_t> components;
    while (!version.empty()) {
        const auto dot = version.find('.');
        const std::string_view segment = version.substr(0, dot);
        if (!segment.empty()) {
            components.push_back(componentValue(segment));
        }
        version.remove_prefix(dot == std::string_view::npos ? version.size() : dot + 1);
    }
    return components;
}

int compareVersions(std::string_view a, std::string_view b) {
    const auto left = versionComponents(a);
    const auto right = versionComponents(b);
    const std::size_t count = std::max(left.size(), right.size());
    for (std::size_t index = 0; index < count; ++index) {
        const std::int64_t l = index < left.size() ? left[index] : 0;
        const std::int64_t r = index < right.size() ? right[index] : 0;
        if (l != r) {
            return l < r ? -1 : 1;
        }
    }
    return 0;
}

} // namespace purlo
