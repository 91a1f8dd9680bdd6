#pragma once

#include "integrations/PurloUpdateManifest.h"
#include "integrations/PurloUpdateManifestConfiguration.h"

#include <string>

namespace purlo::testing {

// A manifest that passes every rule: release 2.0 (build 200) on the download host.
inline Json validManifestJson(const std::string& version = "2.0",
                              const std::string& build = "200") {
    Json json = Json::parse(R"({"schemaVersion": 1, "appName": "Purlo", "bundleIdentifier": "purlo",
        "artifactFileName": "Purlo-2.0.dmg", "artifactSizeBytes": 1, "manualUpdateOnly": true,
        "checksumFileName": "Purlo-2.0.dmg.sha256", "generatedAt": "2025-01-01T00:00:00Z",
        "downloadURL": "https://downloads.purlo.example/Purlo-2.0.dmg"})");
    json.update({{"version", version}, {"build", build}, {"artifactSHA256", std::string(64, 'a')}});
    return json;
}

inline PurloUpdateManifest validManifest(const std::string& version = "2.0",
                                         const std::string& build = "200") {
    return validManifestJson(version, build).get<PurloUpdateManifest>();
}

inline PurloUpdateManifestConfiguration manifestAt(const std::string& url) {
    return PurloUpdateManifestConfiguration::fromBundle({{"PurloUpdateManifestURL", url}});
}

} // namespace purlo::testing
