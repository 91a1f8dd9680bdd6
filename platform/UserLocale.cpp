#include "platform/UserLocale.h"

#include <string_view>

namespace purlo {
namespace {

// "sv_SE.UTF-8@euro" -> "sv_SE"; "C", "C.UTF-8" and "POSIX" -> "".
std::string languageAndRegion(std::string_view posixName) {
    const std::string_view name = posixName.substr(0, posixName.find_first_of(".@"));
    return name == "C" || name == "POSIX" ? std::string() : std::string(name);
}

std::string localeFor(const Environment& environment, std::string_view category) {
    for (const std::string_view variable :
         {std::string_view("LC_ALL"), category, std::string_view("LANG")}) {
        if (const auto name = environmentValue(environment, variable)) {
            return languageAndRegion(*name);
        }
    }
    return {};
}

} // namespace

UserLocale UserLocale::fromEnvironment(const Environment& environment) {
    return {localeFor(environment, "LC_COLLATE"), localeFor(environment, "LC_TIME")};
}

} // namespace purlo
