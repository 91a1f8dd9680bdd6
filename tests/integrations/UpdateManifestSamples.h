#pragma once

#include "integrations/PurloUpdateManifest.h"

#include <string>

namespace purlo::testing {

// A manifest that passes every rule: release 2.0 (build 200) on the download host.
inline Json validManifestJson(const std::string& version = "2.0",
                              const std::string& build = "200") {
    return Json{{"schemaVersion", 1},
                {"appName", "Purlo"},
                {"bundleIdentifier", "purlo"},
                {"version", version},
                {"build", build},
                {"artifactFileName", "Purlo-2.0.dmg"},
                {"artifactSizeBytes", 1},
                {"artifactSHA256", std::string(64, 'a')},
                {"checksumFileName", "Purlo-2.0.dmg.sha256"},
                {"generatedAt", "2025-01-01T00:00:00Z"},
                {"manualUpdateOnly", true},
                {"downloadURL", "https://downloads.purlo.example/Purlo-2.0.dmg"}};
}

inline PurloUpdateManifest validManifest(const std::string& version = "2.0",
                                         const std::string& build = "200") {
    return validManifestJson(version, build).get<PurloUpdateManifest>();
}

} // namespace purlo::testing
