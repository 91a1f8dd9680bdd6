#pragma once

#include <functional>
#include <map>
#include <string>

namespace purlo {

// The program's information keys ("CFBundleVersion", "SUFeedURL", ...) as read from
// the Info.json installed beside it: key to text. A key whose value is not text is
// left out, so the services that read these keys treat it as absent.
using BundleInformation = std::map<std::string, std::string, std::less<>>;

} // namespace purlo
