#pragma once

#include "base/Bundle.h"
#include "integrations/Url.h"

#include <optional>

namespace purlo {

// Where the website publishes the update manifest; none means this copy of the
// program was built without website update checking.
struct PurloUpdateManifestConfiguration {
    std::optional<Url> manifestURL;

    // Reads "PurloUpdateManifestURL": trimmed, and none when it is missing, empty,
    // still holds an unexpanded build variable, or is not a URL.
    static PurloUpdateManifestConfiguration fromBundle(const Bundle::Information& information);

    friend bool operator==(const PurloUpdateManifestConfiguration&,
                           const PurloUpdateManifestConfiguration&) = default;
};

} // namespace purlo
