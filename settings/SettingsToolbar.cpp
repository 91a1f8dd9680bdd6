#include "settings/SettingsToolbar.h"

#include <algorithm>

namespace purlo {
namespace {

bool isSidebarToggle(std::string_view identifier) {
    return identifier == toggleSidebarItemIdentifier || identifier.ends_with(".toggleSidebar");
}

} // namespace

void removeSidebarToggle(SettingsToolbar& toolbar) {
    const std::vector<std::string> identifiers = toolbar.itemIdentifiers();
    const auto found = std::ranges::find_if(identifiers, isSidebarToggle);
    if (found != identifiers.end()) {
        toolbar.removeItem(static_cast<std::size_t>(found - identifiers.begin()));
    }
}

} // namespace purlo
