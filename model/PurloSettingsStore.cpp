#include "model/PurloSettingsStore.h"

#include <cmath>

namespace purlo {
namespace {

using Recovery = PurloSettingsLoadResult::Recovery;

constexpr std::int64_t schemaVersion = 1;

PurloDecodedSettingsPayload decodePayload(const Json& json) {
    const JsonFields fields(json);
    if (fields.containsKey("settings")) {
        // The version is required but not compared: any envelope reads as current.
        fields.required<std::int64_t>("schemaVersion");
        return {PurloDecodedSettingsPayload::Form::current,
                fields.required<PurloSettings>("settings")};
    }
    if (fields.containsKey("schemaVersion")) {
        throw DecodeError("an envelope without its settings");
    }
    return {PurloDecodedSettingsPayload::Form::legacy, decodeValue<PurloSettings>(json)};
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
    const auto stored = store.data(purloSettingsKey);
    if (!stored) {
        return {PurloSettings{}, Recovery::clean};
    }
    if (auto decoded = decodeSettingsPayload(*stored)) {
        if (decoded->form == PurloDecodedSettingsPayload::Form::current) {
            return {std::move(decoded->settings), Recovery::clean};
        }
        save(decoded->settings, store);
        return {std::move(decoded->settings), Recovery::migratedLegacyPayload};
    }

    // Unreadable bytes are kept for inspection until the next ordinary save. The save
    // below removes the key, so it is written again after it.
    store.setData(purloSettingsCorruptKey, *stored);
    const auto backup = store.data(purloSettingsBackupKey);
    auto restored = backup ? decodeSettingsPayload(*backup) : std::nullopt;
    PurloSettingsLoadResult result =
        restored ? PurloSettingsLoadResult{std::move(restored->settings), Recovery::restoredBackup}
                 : PurloSettingsLoadResult{PurloSettings{}, Recovery::resetToDefault};
    save(result.settings, store);
    store.setData(purloSettingsCorruptKey, *stored);
    return result;
}

bool PurloSettings::save(const PurloSettings& settings, KeyValueStore& store) {
    const auto bytes = encodeSettingsEnvelope(settings);
    if (!bytes) {
        return false;
    }
    // The bytes being replaced become the backup first; when that fails the stored
    // value stays put rather than be overwritten without a copy.
    if (const auto previous = store.data(purloSettingsKey); previous && *previous != *bytes) {
        if (!store.setData(purloSettingsBackupKey, *previous)) {
            return false;
        }
    }
    if (!store.setData(purloSettingsKey, *bytes)) {
        return false;
    }
    // A leftover copy of unreadable bytes is harmless, so failing to remove it does
    // not make the save a failure.
    store.remove(purloSettingsCorruptKey);
    return true;
}

} // namespace purlo
