#pragma once

#include "base/Enumeration.h"

#include <array>
#include <span>
#include <string_view>

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

// The tab's name, on its sidebar row and as the heading above its page.
constexpr std::string_view title(SettingsSectionTab tab) {
    switch (tab) {
    case SettingsSectionTab::appearance:
        return "Appearance";
    case SettingsSectionTab::behavior:
        return "Behavior";
    case SettingsSectionTab::focus:
        return "Focus";
    case SettingsSectionTab::agent:
        return "Agent";
    case SettingsSectionTab::privacy:
        return "Privacy";
    case SettingsSectionTab::help:
        return "Help";
    case SettingsSectionTab::about:
        return "About";
    }
    return {};
}

// The symbol of the tab's sidebar row.
constexpr std::string_view systemImage(SettingsSectionTab tab) {
    switch (tab) {
    case SettingsSectionTab::appearance:
        return "paintpalette";
    case SettingsSectionTab::behavior:
        return "slider.horizontal.3";
    case SettingsSectionTab::focus:
        return "timer";
    case SettingsSectionTab::agent:
        return "sparkles";
    case SettingsSectionTab::privacy:
        return "hand.raised";
    case SettingsSectionTab::help:
        return "questionmark.circle";
    case SettingsSectionTab::about:
        return "info.circle";
    }
    return {};
}

// One headed group of the sidebar.
struct SettingsSidebarGroup {
    std::string_view header;
    std::span<const SettingsSectionTab> tabs;
};

// The sidebar's groups, top to bottom. Fixed lists rather than a split of all tabs, so
// that a new tab lands in a group only when someone puts it there.
inline constexpr std::array purloSidebarTabs{
    SettingsSectionTab::appearance, SettingsSectionTab::behavior, SettingsSectionTab::focus,
    SettingsSectionTab::agent, SettingsSectionTab::privacy};
inline constexpr std::array supportSidebarTabs{SettingsSectionTab::help, SettingsSectionTab::about};
inline constexpr std::array settingsSidebarGroups{
    SettingsSidebarGroup{"Purlo", purloSidebarTabs},
    SettingsSidebarGroup{"Support", supportSidebarTabs}};

} // namespace purlo
