#pragma once

#include <string_view>

namespace purlo {

// Where the program sends people: the hosts an update manifest may point a download
// at, the maker's website with its help and privacy pages, the community forum and
// the support address. They stay reserved example names (which never resolve) until
// the project publishes releases of its own, so no manifest or link can point a
// browser or a mail program at someone else's server.
struct PurloReleaseHosts {
    // Serves the disk images at "/NAME.dmg" or "/downloads/NAME.dmg".
    static constexpr std::string_view download = "downloads.purlo.example";
    // The website and its www host serve them only under "/downloads/".
    static constexpr std::string_view web = "purlo.example";
    static constexpr std::string_view webWww = "www.purlo.example";

    // The forum for feature requests, launch notes and people's setups, and the short
    // name its links carry.
    static constexpr std::string_view communityPage = "https://community.purlo.example/";
    static constexpr std::string_view communityName = "Purlo Community";
    // Where support e-mail goes; the address alone, without a display name.
    static constexpr std::string_view supportAddress = "support@purlo.example";
};

} // namespace purlo
