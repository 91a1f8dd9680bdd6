#pragma once

#include "integrations/Url.h"

#include <optional>

namespace purlo {

// The pages of the maker's website that the windows and the support e-mail link to.
// Each is made once, on first use, and shared; a page whose address cannot be formed
// is none, and its link is simply left out.
struct PurloWebsiteLinks {
    // "/help"
    static const std::optional<Url>& helpPage();
    // "/help#integrations": connecting the coding tools.
    static const std::optional<Url>& connectionHelp();
    // "/help#changelog"
    static const std::optional<Url>& releaseNotes();
    // "/privacy"
    static const std::optional<Url>& privacyPolicy();
    // The community forum.
    static const std::optional<Url>& communityPage();
};

} // namespace purlo
