#include "model/AgentEventSnapshot.h"
#include "model/PurloPhrasePack.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

TEST(PhrasePack, TitlesAndEverySlotExist) {
    EXPECT_EQ(title(PurloPhrasePack::soft), "Soft");
    EXPECT_EQ(title(PurloPhrasePack::focused), "Focused");
    EXPECT_EQ(title(PurloPhrasePack::playful), "Playful");
    EXPECT_EQ(title(PurloPhrasePack::quiet), "Quiet");
    for (const PurloPhrasePack pack : allCases<PurloPhrasePack>()) {
        for (int slot = 0; slot < 20; ++slot) {
            EXPECT_FALSE(phrase(pack, static_cast<PhraseSlot>(slot)).empty());
        }
    }
    EXPECT_EQ(phrase(PurloPhrasePack::playful, PhraseSlot::napInvitation),
              "nap o'clock! come stretch your legs?");
    EXPECT_EQ(phrase(PurloPhrasePack::quiet, PhraseSlot::agentThinking), "...");
    EXPECT_EQ(phrase(PurloPhrasePack::focused, PhraseSlot::kindNudge), "one small step");
}

TEST(PhrasePack, StretchUsesTheTrimmedNameOrThePlainLine) {
    EXPECT_EQ(stretchPhrase(PurloPhrasePack::soft, "   "), "stretch?");
    EXPECT_EQ(stretchPhrase(PurloPhrasePack::soft, ""), "stretch?");
    EXPECT_EQ(stretchPhrase(PurloPhrasePack::soft, "  Ada\n"), "stretch, Ada?");
    EXPECT_EQ(stretchPhrase(PurloPhrasePack::quiet, "Ada"), "Ada, stretch?");
}

TEST(PhrasePack, AgentStartedNamesTheSource) {
    AgentEventSnapshot event;
    event.source = "codex";
    EXPECT_EQ(agentStartedPhrase(PurloPhrasePack::playful, event.sourceDisplayName()),
              "Codex is moving");
    EXPECT_EQ(agentStartedPhrase(PurloPhrasePack::soft, "  "), "agent started");
}

TEST(PhrasePack, SessionNumbersAreWrittenInDecimal) {
    EXPECT_EQ(sessionPhrase(PurloPhrasePack::focused, PhraseSlot::focusCompleted, 3),
              "session 3 complete");
    EXPECT_EQ(sessionPhrase(PurloPhrasePack::focused, PhraseSlot::restCompleted, 3), "focus 3");
}

TEST(PhrasePack, ReplacementIsLiteralAndCaseSensitive) {
    EXPECT_EQ(replacingAll("{name} and {name}", "{name}", "Ada"), "Ada and Ada");
    EXPECT_EQ(replacingAll("{Name}", "{name}", "Ada"), "{Name}");
    EXPECT_EQ(replacingAll("{name}", "{name}", "{name}{name}"), "{name}{name}");
    EXPECT_EQ(replacingAll("abc", "", "x"), "abc");
}

} // namespace
} // namespace purlo
