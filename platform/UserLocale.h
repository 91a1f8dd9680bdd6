#pragma once

#include "platform/Environment.h"

#include <string>

namespace purlo {

// The locales the user chose, read from the environment the way the C library reads
// them: LC_ALL, else the category's own variable, else LANG. Each is a language and
// region such as "sv_SE" (the character set and modifier of "sv_SE.UTF-8@euro" are
// dropped); the C and POSIX locales, or none at all, give the empty identifier: no
// particular language.
struct UserLocale {
    // LC_COLLATE: how lists of names are ordered.
    std::string collation;
    // LC_TIME: the calendar's week, such as which days make the weekend.
    std::string time;

    static UserLocale fromEnvironment(const Environment& environment);
};

} // namespace purlo
