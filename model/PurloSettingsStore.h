#pragma once

#include "base/KeyValueStore.h"
#include "model/PurloSettings.h"

#include <optional>
#include <string>
#include <string_view>

namespace purlo {

// The settings live under one key, with the last settings they replaced beside it and,
// after a recovery, what could not be read in either place.
inline constexpr std::string_view purloSettingsKey = "purlo.settings.v1";
inline constexpr std::string_view purloSettingsBackupKey = "purlo.settings.v1.backup";
inline constexpr std::string_view purloSettingsCorruptKey = "purlo.settings.v1.corrupt";

// What stored bytes held: the envelope {"schemaVersion": n, "settings": {...}}, or
// a bare settings object as written before the envelope existed.
struct PurloDecodedSettingsPayload {
    enum class Form { current, legacy };

    Form form = Form::current;
    PurloSettings settings;

    friend bool operator==(const PurloDecodedSettingsPayload&,
                           const PurloDecodedSettingsPayload&) = default;
};

// Nothing when the bytes are neither. An envelope whose settings do not decode is
// never read as a bare object, and neither is an object with a "schemaVersion" but no
// "settings". An object that names no settings key at all ("{}", another program's file)
// is no settings, bare or inside the envelope: each would quietly replace the user's
// settings with the defaults.
std::optional<PurloDecodedSettingsPayload> decodeSettingsPayload(std::string_view bytes);

// The envelope as compact JSON; nothing when a number is not finite or a text is not
// valid UTF-8, since such a value would not read back as it was.
std::optional<std::string> encodeSettingsEnvelope(const PurloSettings& settings);

// What loading gave, and how.
struct PurloSettingsLoadResult {
    enum class Recovery {
        clean,                 // nothing stored yet, or a current envelope
        migratedLegacyPayload, // a bare settings object, now stored in the envelope
        restoredBackup,        // the stored value was unreadable; the backup was used
        resetToDefault,        // neither the stored bytes nor the backup could be used
    };

    PurloSettings settings;
    Recovery recovery = Recovery::clean;

    friend bool operator==(const PurloSettingsLoadResult&,
                           const PurloSettingsLoadResult&) = default;
};

} // namespace purlo
