#pragma once

#include <string_view>

namespace purlo {

// The only hosts an update manifest may send the user to for a download. They stay
// reserved example names (which never resolve) until the project publishes releases
// of its own, so no manifest can point a browser at someone else's server.
struct PurloReleaseHosts {
    // Serves the disk images at "/NAME.dmg" or "/downloads/NAME.dmg".
    static constexpr std::string_view download = "downloads.purlo.example";
    // The website and its www host serve them only under "/downloads/".
    static constexpr std::string_view web = "purlo.example";
    static constexpr std::string_view webWww = "www.purlo.example";
};

} // namespace purlo
