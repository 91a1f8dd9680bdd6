#pragma once

#include "base/JsonCoding.h"
#include "integrations/Url.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace purlo {

// The maker's description of the one release offered for download as a disk image.
// It is fetched, checked and compared, and never stored.
struct PurloUpdateManifest {
    std::int64_t schemaVersion = 1;
    std::string appName;
    std::string bundleIdentifier;
    std::string version;
    std::string build;
    std::string artifactFileName;
    std::int64_t artifactSizeBytes = 0;
    std::string artifactSHA256;
    std::string checksumFileName;
    std::string generatedAt;
    bool manualUpdateOnly = true;
    std::optional<Url> downloadURL;

    // The download link when it is present and points at one of our release hosts.
    std::optional<Url> validatedDownloadURL() const;

    friend bool operator==(const PurloUpdateManifest&, const PurloUpdateManifest&) = default;
};

// The rules a manifest must meet, in the order they are checked.
enum class PurloUpdateManifestRule {
    schemaVersion,     // exactly 1
    appName,           // exactly "Purlo"
    manualUpdateOnly,  // true
    artifactFileName,  // ends with ".dmg"
    checksumFileName,  // the artifact's name + ".sha256"
    artifactSHA256,    // 64 characters
    artifactSizeBytes, // at least 1
    downloadURL,       // present and allowed
};

// The first rule the manifest breaks, or none when it passes them all.
std::optional<PurloUpdateManifestRule> firstBrokenRule(const PurloUpdateManifest& manifest);

// True when the manifest describes a release this program may offer.
bool validateUpdateManifest(const PurloUpdateManifest& manifest);

// True when url is an HTTPS link to exactly artifactFileName on a release host.
bool isAllowedDownloadURL(const Url& url, std::string_view artifactFileName);

void to_json(Json& json, const PurloUpdateManifest& manifest);
// Every key but "downloadURL" is required; a value of the wrong type, or a
// "downloadURL" that is not a URL, fails the whole document.
void from_json(const Json& json, PurloUpdateManifest& manifest);

// The manifest in a response body, or nothing when the body does not decode.
std::optional<PurloUpdateManifest> decodeUpdateManifest(std::string_view bytes);

} // namespace purlo
