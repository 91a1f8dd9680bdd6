#pragma once

#include "companion/PurloTheme.h"

#include <optional>

namespace purlo {

// How a sidebar row is drawn: the colour of its icon and title, and the fill behind
// it, if any.
struct SettingsSidebarRowColors {
    AppearanceColor foreground;
    std::optional<AppearanceColor> fill;

    friend constexpr bool operator==(const SettingsSidebarRowColors&,
                                     const SettingsSidebarRowColors&) = default;
};

// The chosen row stands out on the accent only while its window is the active one; in
// a window behind others it keeps a quiet fill and the ordinary text colour, so the
// eye goes to whichever window the keyboard is in.
constexpr SettingsSidebarRowColors settingsSidebarRowColors(bool selected, bool windowActive) {
    if (!selected) {
        return {PurloTheme::primaryText, std::nullopt};
    }
    if (!windowActive) {
        return {PurloTheme::primaryText, PurloTheme::border};
    }
    return {PurloTheme::onAccent, PurloTheme::accent};
}

} // namespace purlo
