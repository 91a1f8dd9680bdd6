#include "tests/model/EngineScript.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::EngineScript;
using Kind = CompanionMessage::Kind;

// The pose holds for one step short of the length and is gone one step after it.
void expectHeldFor(EngineScript& script, CatPose pose, double seconds) {
    const double from = script.time();
    EXPECT_EQ(toString(script.runUntil(from + seconds - 0.1).pose), toString(pose));
    EXPECT_NE(toString(script.runUntil(from + seconds + 0.1).pose), toString(pose));
}

TEST(BehaviorEngineReactions, InteractionsHoldHerForTheirOwnTime) {
    struct Case {
        const char* name;
        CompanionInteraction interaction;
        CatPose pose;
        double seconds;
    };
    const Case cases[] = {
        {"put down after a drag", CompanionInteraction::dragEnded(), CatPose::purr, 0.5},
        {"petted", CompanionInteraction::pet(), CatPose::purr, 2.4},
        {"celebrating", CompanionInteraction::celebrate(), CatPose::celebrate, 2.4},
        {"stretching", CompanionInteraction::stretch(), CatPose::stretch, 7.5},
        {"a logged win", CompanionInteraction::confirmedCompletion({"one win today", Kind::happy}),
         CatPose::celebrate, 2.8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineScript script;
        script.step();
        script.interact(c.interaction);
        expectHeldFor(script, c.pose, c.seconds);
    }
}

TEST(BehaviorEngineReactions, ADragKeepsHerOnTheScreenUntilSheIsPutDown) {
    EngineScript script;
    script.interact(CompanionInteraction::dragBegan());
    EXPECT_EQ(script.interact(CompanionInteraction::dragMoved({300, 200})).position,
              (Point{300, 200}));
    EXPECT_EQ(script.interact(CompanionInteraction::dragMoved({-50, 5000})).position,
              (Point{8, 900 - 8 - 204}));
    EXPECT_EQ(script.runFor(5).pose, CatPose::drag) << "she hangs on until she is put down";
    script.interact(CompanionInteraction::dragEnded());
    EXPECT_EQ(script.engine.state.position, (Point{8, 688}));
}

TEST(BehaviorEngineReactions, ALoggedWinShowsItsOwnWordsAndSilencesAReminder) {
    EngineScript script;
    script.remind(ReminderEvent::fixedMessage("sip water?"));
    const CompanionScene& scene =
        script.interact(CompanionInteraction::confirmedCompletion({"3 wins today", Kind::happy}));
    EXPECT_EQ(scene.pose, CatPose::celebrate);
    EXPECT_EQ(scene.message, (CompanionMessage{"3 wins today", Kind::happy}));

    script.runFor(3);
    EXPECT_EQ(script.interact(CompanionInteraction::celebrate()).message,
              (CompanionMessage{"done!", Kind::happy}))
        << "a plain celebration forgets the win's words";
}

TEST(BehaviorEngineReactions, RemindersSpeakForFiveSeconds) {
    struct Case {
        ReminderEvent reminder;
        CompanionMessage shown;
    };
    const Case cases[] = {
        {ReminderEvent::fixedMessage("look far away?"), {"look far away?", Kind::soft}},
        {ReminderEvent::kindNudge("tiny step?"), {"tiny step?", Kind::happy}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown.text);
        EngineScript script;
        script.remind(c.reminder);
        const double from = script.time();
        EXPECT_EQ(script.scene().message, c.shown);
        EXPECT_EQ(script.runUntil(from + 4.9).message, c.shown);
        EXPECT_EQ(script.runUntil(from + 5.1).message, std::nullopt);
    }
}

TEST(BehaviorEngineReactions, AStretchReminderNeverCutsALongerStretchShort) {
    EngineScript script;
    script.remind(ReminderEvent::stretch());
    const double from = script.time();
    EXPECT_EQ(script.scene().message, (CompanionMessage{"stretch?", Kind::focus}));
    EXPECT_EQ(script.runUntil(from + 7.9).pose, CatPose::stretch);
    EXPECT_NE(script.runUntil(from + 8.1).pose, CatPose::stretch);

    script.engine.state.stretchUntil = script.time() + 30;
    script.remind(ReminderEvent::stretch());
    EXPECT_EQ(script.runFor(20).pose, CatPose::stretch);
}

TEST(BehaviorEngineReactions, PomodoroPhasesCelebrateAndCallBackToFocus) {
    EngineScript script;
    script.settings.phrasePack = PurloPhrasePack::focused;
    script.remind(ReminderEvent::fixedMessage("sip water?"));
    const CompanionScene& done = script.pomodoro(PomodoroEvent::focusCompleted(3));
    EXPECT_EQ(done.pose, CatPose::celebrate);
    EXPECT_EQ(done.message, (CompanionMessage{"session 3 complete", Kind::happy}));
    expectHeldFor(script, CatPose::celebrate, 2.8);

    script.pomodoro(PomodoroEvent::restCompleted(4));
    const double from = script.time();
    EXPECT_EQ(script.scene().message, (CompanionMessage{"focus 4", Kind::focus}));
    EXPECT_EQ(script.runUntil(from + 3.9).message, (CompanionMessage{"focus 4", Kind::focus}));
    EXPECT_EQ(script.runUntil(from + 4.1).message, std::nullopt);
}

TEST(BehaviorEngineReactions, AgentEventsHoldHerByKindWithTheirPhrase) {
    struct Case {
        AgentEventKind kind;
        CatMood mood;
        CatPose pose;
        CompanionMessage message;
        double hold;
    };
    const Case cases[] = {
        {AgentEventKind::started,
         CatMood::thinking,
         CatPose::think,
         {"Codex started", Kind::focus},
         60},
        {AgentEventKind::thinking,
         CatMood::thinking,
         CatPose::think,
         {"thinking too", Kind::focus},
         60},
        {AgentEventKind::waiting, CatMood::curious, CatPose::wait, {"your turn?", Kind::soft}, 45},
        {AgentEventKind::failed, CatMood::curious, CatPose::flop, {"needs help", Kind::alert}, 7},
        {AgentEventKind::completed,
         CatMood::celebrating,
         CatPose::celebrate,
         {"done!", Kind::happy},
         2.8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(toString(c.kind));
        EngineScript script;
        // The bridge keeps offering the same event: it is applied once, so it never
        // holds her longer than its kind's time.
        const CompanionScene& scene = script.agent(c.kind, " codex\n");
        EXPECT_EQ(scene.mood, c.mood);
        EXPECT_EQ(scene.message, c.message);
        expectHeldFor(script, c.pose, c.hold);
    }
}

TEST(BehaviorEngineReactions, AnEventsExpiryEndsItsHold) {
    EngineScript script;
    script.step();
    const double expiry = script.time() + 10;
    script.agent(AgentEventKind::thinking, "codex", expiry);
    EXPECT_EQ(script.runUntil(expiry - 0.1).pose, CatPose::think);
    EXPECT_EQ(script.runUntil(expiry + 0.1).pose, CatPose::idle);

    EngineScript expired;
    expired.step();
    expired.agent(AgentEventKind::thinking, "codex", expired.nextTime());
    EXPECT_EQ(expired.scene().pose, CatPose::idle) << "an expiry equal to the time is past";
    EXPECT_FALSE(expired.engine.state.lastAppliedAgentEvent);
}

TEST(BehaviorEngineReactions, StartedNamesTheSourceInThePacksWords) {
    EngineScript script;
    script.settings.phrasePack = PurloPhrasePack::playful;
    EXPECT_EQ(script.agent(AgentEventKind::started, "codex").message,
              (CompanionMessage{"Codex is moving", Kind::focus}));
    EXPECT_EQ(script.agent(AgentEventKind::started, "my-bot").message,
              (CompanionMessage{"Agent is moving", Kind::focus}));
}

TEST(BehaviorEngineReactions, ALongAgentRunEndsWithALongCelebration) {
    struct Case {
        const char* name;
        double firstEventAt;  // a thinking event; none when negative
        double secondEventAt; // a second thinking event; none when negative
        double completedAt;
        double celebration;
    };
    const Case cases[] = {
        {"five minutes", 0, -1, 300, 6.4},
        {"just short of five minutes", 0, -1, 299.9, 2.8},
        {"no run open", -1, -1, 300, 2.8},
        {"a gap of 30 minutes keeps the run", 0, 1800, 1810, 6.4},
        {"a gap of 31 minutes opens a new run", 0, 1860, 2100, 2.8},
        {"the new run is long in its own right", 0, 1860, 2160, 6.4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineScript script;
        const double from = script.nextTime();
        for (const double at : {c.firstEventAt, c.secondEventAt}) {
            if (at >= 0) {
                script.runUntil(from + at - 0.1);
                script.agent(AgentEventKind::thinking);
            }
        }
        script.runUntil(from + c.completedAt - 0.1);
        script.agent(AgentEventKind::completed);
        expectHeldFor(script, CatPose::celebrate, c.celebration);
    }
}

TEST(BehaviorEngineReactions, AFailedEventClosesTheRun) {
    EngineScript script;
    script.agent(AgentEventKind::thinking);
    script.runFor(400);
    script.agent(AgentEventKind::failed);
    script.runFor(10);
    script.agent(AgentEventKind::completed);
    expectHeldFor(script, CatPose::celebrate, 2.8);
}

TEST(BehaviorEngineReactions, AnEmptyAgentEventIsNoEvent) {
    EngineScript script;
    const CompanionScene& thinking = script.agent(AgentEventKind::thinking);
    ASSERT_EQ(thinking.pose, CatPose::think);
    const AgentEventSnapshot event = script.input.agentEvent;
    const double seen = script.time();

    script.input.agentEvent = AgentEventSnapshot::empty();
    EXPECT_EQ(script.runFor(5).pose, CatPose::think) << "an empty event ends no hold";
    EXPECT_EQ(script.engine.state.lastAppliedAgentEvent, event);
    EXPECT_EQ(script.engine.state.agentRunLastSeenAt, seen);

    // The same event offered again is still the one already applied: its hold is not
    // renewed.
    script.input.agentEvent = event;
    EXPECT_EQ(script.runUntil(seen + 59.9).pose, CatPose::think);
    EXPECT_EQ(script.runUntil(seen + 60.1).pose, CatPose::idle);
}

TEST(BehaviorEngineReactions, SwitchingTheBridgeOffEndsTheAgentsHoldAndCelebration) {
    EngineScript script;
    script.agent(AgentEventKind::thinking);
    script.settings.localAgentBridgeEnabled = false;
    EXPECT_EQ(script.step().pose, CatPose::idle);
    EXPECT_FALSE(script.engine.state.agentRunStartedAt);

    script.settings.localAgentBridgeEnabled = true;
    script.agent(AgentEventKind::completed);
    EXPECT_EQ(script.scene().pose, CatPose::celebrate);
    script.settings.localAgentBridgeEnabled = false;
    EXPECT_EQ(script.step().pose, CatPose::idle);

    script.interact(CompanionInteraction::celebrate());
    EXPECT_EQ(script.step().pose, CatPose::celebrate) << "her own celebration goes on";
    script.agent(AgentEventKind::waiting);
    EXPECT_EQ(script.runFor(3).pose, CatPose::idle) << "events are not applied while off";
}

TEST(BehaviorEngineReactions, PointerMovementCountsAsActivityWhenItMoved) {
    struct Case {
        double movedSecondsAgo;
        Size velocity;
        std::optional<double> activityAgo; // nothing: not seen as activity
    };
    const Case cases[] = {
        {2.5, {0, 0}, 2.5}, {2.6, {0, 0}, std::nullopt}, {-1, {0, 0}, std::nullopt},
        {9, {160, 0}, 0},   {9, {96, 128}, 0},           {9, {159, 0}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.movedSecondsAgo << " s ago at " << c.velocity.width
                                          << ", " << c.velocity.height);
        EngineScript script;
        script.runFor(10);
        script.input.pointer.lastMovementTime = script.nextTime() - c.movedSecondsAgo;
        script.input.pointer.velocity = c.velocity;
        script.step();
        const std::optional<double> last = script.engine.state.lastUserActivityTime;
        ASSERT_EQ(last.has_value(), c.activityAgo.has_value());
        if (last) {
            EXPECT_DOUBLE_EQ(script.time() - *last, *c.activityAgo);
        }
    }
}

TEST(BehaviorEngineReactions, WithReactionsOffOnlyTypingCountsAsActivity) {
    EngineScript script;
    script.settings.reactionsEnabled = false;
    script.wiggle();
    script.step();
    EXPECT_FALSE(script.engine.state.lastUserActivityTime);
    script.typeAt(1);
    script.step();
    EXPECT_EQ(script.engine.state.lastUserActivityTime, script.time());
}

TEST(BehaviorEngineReactions, SheWelcomesTheUserBack) {
    struct Case {
        const char* name;
        double away;
        double greeting;
        double purrUntil;
    };
    const Case cases[] = {
        {"after 3 minutes", 180, 0, 3},
        {"after 21 minutes", 1260, 2.2, 5.2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineScript script;
        script.wiggle();
        script.step();
        script.runFor(c.away);
        script.wiggle();
        script.step();
        const double back = script.time();
        if (c.greeting > 0) {
            EXPECT_EQ(script.scene().pose, CatPose::greet);
            EXPECT_EQ(script.scene().message, std::nullopt);
            EXPECT_EQ(script.runUntil(back + c.greeting - 0.1).pose, CatPose::greet);
            script.runUntil(back + c.greeting + 0.1);
        }
        EXPECT_EQ(script.scene().pose, CatPose::purr);
        EXPECT_EQ(script.scene().message, (CompanionMessage{"welcome back", Kind::happy}));
        EXPECT_EQ(script.runUntil(back + c.purrUntil - 0.1).pose, CatPose::purr);
        EXPECT_EQ(script.runUntil(back + c.purrUntil + 0.1).pose, CatPose::idle);
    }

    EngineScript shortBreak;
    shortBreak.wiggle();
    shortBreak.step();
    shortBreak.runFor(100);
    shortBreak.wiggle();
    EXPECT_EQ(shortBreak.step().pose, CatPose::idle) << "100 s is no absence";
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
        script.input.storedAbsenceSeconds = c.absence;
        script.settings.reactionsEnabled = c.reactions;
        script.settings.quietHours = {c.quietAtStart, 0, 0};
        script.step();
        const double from = script.time();
        script.settings.quietHours.enabled = false;
        script.settings.reactionsEnabled = true;
        if (!c.stares) {
            EXPECT_EQ(script.runFor(2).pose, CatPose::idle);
            continue;
        }
        EXPECT_EQ(script.scene().pose, CatPose::stare);
        EXPECT_EQ(script.runUntil(from + 2.9).pose, CatPose::stare);
        EXPECT_EQ(script.runUntil(from + 3.0).pose, CatPose::greet);
        EXPECT_EQ(script.runUntil(from + 5.1).pose, CatPose::greet);
        EXPECT_EQ(script.runUntil(from + 5.2).pose, CatPose::idle);
    }

    EngineScript later;
    later.step();
    later.input.storedAbsenceSeconds = 400000;
    EXPECT_EQ(later.step().pose, CatPose::idle) << "only the first step looks";
}

TEST(BehaviorEngineReactions, RapidAppSwitchingMakesHerGroom) {
    struct Case {
        const char* name;
        std::vector<double> switches; // seconds after the start
        bool grooms;
    };
    const Case cases[] = {
        {"six within 30 s", {1, 6, 11, 16, 21, 26}, true},
        {"five", {1, 6, 11, 16, 21}, false},
        {"six spread over more than 30 s", {1, 6, 11, 16, 21, 31.1}, false},
        {"the sixth within 30 s of the second", {1, 6, 11, 16, 21, 31.1, 32}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineScript script;
        script.step();
        const double from = script.time();
        for (std::size_t index = 0; index < c.switches.size(); ++index) {
            script.runUntil(from + c.switches[index] - 0.1);
            script.switchApp("app " + std::to_string(index));
            script.step();
        }
        EXPECT_EQ(script.scene().pose == CatPose::groom, c.grooms);
        EXPECT_EQ(script.engine.state.appSwitchTimes.empty(), c.grooms)
            << "the list is emptied only when she grooms";
    }
}

TEST(BehaviorEngineReactions, AppSwitchesCountOnlyWhenSheMayReact) {
    EngineScript script;
    script.step();
    script.switchApp("Notes");
    script.step();
    ASSERT_EQ(script.engine.state.appSwitchTimes.size(), 1u);
    script.settings.reactionsEnabled = false;
    script.switchApp("Mail");
    script.step();
    EXPECT_TRUE(script.engine.state.appSwitchTimes.empty());

    // The bundle identifier names the app; its title may change freely.
    script.settings.reactionsEnabled = true;
    script.switchApp("Editor", "org.example.editor");
    script.step();
    script.switchApp("Editor - notes.txt", "org.example.editor");
    script.step();
    EXPECT_EQ(script.engine.state.appSwitchTimes.size(), 1u);
}

} // namespace
} // namespace purlo
