#include "integrations/PurloUpdateManifest.h"

#include "integrations/PurloReleaseHosts.h"

#include <algorithm>
#include <memory>
#include <unicode/brkiter.h>
#include <unicode/unistr.h>

namespace purlo {
namespace {

constexpr std::string_view diskImageSuffix = ".dmg";
constexpr std::size_t checksumLength = 64;

// Characters as a reader counts them: "é" written as "e" and a combining accent is one.
std::size_t userPerceivedLength(std::string_view text) {
    const icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(
        icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::BreakIterator> characters(
        icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    if (U_FAILURE(status)) {
        return static_cast<std::size_t>(unicode.countChar32());
    }
    characters->setText(unicode);
    std::size_t count = 0;
    for (int32_t boundary = characters->next(); boundary != icu::BreakIterator::DONE;
         boundary = characters->next()) {
        ++count;
    }
    return count;
}

std::string asciiLowercased(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return text;
}

} // namespace

std::optional<Url> PurloUpdateManifest::validatedDownloadURL() const {
    if (downloadURL && isAllowedDownloadURL(*downloadURL, artifactFileName)) {
        return downloadURL;
    }
    return std::nullopt;
}

std::optional<PurloUpdateManifestRule> firstBrokenRule(const PurloUpdateManifest& manifest) {
    using Rule = PurloUpdateManifestRule;
    if (manifest.schemaVersion != 1) {
        return Rule::schemaVersion;
    }
    if (manifest.appName != "Purlo") {
        return Rule::appName;
    }
    if (!manifest.manualUpdateOnly) {
        return Rule::manualUpdateOnly;
    }
    if (!manifest.artifactFileName.ends_with(diskImageSuffix)) {
        return Rule::artifactFileName;
    }
    if (manifest.checksumFileName != manifest.artifactFileName + ".sha256") {
        return Rule::checksumFileName;
    }
    // Only the length: the program never downloads the image, so it never compares
    // the digest itself.
    if (userPerceivedLength(manifest.artifactSHA256) != checksumLength) {
        return Rule::artifactSHA256;
    }
    if (manifest.artifactSizeBytes < 1) {
        return Rule::artifactSizeBytes;
    }
    if (!manifest.validatedDownloadURL()) {
        return Rule::downloadURL;
    }
    return std::nullopt;
}

bool validateUpdateManifest(const PurloUpdateManifest& manifest) {
    return !firstBrokenRule(manifest).has_value();
}

bool isAllowedDownloadURL(const Url& url, std::string_view artifactFileName) {
    if (url.scheme() != "https" || !artifactFileName.ends_with(diskImageSuffix) ||
        url.lastPathComponent() != artifactFileName) {
        return false;
    }
    const auto host = url.host();
    if (!host) {
        return false;
    }
    const std::string lowerHost = asciiLowercased(*host);
    const std::string path = url.path();
    const bool underDownloads = path == "/downloads/" + std::string(artifactFileName);
    if (lowerHost == PurloReleaseHosts::download) {
        return path == "/" + std::string(artifactFileName) || underDownloads;
    }
    if (lowerHost == PurloReleaseHosts::web || lowerHost == PurloReleaseHosts::webWww) {
        return underDownloads;
    }
    return false;
}

void to_json(Json& json, const PurloUpdateManifest& manifest) {
    json = Json{{"schemaVersion", manifest.schemaVersion},
                {"appName", manifest.appName},
                {"bundleIdentifier", manifest.bundleIdentifier},
                {"version", manifest.version},
                {"build", manifest.build},
                {"artifactFileName", manifest.artifactFileName},
                {"artifactSizeBytes", manifest.artifactSizeBytes},
                {"artifactSHA256", manifest.artifactSHA256},
                {"checksumFileName", manifest.checksumFileName},
                {"generatedAt", manifest.generatedAt},
                {"manualUpdateOnly", manifest.manualUpdateOnly}};
    if (manifest.downloadURL) {
        json["downloadURL"] = manifest.downloadURL->text();
    }
}

void from_json(const Json& json, PurloUpdateManifest& manifest) {
    const JsonFields fields(json);
    manifest.schemaVersion = fields.required<std::int64_t>("schemaVersion");
    manifest.appName = fields.required<std::string>("appName");
    manifest.bundleIdentifier = fields.required<std::string>("bundleIdentifier");
    manifest.version = fields.required<std::string>("version");
    manifest.build = fields.required<std::string>("build");
    manifest.artifactFileName = fields.required<std::string>("artifactFileName");
    manifest.artifactSizeBytes = fields.required<std::int64_t>("artifactSizeBytes");
    manifest.artifactSHA256 = fields.required<std::string>("artifactSHA256");
    manifest.checksumFileName = fields.required<std::string>("checksumFileName");
    manifest.generatedAt = fields.required<std::string>("generatedAt");
    manifest.manualUpdateOnly = fields.required<bool>("manualUpdateOnly");
    manifest.downloadURL.reset();
    if (const auto text = fields.optional<std::string>("downloadURL")) {
        manifest.downloadURL = Url::parse(*text);
        if (!manifest.downloadURL) {
            throw DecodeError("downloadURL is not a URL");
        }
    }
}

std::optional<PurloUpdateManifest> decodeUpdateManifest(std::string_view bytes) {
    return decodeBytes(bytes,
                       [](const Json& json) { return decodeValue<PurloUpdateManifest>(json); });
}

} // namespace purlo
