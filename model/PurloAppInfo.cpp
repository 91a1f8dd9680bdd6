#include "model/PurloAppInfo.h"

#include "base/UnicodeText.h"

namespace purlo {
namespace {

std::string trimmedOr(const std::optional<std::string>& value, std::string fallback) {
    std::string trimmed = trimmedWhitespace(value.value_or(""));
    return trimmed.empty() ? fallback : trimmed;
}

// The display name wins whenever it is there, blank or not.
std::optional<std::string> statedName(const Bundle& bundle) {
    if (auto displayName = bundle.string("CFBundleDisplayName")) {
        return displayName;
    }
    return bundle.string("CFBundleName");
}

} // namespace

PurloAppInfo::PurloAppInfo(const Bundle& bundle)
    : name(trimmedOr(statedName(bundle), "Purlo"))
    , version(trimmedOr(bundle.string("CFBundleShortVersionString"), "Unavailable"))
    , build(trimmedOr(bundle.string("CFBundleVersion"), "Unavailable")) {}

} // namespace purlo
