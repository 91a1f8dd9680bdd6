#include "model/CompanionModels.h"

#include <cmath>
#include <gtest/gtest.h>

namespace purlo {
namespace {

template <NamedEnum E>
void expectRoundTrip() {
    for (const E value : allCases<E>()) {
        const std::string raw(toString(value));
        EXPECT_EQ(fromString<E>(raw), value) << raw;
        EXPECT_EQ(decodeValue<E>(Json(value)), value) << raw;
        // Any other spelling of a raw value fails.
        std::string capitalised = raw;
        capitalised[0] = static_cast<char>(std::toupper(capitalised[0]));
        EXPECT_FALSE(fromString<E>(capitalised)) << capitalised;
        EXPECT_FALSE(fromString<E>(" " + raw)) << raw;
        EXPECT_THROW(decodeValue<E>(Json(capitalised)), DecodeError);
    }
    EXPECT_FALSE(fromString<E>(""));
    EXPECT_THROW(decodeValue<E>(Json(3)), DecodeError);
}

TEST(Enumerations, RawValuesRoundTripAndNothingElseDecodes) {
    expectRoundTrip<CatMood>();
    expectRoundTrip<CatPose>();
    expectRoundTrip<CompanionMessage::Kind>();
    expectRoundTrip<AgentEventKind>();
    expectRoundTrip<PomodoroPhase>();
    expectRoundTrip<PurloPhrasePack>();
    expectRoundTrip<CatSkinPreset>();
    expectRoundTrip<CatPatternPreset>();
    expectRoundTrip<CatEyeColorPreset>();
    expectRoundTrip<CatAccessoryPreset>();
    expectRoundTrip<CompanionPresenceMode>();
    expectRoundTrip<CompanionMovementMode>();
    expectRoundTrip<CompanionScreenCorner>();
}

TEST(Enumerations, CaseOrderIsTheTableOrder) {
    EXPECT_EQ(allCases<CatMood>().size(), 11u);
    EXPECT_EQ(toString(CatMood::dragged), "dragged");
    EXPECT_EQ(toString(CatPose::crossEyed), "crossEyed");
    EXPECT_EQ(static_cast<int>(CatPose::crouch), 22);
    EXPECT_EQ(fromString<CatMood>("Idle"), std::nullopt);
    EXPECT_EQ(fromString<CatMood>("idle"), CatMood::idle);
    EXPECT_EQ(fromString<CatSkinPreset>("gray"), CatSkinPreset::gray);
    EXPECT_EQ(fromString<CompanionPresenceMode>("FloatAboveApps"), std::nullopt);
}

TEST(CompanionMessage, DecodesOnlyWithBothKeysAndAKnownKind) {
    const auto decode = [](std::string_view bytes) {
        return decodeBytes(bytes,
                           [](const Json& json) { return decodeValue<CompanionMessage>(json); });
    };
    EXPECT_EQ(decode(R"({"text":"hi","kind":"happy"})"),
              (CompanionMessage{"hi", CompanionMessage::Kind::happy}));
    EXPECT_FALSE(decode(R"({"text":"hi"})"));
    EXPECT_FALSE(decode(R"({"kind":"soft"})"));
    EXPECT_FALSE(decode(R"({"text":"hi","kind":"Happy"})"));
    EXPECT_FALSE(decode(R"({"text":7,"kind":"soft"})"));
    const CompanionMessage message{"purr", CompanionMessage::Kind::alert};
    EXPECT_EQ(decodeValue<CompanionMessage>(Json(message)), message);
}

TEST(CompanionScene, EqualityLooksAtEveryField) {
    const CompanionScene base;
    CompanionScene withButterfly = base;
    withButterfly.butterflyPosition = Point{0, 0};
    EXPECT_NE(base, withButterfly);

    CompanionScene soft = base;
    soft.message = CompanionMessage{"purr", CompanionMessage::Kind::soft};
    CompanionScene happy = base;
    happy.message = CompanionMessage{"purr", CompanionMessage::Kind::happy};
    EXPECT_NE(soft, happy);

    CompanionScene notANumber = base;
    notANumber.position.x = std::nan("");
    EXPECT_NE(notANumber, notANumber);

    CompanionScene labelled = base;
    labelled.timerLabel = "";
    EXPECT_NE(base, labelled);
    EXPECT_EQ(base, CompanionScene{});
}

TEST(CompanionInteraction, EqualityComparesThePayloadOfItsCase) {
    EXPECT_EQ(CompanionInteraction::dragMoved({10, 20}), CompanionInteraction::dragMoved({10, 20}));
    EXPECT_NE(CompanionInteraction::dragMoved({10, 20}), CompanionInteraction::dragMoved({10, 21}));
    EXPECT_NE(CompanionInteraction::dragMoved({10, 20}), CompanionInteraction::dragBegan());
    EXPECT_EQ(CompanionInteraction::pet(), CompanionInteraction::pet());
    EXPECT_NE(CompanionInteraction::confirmedCompletion({"a", CompanionMessage::Kind::happy}),
              CompanionInteraction::confirmedCompletion({"b", CompanionMessage::Kind::happy}));
}

TEST(SensorSnapshots, EqualityRules) {
    AgentEventSnapshot started = AgentEventSnapshot::empty();
    started.kind = AgentEventKind::started;
    EXPECT_EQ(AgentEventSnapshot::empty(), AgentEventSnapshot{});
    EXPECT_NE(AgentEventSnapshot::empty(), started);

    AgentEventSnapshot expiring = started;
    expiring.expiresAt = 12.0;
    EXPECT_NE(started, expiring);

    EXPECT_NE(PomodoroEvent::focusCompleted(2), PomodoroEvent::restCompleted(2));
    EXPECT_EQ(ReminderEvent::stretch(), ReminderEvent::stretch());
    EXPECT_NE(ReminderEvent::fixedMessage("water"), ReminderEvent::kindNudge("water"));
    EXPECT_NE(ReminderEvent::fixedMessage("water"), ReminderEvent::fixedMessage("eyes"));
}

TEST(ActiveAppSnapshot, CodingContext) {
    struct Case {
        std::string name;
        std::optional<std::string> identifier;
        bool coding;
    };
    const Case cases[] = {
        {"Xcode", std::nullopt, true},
        {"Safari", "com.apple.Safari", false},
        {"Terminal", "com.apple.Terminal", true},
        {"Editor", "com.todesktop.cursor", true},
        {"Precursory", std::nullopt, true}, // a keyword inside a longer word still counts
        {"KIRO", std::nullopt, true},
        {"Unknown", std::nullopt, false},
        {"Claud", std::nullopt, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ((ActiveAppSnapshot{c.name, c.identifier}.isCodingContext()), c.coding) << c.name;
    }
}

TEST(AgentEventSnapshot, SourceDisplayName) {
    const std::pair<std::string, std::string> cases[] = {
        {" Codex\n", "Codex"},    {"  codex", "Codex"},     {"CLAUDE CODE", "Claude Code"},
        {"claude-code", "Agent"}, {"claude", "Agent"},      {"", "Agent"},
        {"Cursor", "Cursor"},     {"terminal", "Terminal"}, {"\u00A0purlo\u2028", "Purlo"},
    };
    for (const auto& [source, displayName] : cases) {
        AgentEventSnapshot event;
        event.source = source;
        EXPECT_EQ(event.sourceDisplayName(), displayName) << source;
    }
}

TEST(CompanionPresence, HidesCompanion) {
    using Mode = CompanionPresenceMode;
    const std::optional<std::string> own = "purlo";
    struct Case {
        Mode mode;
        std::optional<std::string> frontmost;
        std::optional<std::string> own;
        bool hides;
    };
    const Case cases[] = {
        {Mode::floatAboveApps, "org.gnome.Terminal", own, false},
        {Mode::desktopLevel, "org.gnome.Terminal", own, false},
        {Mode::autoHideWhenAppsActive, "org.gnome.Terminal", own, true},
        {Mode::autoHideWhenAppsActive, "com.apple.finder", own, false},
        {Mode::autoHideWhenAppsActive, "com.apple.Finder", own, true},
        {Mode::autoHideWhenAppsActive, "purlo", own, false},
        {Mode::autoHideWhenAppsActive, "", own, false},
        {Mode::autoHideWhenAppsActive, std::nullopt, own, false},
        {Mode::autoHideWhenAppsActive, "firefox", std::nullopt, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(hidesCompanion(c.mode, c.frontmost, c.own), c.hides)
            << toString(c.mode) << " " << c.frontmost.value_or("(none)");
    }
    EXPECT_TRUE(isRoamWhenAway(CompanionMovementMode::roamWhenAway));
    EXPECT_FALSE(isRoamWhenAway(CompanionMovementMode::stayPut));
}

TEST(CompanionPlacement, BothCoordinatesAreRequired) {
    const auto decode = [](std::string_view bytes) {
        return decodeBytes(bytes,
                           [](const Json& json) { return decodeValue<CompanionPlacement>(json); });
    };
    EXPECT_FALSE(decode(R"({"x":120})"));
    EXPECT_FALSE(decode(R"({"x":120,"y":"40"})"));
    EXPECT_EQ(decode(R"({"x":120,"y":-40.5})"), (CompanionPlacement{120, -40.5}));
}

} // namespace
} // namespace purlo
