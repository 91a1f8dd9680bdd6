#include "tests/model/EngineScript.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::EngineScript;
using Kind = CompanionMessage::Kind;
using Play = void (*)(EngineScript&);

// The pose holds one step short of seconds after the last step and is gone one after.
void expectHeldFor(EngineScript& script, CatPose pose, double seconds) {
    const double from = script.time();
    EXPECT_EQ(toString(script.runUntil(from + seconds - 0.1).scene().pose), toString(pose));
    EXPECT_NE(toString(script.runUntil(from + seconds + 0.1).scene().pose), toString(pose));
}

TEST(BehaviorEngineReactions, WhatHappensHoldsHerForItsOwnTime) {
    struct Case {
        const char* name;
        Play play;
        CatPose pose;
        std::optional<CompanionMessage> message;
        double seconds;
    };
    // The bridge keeps offering its current event on every step: it is applied once,
    // so it never holds her longer than its kind's time.
    const Case cases[] = {
        {"put down", [](EngineScript& s) { s.interact(CompanionInteraction::dragEnded()); },
         CatPose::purr, CompanionMessage{"purr", Kind::happy}, 0.5},
        {"petted", [](EngineScript& s) { s.interact(CompanionInteraction::pet()); }, CatPose::purr,
         CompanionMessage{"purr", Kind::happy}, 2.4},
        {"celebrating", [](EngineScript& s) { s.interact(CompanionInteraction::celebrate()); },
         CatPose::celebrate, CompanionMessage{"done!", Kind::happy}, 2.4},
        {"stretching", [](EngineScript& s) { s.interact(CompanionInteraction::stretch()); },
         CatPose::stretch, CompanionMessage{"stretch?", Kind::focus}, 7.5},
        {"a logged win",
         [](EngineScript& s) {
             s.interact(CompanionInteraction::confirmedCompletion({"3 wins", Kind::happy}));
         },
         CatPose::celebrate, CompanionMessage{"3 wins", Kind::happy}, 2.8},
        {"a stretch reminder", [](EngineScript& s) { s.remind(ReminderEvent::stretch()); },
         CatPose::stretch, CompanionMessage{"stretch?", Kind::focus}, 8},
        {"a focus session done",
         [](EngineScript& s) { s.pomodoro(PomodoroEvent::focusCompleted(3)); }, CatPose::celebrate,
         CompanionMessage{"focus 3 done", Kind::happy}, 2.8},
        {"agent started", [](EngineScript& s) { s.agent(AgentEventKind::started, " codex\n"); },
         CatPose::think, CompanionMessage{"Codex started", Kind::focus}, 60},
        {"agent thinking", [](EngineScript& s) { s.agent(AgentEventKind::thinking); },
         CatPose::think, CompanionMessage{"thinking too", Kind::focus}, 60},
        {"agent waiting", [](EngineScript& s) { s.agent(AgentEventKind::waiting); }, CatPose::wait,
         CompanionMessage{"your turn?", Kind::soft}, 45},
        {"agent failed", [](EngineScript& s) { s.agent(AgentEventKind::failed); }, CatPose::flop,
         CompanionMessage{"needs help", Kind::alert}, 7},
        {"agent completed", [](EngineScript& s) { s.agent(AgentEventKind::completed); },
         CatPose::celebrate, CompanionMessage{"done!", Kind::happy}, 2.8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineScript script;
        c.play(script.step());
        EXPECT_EQ(script.scene().message, c.message);
        expectHeldFor(script, c.pose, c.seconds);
    }
}

TEST(BehaviorEngineReactions, TimedBubblesSpeakForTheirOwnTime) {
    struct Case {
        Play play;
        CompanionMessage message;
        double seconds;
    };
    const Case cases[] = {
        {[](EngineScript& s) { s.remind(ReminderEvent::fixedMessage("sip water?")); },
         {"sip water?", Kind::soft},
         5},
        {[](EngineScript& s) { s.remind(ReminderEvent::kindNudge("tiny step?")); },
         {"tiny step?", Kind::happy},
         5},
        {[](EngineScript& s) { s.pomodoro(PomodoroEvent::restCompleted(4)); },
         {"focus 4", Kind::focus},
         4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.text);
        EngineScript script;
        c.play(script);
        const double from = script.time();
        EXPECT_EQ(script.runUntil(from + c.seconds - 0.1).scene().message, c.message);
        EXPECT_EQ(script.runUntil(from + c.seconds + 0.1).scene().message, std::nullopt);
    }
}

TEST(BehaviorEngineReactions, CelebratingAWinSilencesAReminder) {
    for (const Play win : std::initializer_list<Play>{
             [](EngineScript& s) {
                 s.interact(CompanionInteraction::confirmedCompletion({"won", Kind::happy}));
             },
             [](EngineScript& s) {
                 s.pomodoro(PomodoroEvent::focusCompleted(1));
             }}) {
        EngineScript script;
        win(script.remind(ReminderEvent::fixedMessage("sip water?")));
        EXPECT_EQ(script.scene().pose, CatPose::celebrate);
        EXPECT_NE(script.scene().message->text, "sip water?");
    }
}

TEST(BehaviorEngineReactions, AStretchReminderNeverCutsALongerStretchShort) {
    EngineScript script;
    script.engine.state.stretchUntil = 1030;
    script.remind(ReminderEvent::stretch());
    EXPECT_EQ(script.runUntil(1029.9).scene().pose, CatPose::stretch);
}

TEST(BehaviorEngineReactions, ADragKeepsHerOnTheScreenUntilSheIsPutDown) {
    EngineScript script;
    script.interact(CompanionInteraction::dragBegan());
    EXPECT_EQ(script.interact(CompanionInteraction::dragMoved({300, 200})).scene().position,
              (Point{300, 200}));
    script.interact(CompanionInteraction::dragMoved({-50, 5000}));
    EXPECT_EQ(script.scene().position, (Point{8, 900 - 8 - 204}));
    EXPECT_EQ(script.runFor(5).scene().pose, CatPose::drag);
    EXPECT_EQ(script.interact(CompanionInteraction::dragEnded()).engine.state.position,
              (Point{8, 688}));
}

TEST(BehaviorEngineReactions, AnEventsExpiryEndsItsHold) {
    EngineScript script;
    script.agent(AgentEventKind::thinking, "codex", 1010);
    EXPECT_EQ(script.runUntil(1009.9).scene().pose, CatPose::think);
    EXPECT_EQ(script.runUntil(1010.1).scene().pose, CatPose::idle);

    EngineScript expired;
    expired.agent(AgentEventKind::thinking, "codex", expired.nextTime());
    EXPECT_EQ(expired.scene().pose, CatPose::idle) << "an expiry equal to the time is past";
    EXPECT_FALSE(expired.engine.state.lastAppliedAgentEvent);
}

TEST(BehaviorEngineReactions, ALongAgentRunEndsWithALongCelebration) {
    struct Case {
        const char* name;
        std::vector<double> thinkingAt;
        double completedAt;
        double celebration;
    };
    const Case cases[] = {
        {"five minutes", {0}, 300, 6.4},
        {"just short of five minutes", {0}, 299.9, 2.8},
        {"no run open", {}, 300, 2.8},
        {"a silence of 30 minutes keeps the run", {0, 1800}, 1810, 6.4},
        {"a silence of 31 minutes opens a new run", {0, 1860}, 2100, 2.8},
        {"the new run is long in its own right", {0, 1860}, 2160, 6.4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineScript script;
        for (const double at : c.thinkingAt) {
            script.runUntil(1000 + at - 0.1).agent(AgentEventKind::thinking);
        }
        script.runUntil(1000 + c.completedAt - 0.1).agent(AgentEventKind::completed);
        expectHeldFor(script, CatPose::celebrate, c.celebration);
    }

    EngineScript failed;
    failed.agent(AgentEventKind::thinking).runFor(400).agent(AgentEventKind::failed).runFor(10);
    expectHeldFor(failed.agent(AgentEventKind::completed), CatPose::celebrate, 2.8);
}

TEST(BehaviorEngineReactions, AnEmptyAgentEventIsNoEvent) {
    EngineScript script;
    script.agent(AgentEventKind::thinking);
    const AgentEventSnapshot event = script.input.agentEvent;

    script.input.agentEvent = AgentEventSnapshot::empty();
    EXPECT_EQ(script.runFor(5).scene().pose, CatPose::think) << "it ends no hold";
    EXPECT_EQ(script.engine.state.lastAppliedAgentEvent, event);
    EXPECT_EQ(script.engine.state.agentRunLastSeenAt, 1000) << "nor keeps a run open";

    // Offered again, the event is still the one applied: its hold is not renewed.
    script.input.agentEvent = event;
    EXPECT_EQ(script.runUntil(1059.9).scene().pose, CatPose::think);
    EXPECT_EQ(script.runUntil(1060.1).scene().pose, CatPose::idle);
}

TEST(BehaviorEngineReactions, SwitchingTheBridgeOffEndsTheAgentsHoldAndCelebration) {
    EngineScript script;
    script.agent(AgentEventKind::thinking);
    script.settings.localAgentBridgeEnabled = false;
    EXPECT_EQ(script.step().scene().pose, CatPose::idle);
    EXPECT_FALSE(script.engine.state.agentRunStartedAt);
    EXPECT_EQ(script.agent(AgentEventKind::waiting).scene().pose, CatPose::idle);

    script.settings.localAgentBridgeEnabled = true;
    EXPECT_EQ(script.agent(AgentEventKind::completed).scene().pose, CatPose::celebrate);
    script.settings.localAgentBridgeEnabled = false;
    EXPECT_EQ(script.step().scene().pose, CatPose::idle);
    script.interact(CompanionInteraction::celebrate());
    EXPECT_EQ(script.step().scene().pose, CatPose::celebrate) << "her own celebration goes on";
}

TEST(BehaviorEngineReactions, WhatCountsAsTheUsersActivity) {
    struct Case {
        bool reactions;
        std::int64_t keyPresses;
        double movedSecondsAgo;
        Size velocity;
        std::optional<double> seenSecondsAgo; // nothing: no activity
    };
    const Case cases[] = {
        {true, 0, 2.5, {0, 0}, 2.5}, // stamped when the pointer moved
        {true, 0, 2.6, {0, 0}, std::nullopt},
        {true, 0, -1, {0, 0}, std::nullopt}, // a movement time in the future
        {true, 0, 9, {96, 128}, 0},
        {true, 0, 9, {159, 0}, std::nullopt},
        {false, 0, 1, {500, 0}, std::nullopt},
        {false, 3, 9, {0, 0}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.movedSecondsAgo << " s ago at " << c.velocity.width);
        EngineScript script;
        script.settings.reactionsEnabled = c.reactions;
        script.runFor(10);
        script.input.typing.recentKeyPressCount = c.keyPresses;
        script.input.pointer.lastMovementTime = script.nextTime() - c.movedSecondsAgo;
        script.input.pointer.velocity = c.velocity;
        const std::optional<double> seen = script.step().engine.state.lastUserActivityTime;
        ASSERT_EQ(seen.has_value(), c.seenSecondsAgo.has_value());
        if (seen) {
            EXPECT_DOUBLE_EQ(script.time() - *seen, *c.seenSecondsAgo);
        }
    }
}

TEST(BehaviorEngineReactions, SheWelcomesTheUserBack) {
    struct Case {
        double away;
        double greeting;
        double purringUntil;
    };
    for (const Case c : {Case{180, 0, 3}, Case{1260, 2.2, 5.2}, Case{100, 0, 0}}) {
        SCOPED_TRACE(c.away);
        EngineScript script;
        script.wiggle().runFor(c.away).wiggle().step();
        const double back = script.time();
        if (c.greeting > 0) {
            EXPECT_EQ(script.scene().pose, CatPose::greet);
            EXPECT_EQ(script.runUntil(back + c.greeting - 0.1).scene().pose, CatPose::greet);
        }
        if (c.purringUntil > 0) {
            script.runUntil(back + c.greeting + 0.1);
            EXPECT_EQ(script.scene().message, (CompanionMessage{"welcome back", Kind::happy}));
            EXPECT_EQ(script.runUntil(back + c.purringUntil - 0.1).scene().pose, CatPose::purr);
        }
        EXPECT_EQ(script.runUntil(back + c.purringUntil + 0.1).scene().pose, CatPose::idle);
    }
}

TEST(BehaviorEngineReactions, ALongAbsenceIsLookedAtOnTheFirstStepOnly) {
    struct Case {
        const char* name;
        double absence;
        bool quietAtStart;
        bool reactions;
        bool stares;
    };
    const Case cases[] = {
        {"exactly two days", 172800, false, true, true},
        {"a moment short of two days", 172799.9, false, true, false},
        {"starting in quiet hours", 400000, true, true, false},
        {"with reactions off", 400000, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineScript script;
        script.settings.reactionsEnabled = c.reactions;
        script.settings.quietHours = {c.quietAtStart, 0, 0};
        script.returningAfter(c.absence).step();
        script.settings.quietHours.enabled = false;
        script.settings.reactionsEnabled = true;
        const CatPose staring = c.stares ? CatPose::stare : CatPose::idle;
        const CatPose greeting = c.stares ? CatPose::greet : CatPose::idle;
        EXPECT_EQ(script.runUntil(1002.9).scene().pose, staring);
        EXPECT_EQ(script.runUntil(1003).scene().pose, greeting);
        EXPECT_EQ(script.runUntil(1005.1).scene().pose, greeting);
        EXPECT_EQ(script.runUntil(1005.2).scene().pose, CatPose::idle);
    }

    EngineScript later;
    EXPECT_EQ(later.step().returningAfter(400000).step().scene().pose, CatPose::idle);
}

TEST(BehaviorEngineReactions, SixAppSwitchesWithin30SecondsMakeHerGroom) {
    struct Case {
        const char* name;
        std::vector<double> switches;
        bool grooms;
    };
    const Case cases[] = {
        {"six within 30 s", {1, 6, 11, 16, 21, 26}, true},
        {"five", {1, 6, 11, 16, 21}, false},
        {"six over more than 30 s", {1, 6, 11, 16, 21, 31.1}, false},
        {"the sixth within 30 s of the second", {1, 6, 11, 16, 21, 31.1, 32}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineScript script;
        for (const double at : c.switches) {
            script.runUntil(1000 + at - 0.1).switchApp(std::to_string(at)).step();
        }
        EXPECT_EQ(script.scene().pose == CatPose::groom, c.grooms);
        EXPECT_EQ(script.engine.state.appSwitchTimes.empty(), c.grooms)
            << "the list is emptied only when she grooms";
    }
}

TEST(BehaviorEngineReactions, AppSwitchesCountOnlyWhenSheMayReact) {
    EngineScript script;
    script.step().switchApp("Notes").step();
    ASSERT_EQ(script.engine.state.appSwitchTimes.size(), 1u);
    script.settings.reactionsEnabled = false;
    script.switchApp("Mail").step();
    EXPECT_TRUE(script.engine.state.appSwitchTimes.empty());

    // The bundle identifier names the app, whatever its title says.
    script.settings.reactionsEnabled = true;
    script.switchApp("Editor", "org.example.editor").step();
    script.switchApp("Editor - notes.txt", "org.example.editor").step();
    EXPECT_EQ(script.engine.state.appSwitchTimes.size(), 1u);
}

} // namespace
} // namespace purlo
