#pragma once

#include "model/Enumeration.h"

namespace purlo {

// The Settings window's tabs, in the order its sidebar lists them.
enum class SettingsSectionTab {
    appearance,
    behavior,
    focus,
    agent,
    privacy,
    help,
    about,
};

template <>
struct EnumNames<SettingsSectionTab> {
    static constexpr std::array<std::string_view, 7> values{
        "appearance", "behavior", "focus", "agent", "privacy", "help", "about"};
};

} // namespace purlo
