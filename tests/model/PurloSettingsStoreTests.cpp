#include "model/PurloSettingsStore.h"
#include "tests/support/InMemoryKeyValueStore.h"

#include <gtest/gtest.h>
#include <limits>

namespace purlo {
namespace {

using Recovery = PurloSettingsLoadResult::Recovery;
using testing::InMemoryKeyValueStore;

PurloSettings orangeCat() {
    PurloSettings settings;
    settings.skin = CatSkinPreset::orange;
    settings.pattern = CatPatternPreset::classic;
    settings.eyeColor = CatEyeColorPreset::cocoa;
    return settings;
}

PurloSettings namedCat(const std::string& name) {
    PurloSettings settings;
    settings.companionName = name;
    return settings;
}

std::string envelope(const PurloSettings& settings) {
    return encodeSettingsEnvelope(settings).value();
}

struct Keys {
    std::optional<std::string> primary{};
    std::optional<std::string> backup{};
    std::optional<std::string> corrupt{};
};

InMemoryKeyValueStore storeHolding(const Keys& keys) {
    InMemoryKeyValueStore store;
    const std::pair<std::string_view, std::optional<std::string>> entries[] = {
        {purloSettingsKey, keys.primary},
        {purloSettingsBackupKey, keys.backup},
        {purloSettingsCorruptKey, keys.corrupt}};
    for (const auto& [key, bytes] : entries) {
        if (bytes) {
            store.values.emplace(key, *bytes);
        }
    }
    return store;
}

void expectKeys(const InMemoryKeyValueStore& store, const Keys& keys, const std::string& name) {
    EXPECT_EQ(store.data(purloSettingsKey), keys.primary) << name << ": primary";
    EXPECT_EQ(store.data(purloSettingsBackupKey), keys.backup) << name << ": backup";
    EXPECT_EQ(store.data(purloSettingsCorruptKey), keys.corrupt) << name << ": corrupt";
}

TEST(PurloSettingsStore, EnvelopeIsCompactWithVersionOne) {
    const std::string bytes = envelope(PurloSettings{});
    EXPECT_TRUE(bytes.starts_with(R"({"schemaVersion":1,"settings":{"accessory":"none",)"))
        << bytes;
    EXPECT_EQ(bytes.find('\n'), std::string::npos);
    EXPECT_EQ(bytes.find("\": "), std::string::npos);
    EXPECT_EQ(decodeSettingsPayload(bytes),
              (PurloDecodedSettingsPayload{PurloDecodedSettingsPayload::Form::current, {}}));
}

TEST(PurloSettingsStore, LoadAndSaveRecoveryTable) {
    const std::string bad = "not json {";
    const std::string legacyOrange = R"({"skin": "orange", "unknown": 1})";
    const std::string brokenLook =
        R"({"schemaVersion":1,"settings":{"savedCatProfiles":[{"pattern":"Stripes"}]}})";
    struct Row {
        std::string name;
        Keys before;
        std::optional<PurloSettings> saved; // a save instead of a load
        PurloSettingsLoadResult loaded;
        Keys after;
    };
    const Row rows[] = {
        {"nothing stored", {}, {}, {{}, Recovery::clean}, {}},
        {"only a backup",
         {{}, envelope(orangeCat()), {}},
         {},
         {{}, Recovery::clean},
         {{}, envelope(orangeCat()), {}}},
        {"clean envelope",
         {envelope(orangeCat()), bad, {}},
         {},
         {orangeCat(), Recovery::clean},
         {envelope(orangeCat()), bad, {}}},
        {"any integer version",
         {R"({"schemaVersion":7,"settings":{"skin":"orange"}})"},
         {},
         {orangeCat(), Recovery::clean},
         {R"({"schemaVersion":7,"settings":{"skin":"orange"}})"}},
        {"legacy bare object",
         {legacyOrange},
         {},
         {orangeCat(), Recovery::migratedLegacyPayload},
         {envelope(orangeCat()), legacyOrange, {}}},
        {"legacy empty object",
         {"{}"},
         {},
         {{}, Recovery::migratedLegacyPayload},
         {envelope({}), "{}", {}}},
        {"undecodable, backup restored",
         {bad, envelope(orangeCat())},
         {},
         {orangeCat(), Recovery::restoredBackup},
         {envelope(orangeCat()), bad, bad}},
        {"undecodable, legacy backup",
         {bad, legacyOrange},
         {},
         {orangeCat(), Recovery::restoredBackup},
         {envelope(orangeCat()), bad, bad}},
        {"undecodable, no backup",
         {bad},
         {},
         {{}, Recovery::resetToDefault},
         {envelope({}), bad, bad}},
        {"undecodable, damaged backup",
         {bad, "{\"schemaVersion\":1,"},
         {},
         {{}, Recovery::resetToDefault},
         {envelope({}), bad, bad}},
        {"unknown raw value inside the envelope",
         {brokenLook, envelope(orangeCat())},
         {},
         {orangeCat(), Recovery::restoredBackup},
         {envelope(orangeCat()), brokenLook, brokenLook}},
        {"version without settings",
         {R"({"schemaVersion":1})", envelope(orangeCat())},
         {},
         {orangeCat(), Recovery::restoredBackup},
         {envelope(orangeCat()), R"({"schemaVersion":1})", R"({"schemaVersion":1})"}},
        {"null settings",
         {R"({"schemaVersion":1,"settings":null})"},
         {},
         {{}, Recovery::resetToDefault},
         {envelope({}), R"({"schemaVersion":1,"settings":null})",
          R"({"schemaVersion":1,"settings":null})"}},
        {"settings without version",
         {R"({"settings":{}})"},
         {},
         {{}, Recovery::resetToDefault},
         {envelope({}), R"({"settings":{}})", R"({"settings":{}})"}},
        {"text version",
         {R"({"schemaVersion":"1","settings":{}})"},
         {},
         {{}, Recovery::resetToDefault},
         {envelope({}), R"({"schemaVersion":"1","settings":{}})",
          R"({"schemaVersion":"1","settings":{}})"}},
        {"an array", {"[]"}, {}, {{}, Recovery::resetToDefault}, {envelope({}), "[]", "[]"}},
        {"save changing nothing",
         {envelope(orangeCat()), bad, bad},
         orangeCat(),
         {},
         {envelope(orangeCat()), bad, {}}},
        {"save of a change",
         {envelope(orangeCat()), bad, bad},
         namedCat("Miso"),
         {},
         {envelope(namedCat("Miso")), envelope(orangeCat()), {}}},
        {"first save", {{}, bad}, orangeCat(), {}, {envelope(orangeCat()), bad, {}}},
    };
    for (const auto& row : rows) {
        InMemoryKeyValueStore store = storeHolding(row.before);
        if (row.saved) {
            EXPECT_TRUE(PurloSettings::save(*row.saved, store)) << row.name;
        } else {
            EXPECT_EQ(PurloSettings::load(store), row.loaded) << row.name;
        }
        expectKeys(store, row.after, row.name);
    }
}

TEST(PurloSettingsStore, CleanLoadsWriteNothing) {
    for (const Keys& keys :
         {Keys{}, Keys{{}, envelope(orangeCat()), {}}, Keys{envelope(orangeCat()), {}, {}}}) {
        InMemoryKeyValueStore store = storeHolding(keys);
        PurloSettings::load(store);
        EXPECT_EQ(store.writeCount, 0);
    }
}

TEST(PurloSettingsStore, AValueThatCannotBeEncodedIsNotSaved) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    std::vector<PurloSettings> unencodable(4);
    unencodable[0].reactionIntensity = nan;
    unencodable[1].companionPlacement = CompanionPlacement{infinity, 0};
    unencodable[2].nap.until = Date{infinity};
    unencodable[3].userName = "\xff\xfe";
    for (const PurloSettings& settings : unencodable) {
        InMemoryKeyValueStore store = storeHolding({"old", "older", "bad"});
        EXPECT_FALSE(PurloSettings::save(settings, store));
        EXPECT_EQ(store.writeCount, 0);
        expectKeys(store, {"old", "older", "bad"}, "unencodable");
    }
}

TEST(PurloSettingsStore, AFailedWriteIsReportedAndKeepsTheStoredValue) {
    for (const std::string_view failing : {purloSettingsKey, purloSettingsBackupKey}) {
        InMemoryKeyValueStore store = storeHolding({envelope(orangeCat()), "older", "bad"});
        store.failingKeys.emplace(failing);
        EXPECT_FALSE(PurloSettings::save(namedCat("Miso"), store)) << failing;
        EXPECT_EQ(store.data(purloSettingsKey), envelope(orangeCat())) << failing;
        EXPECT_EQ(store.data(purloSettingsCorruptKey), "bad") << failing;
    }
}

TEST(PurloSettingsStore, AMigrationThatCannotBeWrittenStillLoads) {
    InMemoryKeyValueStore store = storeHolding({R"({"skin":"orange"})"});
    store.failingKeys.emplace(purloSettingsKey);
    EXPECT_EQ(PurloSettings::load(store),
              (PurloSettingsLoadResult{orangeCat(), Recovery::migratedLegacyPayload}));
    EXPECT_EQ(store.data(purloSettingsKey), R"({"skin":"orange"})");
}

} // namespace
} // namespace purlo
