#include "model/PurloSettingsStore.h"

#include <cmath>

namespace purlo {
namespace {

using Recovery = PurloSettingsLoadResult::Recovery;

constexpr std::int64_t schemaVersion = 1;

// An object that names no settings key ("{}", another program's) holds no settings, bare or
// inside the envelope: read as the defaults, it would quietly replace the user's settings.
PurloSettings settingsIn(const Json& object) {
    PurloSettings settings = decodeValue<PurloSettings>(object);
    if (!namesAnySettingsKey(object)) {
        throw DecodeError("no settings in it");
    }
    return settings;
}

PurloDecodedSettingsPayload decodePayload(const Json& json) {
    const JsonFields fields(json);
    if (fields.containsKey("settings")) {
        // The version is required but not compared: any envelope reads as current.
        fields.required<std::int64_t>("schemaVersion");
        return {PurloDecodedSettingsPayload::Form::current, settingsIn(json.at("settings"))};
    }
    if (fields.containsKey("schemaVersion")) {
        throw DecodeError("an envelope without its settings");
    }
    return {PurloDecodedSettingsPayload::Form::legacy, settingsIn(json)};
}

bool holdsOnlyFiniteNumbers(const Json& json) {
    if (json.is_number_float()) {
        return std::isfinite(json.get<double>());
    }
    if (json.is_structured()) {
        for (const Json& element : json) {
            if (!holdsOnlyFiniteNumbers(element)) {
                return false;
            }
        }
    }
    return true;
}

bool holdsCurrentSettings(const std::optional<std::string>& bytes) {
    const auto decoded = bytes ? decodeSettingsPayload(*bytes) : std::nullopt;
    return decoded && decoded->form == PurloDecodedSettingsPayload::Form::current;
}

// Which bytes a save may keep as the backup.
enum class BackupRule {
    // The bytes being replaced, when they are settings at all.
    previousSettings,
    // The same, unless the backup holds current settings already: a migration's old value
    // must not replace what may be the last good copy of the user's settings.
    keepCurrentBackup,
};

// What stands at the settings' place or the backup's and cannot be read, a folder above all,
// which no file replaces, would refuse every save. When it refuses this one, it is set aside
// under the one key that keeps damage to be looked at, in the very step the bytes take its
// place, and setAside says so.
std::error_code writeOverDamage(KeyValueStore& store, std::string_view key, std::string_view bytes,
                                bool& setAside) {
    const auto error = store.write(key, bytes);
    if (!error || !store.read(key).unreadable) {
        return error;
    }
    if (const auto asideError = store.writeSettingAside(key, bytes, purloSettingsCorruptKey)) {
        return asideError;
    }
    setAside = true;
    return {};
}

std::error_code storeSettings(const PurloSettings& settings, KeyValueStore& store,
                              BackupRule rule) {
    const auto bytes = encodeSettingsEnvelope(settings);
    if (!bytes) {
        return std::make_error_code(std::errc::invalid_argument);
    }
    // The bytes being replaced become the backup first; when that copy fails the stored
    // value stays put rather than be overwritten without one.
    const bool backupKept = rule == BackupRule::keepCurrentBackup &&
                            holdsCurrentSettings(store.data(purloSettingsBackupKey));
    bool damageSetAside = false;
    if (const auto previous = store.data(purloSettingsKey);
        !backupKept && previous && *previous != *bytes && decodeSettingsPayload(*previous)) {
        if (const auto error =
                writeOverDamage(store, purloSettingsBackupKey, *previous, damageSetAside)) {
            return error;
        }
    }
    if (const auto error = writeOverDamage(store, purloSettingsKey, *bytes, damageSetAside)) {
        return error;
    }
    // A leftover copy of unreadable bytes is harmless, so failing to remove it does
    // not make the save a failure; what was set aside just now stays until the next save.
    if (!damageSetAside) {
        store.remove(purloSettingsCorruptKey);
    }
    return {};
}

} // namespace

std::optional<PurloDecodedSettingsPayload> decodeSettingsPayload(std::string_view bytes) {
    return decodeBytes(bytes, decodePayload);
}

std::optional<std::string> encodeSettingsEnvelope(const PurloSettings& settings) {
    const Json envelope{{"schemaVersion", schemaVersion}, {"settings", settings}};
    if (!holdsOnlyFiniteNumbers(envelope)) {
        return std::nullopt;
    }
    return encodeBytes(envelope);
}

PurloSettingsLoadResult PurloSettings::load(KeyValueStore& store) {
    const StoredData stored = store.read(purloSettingsKey);
    if (!stored.bytes && !stored.unreadable) {
        return {PurloSettings{}, Recovery::clean};
    }
    if (auto decoded = stored.bytes ? decodeSettingsPayload(*stored.bytes) : std::nullopt) {
        if (decoded->form == PurloDecodedSettingsPayload::Form::current) {
            return {std::move(decoded->settings), Recovery::clean};
        }
        storeSettings(decoded->settings, store, BackupRule::keepCurrentBackup);
        return {std::move(decoded->settings), Recovery::migratedLegacyPayload};
    }

    // What cannot be used is kept aside for inspection until the next ordinary save:
    // bytes that do not decode are copied, and whatever could not even be read (a
    // folder, a file without permission or far too large) is moved as the settings
    // written below take its place.
    if (stored.bytes) {
        store.setData(purloSettingsCorruptKey, *stored.bytes);
    }
    const auto backup = store.data(purloSettingsBackupKey);
    auto restored = backup ? decodeSettingsPayload(*backup) : std::nullopt;
    PurloSettingsLoadResult result =
        restored ? PurloSettingsLoadResult{std::move(restored->settings), Recovery::restoredBackup}
                 : PurloSettingsLoadResult{PurloSettings{}, Recovery::resetToDefault};
    // The backup stays as it is: it holds the last settings that decoded, and the bytes
    // just set aside must never replace it, or a second damage would find no good copy.
    // Nor may a stop leave the settings' place empty for a moment: the next start would take
    // that for a fresh install, and its saves would put the defaults over the backup.
    if (const auto bytes = encodeSettingsEnvelope(result.settings)) {
        if (stored.bytes) {
            store.setData(purloSettingsKey, *bytes);
        } else {
            store.writeSettingAside(purloSettingsKey, *bytes, purloSettingsCorruptKey);
        }
    }
    return result;
}

std::error_code PurloSettings::save(const PurloSettings& settings, KeyValueStore& store) {
    return storeSettings(settings, store, BackupRule::previousSettings);
}

} // namespace purlo
