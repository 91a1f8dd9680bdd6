#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace purlo {

// A window's toolbar, as much of it as taking an item out needs.
class SettingsToolbar {
public:
    virtual ~SettingsToolbar() = default;

    // Every item's identifier, first item first.
    virtual std::vector<std::string> itemIdentifiers() const = 0;
    virtual void removeItem(std::size_t index) = 0;
};

// The identifier a desktop toolkit gives the sidebar button it adds on its own.
inline constexpr std::string_view toggleSidebarItemIdentifier = "purlo.toolbar.toggleSidebar";

// Takes the first sidebar-toggle item out of the toolbar: the one with the toolkit's
// identifier, or any whose identifier ends in ".toggleSidebar". Only the first is
// taken; a toolbar without one is left as it is.
void removeSidebarToggle(SettingsToolbar& toolbar);

} // namespace purlo
