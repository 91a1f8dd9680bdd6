#include "model/ActiveAppSnapshot.h"

#include "base/UnicodeText.h"

#include <algorithm>

namespace purlo {

bool ActiveAppSnapshot::isCodingContext() const {
    const std::string text = lowercased(name + " " + bundleIdentifier.value_or(""));
    return std::ranges::any_of(codingContextKeywords, [&](std::string_view keyword) {
        return text.find(keyword) != std::string::npos;
    });
}

} // namespace purlo
