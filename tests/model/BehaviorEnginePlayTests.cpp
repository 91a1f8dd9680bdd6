#include "tests/model/EngineScript.h"

#include <cmath>
#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::EngineScript;
using State = BehaviorEngineState;

TEST(BehaviorEnginePlay, ZoomiesComeOnTheirOwnScheduleAndTurnHerEyesWithTheDash) {
    EngineScript script; // starts at 1000: the first run is due at 1000 + 9000 + 1000
    EXPECT_EQ(script.runUntil(10999.9).scene().pose, CatPose::idle);
    struct Look {
        double at;
        double eyes;
    };
    for (const Look look : {Look{11000, -1}, Look{11000.9, -1}, Look{11001, 1}, Look{11002.3, 1},
                            Look{11002.5, -1}, Look{11003.5, -1}}) {
        SCOPED_TRACE(look.at);
        const CompanionScene& scene = script.runUntil(look.at).scene();
        EXPECT_EQ(scene.pose, CatPose::zoomies);
        EXPECT_EQ(scene.mood, CatMood::hunting);
        EXPECT_EQ(scene.eyeOffset, (Size{look.eyes, 0}));
    }
    EXPECT_EQ(script.runUntil(11003.6).scene().pose, CatPose::idle);
    EXPECT_DOUBLE_EQ(script.engine.state.nextZoomiesAt, 11000 + 3.6 + 9000 + 3800);
}

TEST(BehaviorEnginePlay, ATouchEndsAZoomiesRunForGood) {
    for (const CompanionInteraction& touch :
         {CompanionInteraction::pet(), CompanionInteraction::dragBegan()}) {
        EngineScript script;
        ASSERT_EQ(script.due(&State::nextZoomiesAt).step().scene().pose, CatPose::zoomies);
        script.interact(touch).interact(CompanionInteraction::dragEnded());
        EXPECT_EQ(script.engine.state.zoomiesUntil, 0);
        EXPECT_NE(script.runUntil(1003).scene().pose, CatPose::zoomies);
    }
}

TEST(BehaviorEnginePlay, FunnyFacesComeOnTheirOwnScheduleWhileTheUserIsAround) {
    EngineScript script; // the first face is due 5738.4 s after the start
    EXPECT_EQ(script.busyUntil(6738.3).scene().pose, CatPose::idle);
    EXPECT_EQ(script.busyUntil(6738.4).scene().pose, CatPose::crossEyed);
    EXPECT_EQ(script.busyUntil(6740.7).scene().pose, CatPose::crossEyed);
    EXPECT_EQ(script.busyUntil(6740.8).scene().pose, CatPose::idle);
    EXPECT_NEAR(script.engine.state.nextFunnyFaceAt,
                6738.4 + 2.4 + 5400 + 7200 * std::fmod(6738.4 * 7.31, 1.0), 1e-6);

    struct Case {
        double at;
        CatPose face;
    };
    for (const Case c : {Case{1000.1, CatPose::blep}, Case{1000.2, CatPose::crossEyed},
                         Case{1000.4, CatPose::blep}, Case{1000.5, CatPose::crossEyed}}) {
        SCOPED_TRACE(c.at);
        EngineScript other;
        other.engine.state.nextFunnyFaceAt = c.at;
        EXPECT_EQ(other.busyUntil(c.at).scene().pose, c.face);
    }
}

TEST(BehaviorEnginePlay, AButterflyVisitPlaysOutOnItsTimetable) {
    EngineScript script;
    const CompanionScene& arrival = script.due(&State::nextButterflyAt).busyUntil(1000).scene();
    ASSERT_TRUE(arrival.butterflyPosition);
    EXPECT_DOUBLE_EQ(arrival.butterflyPosition->x, 1440 + 48) << "her head is at the middle";
    EXPECT_EQ(arrival.eyeOffset, (Size{1, -0.5}));
    EXPECT_EQ(script.engine.state.butterflyStage, EngineScript::screen);

    struct Phase {
        double at;
        CatMood mood;
        CatPose pose;
    };
    for (const Phase phase : {Phase{1003.3, CatMood::curious, CatPose::wait},
                              Phase{1003.5, CatMood::hunting, CatPose::crouch},
                              Phase{1005.8, CatMood::hunting, CatPose::crouch},
                              Phase{1005.9, CatMood::hunting, CatPose::swat},
                              Phase{1006.7, CatMood::hunting, CatPose::swat},
                              Phase{1006.8, CatMood::curious, CatPose::wait},
                              Phase{1009.5, CatMood::curious, CatPose::wait},
                              Phase{1009.7, CatMood::curious, CatPose::groom},
                              Phase{1011.9, CatMood::curious, CatPose::groom}}) {
        SCOPED_TRACE(phase.at);
        const CompanionScene& scene = script.busyUntil(phase.at).scene();
        EXPECT_EQ(scene.mood, phase.mood);
        EXPECT_EQ(scene.pose, phase.pose);
        EXPECT_EQ(scene.butterflyPosition,
                  PurloBehaviorEngine::butterflyPoint(script.time() - 1000, script.head(),
                                                      EngineScript::screen));
    }
    EXPECT_FALSE(script.busyUntil(1012).scene().butterflyPosition);
    EXPECT_DOUBLE_EQ(script.engine.state.nextButterflyAt,
                     1000 + 12 + 11520 + 12240 * std::fmod(1000 * 5.13, 1.0));
}

TEST(BehaviorEnginePlay, AButterflyComesOnlyWhenSomeoneMayWatch) {
    EngineScript nobody;
    EXPECT_FALSE(nobody.due(&State::nextButterflyAt).step().scene().butterflyPosition)
        << "free range: only while the user is around";

    EngineScript away;
    away.settings.companionMovementMode = CompanionMovementMode::roamWhenAway;
    away.input.secondsSinceAnyInput = 600;
    EXPECT_TRUE(away.due(&State::nextButterflyAt).step().scene().butterflyPosition)
        << "roaming while away needs no audience";
}

TEST(BehaviorEnginePlay, AnInterruptedButterflyVisitIsOver) {
    EngineScript script;
    ASSERT_TRUE(script.due(&State::nextButterflyAt).busyUntil(1000).scene().butterflyPosition);
    EXPECT_FALSE(script.interact(CompanionInteraction::pet()).scene().butterflyPosition);
    EXPECT_EQ(script.engine.state.butterflyUntil, 0);
    EXPECT_FALSE(script.busyUntil(1003).scene().butterflyPosition);
}

TEST(BehaviorEnginePlay, StayingPutPutsOffZoomiesAndButterfliesButNotFunnyFaces) {
    EngineScript script;
    script.settings.companionMovementMode = CompanionMovementMode::stayPut;
    script.due(&State::nextZoomiesAt).due(&State::nextButterflyAt).due(&State::nextFunnyFaceAt);
    const CompanionScene& scene = script.busyUntil(1000).scene();
    EXPECT_EQ(scene.pose, CatPose::blep);
    EXPECT_FALSE(scene.butterflyPosition);
    EXPECT_DOUBLE_EQ(script.engine.state.nextZoomiesAt, 1000 + 9000 + 1000);
    EXPECT_DOUBLE_EQ(script.engine.state.nextButterflyAt,
                     1000 + 11520 + 12240 * std::fmod(1009.1 * 5.13, 1.0));
}

TEST(BehaviorEnginePlay, SheRoamsOnlyWhenHerMovementModeAndTheMomentAllow) {
    struct Case {
        const char* name;
        CompanionMovementMode mode;
        std::optional<double> seenSecondsAgo; // by the engine
        std::optional<double> idleSeconds;    // by the system
        bool reduceMotion;
        bool reactions;
        bool roams;
    };
    using enum CompanionMovementMode;
    const auto unknown = std::nullopt;
    const Case cases[] = {
        {"free range", freeRange, unknown, unknown, false, true, true},
        {"reduced motion", freeRange, unknown, unknown, true, true, false},
        {"reactions off", freeRange, unknown, unknown, false, false, false},
        {"idle for exactly 180 s", roamWhenAway, unknown, 180, false, true, true},
        {"idle for 179.9 s", roamWhenAway, unknown, 179.9, false, true, false},
        {"absence unknown", roamWhenAway, unknown, unknown, false, true, false},
        {"seen 200 s ago", roamWhenAway, 200, unknown, false, true, true},
        {"seen 200 s ago, idle 10 s", roamWhenAway, 200, 10, false, true, false},
        {"seen 10 s ago, idle 600 s", roamWhenAway, 10, 600, false, true, false},
        {"stay put", stayPut, unknown, 600, false, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineScript script;
        script.settings.companionMovementMode = c.mode;
        script.settings.reactionsEnabled = c.reactions;
        if (c.seenSecondsAgo) {
            script.wiggle().runUntil(1000 + *c.seenSecondsAgo - 0.1);
        }
        script.input.reduceMotionActive = c.reduceMotion;
        script.input.secondsSinceAnyInput = c.idleSeconds;
        EXPECT_EQ(script.due(&State::nextZoomiesAt).step().scene().pose == CatPose::zoomies,
                  c.roams);
    }
}

TEST(BehaviorEnginePlay, SheYawnsOnceAboutHalfAnHourBeforeQuietHours) {
    struct Case {
        const char* name;
        QuietHoursSchedule quietHours;
        bool reactions;
        std::int64_t minute;
        bool yawns;
    };
    const Case cases[] = {
        {"21:24", {true, 22, 7}, true, 21 * 60 + 24, false},
        {"21:25", {true, 22, 7}, true, 21 * 60 + 25, true},
        {"21:34", {true, 22, 7}, true, 21 * 60 + 34, true},
        {"21:35", {true, 22, 7}, true, 21 * 60 + 35, false},
        {"23:25 before midnight", {true, 0, 7}, true, 23 * 60 + 25, true},
        {"quiet hours off", {false, 22, 7}, true, 21 * 60 + 30, false},
        {"reactions off", {true, 22, 7}, false, 21 * 60 + 30, false},
        // Hours out of range act as the quiet-hours test reads them: 30 as 23, -3 as 0.
        {"start hour 30 at 22:25", {true, 30, 5}, true, 22 * 60 + 25, true},
        {"start hour 30 at 05:30", {true, 30, 5}, true, 5 * 60 + 30, false},
        {"start hour -3 at 23:25", {true, -3, 7}, true, 23 * 60 + 25, true},
        {"start hour -3 at 20:30", {true, -3, 7}, true, 20 * 60 + 30, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineScript script;
        script.settings.quietHours = c.quietHours;
        script.settings.reactionsEnabled = c.reactions;
        script.input.localMinuteOfDay = c.minute;
        EXPECT_EQ(script.step().scene().pose == CatPose::yawn, c.yawns);
    }
}

TEST(BehaviorEnginePlay, TheYawnTakesTwoAndAHalfSecondsAndLatchesUntilTheWindowPasses) {
    EngineScript script;
    script.settings.quietHours.enabled = true;
    script.input.localMinuteOfDay = 21 * 60 + 25;
    EXPECT_EQ(script.step().scene().eyeOffset, (Size{0, 0}));
    EXPECT_NEAR(script.runUntil(1001.3).scene().yawnProgress, 0.5, 1e-9);
    EXPECT_EQ(script.runUntil(1002.5).scene().pose, CatPose::yawn);
    EXPECT_EQ(script.runUntil(1002.6).scene().pose, CatPose::idle);
    EXPECT_EQ(script.scene().yawnProgress, 0);

    script.input.localMinuteOfDay = 21 * 60 + 30;
    EXPECT_NE(script.runFor(60).scene().pose, CatPose::yawn) << "once per window";
    script.input.localMinuteOfDay = 21 * 60 + 40;
    script.step().input.localMinuteOfDay = 21 * 60 + 26;
    EXPECT_EQ(script.step().scene().pose, CatPose::yawn) << "the window passed and came again";
}

TEST(BehaviorEnginePlay, EnteringQuietHoursWipesWhatWasGoingOnButNotTheUser) {
    EngineScript script;
    script.settings.quietHours = {true, 22, 7};
    script.input.localMinuteOfDay = 22 * 60 - 1;
    script.agent(AgentEventKind::thinking).interact(CompanionInteraction::stretch());
    script.remind(ReminderEvent::fixedMessage("sip water?")).wiggle().step();
    const std::optional<double> seen = script.engine.state.lastUserActivityTime;

    script.input.localMinuteOfDay = 22 * 60;
    const CompanionScene& quiet = script.step().scene();
    EXPECT_EQ(quiet.pose, CatPose::idle);
    EXPECT_EQ(quiet.message, std::nullopt);
    EXPECT_EQ(script.engine.state.lastUserActivityTime, seen);
    EXPECT_FALSE(script.engine.state.agentRunStartedAt) << "the agent's run ends";

    // Nothing that happens in quiet hours is applied.
    script.remind(ReminderEvent::kindNudge("tiny step?"));
    script.pomodoro(PomodoroEvent::focusCompleted(1)).typeAt(8).step();
    EXPECT_EQ(script.scene().pose, CatPose::idle);
    EXPECT_EQ(script.scene().message, std::nullopt);
    EXPECT_EQ(script.engine.state.lastUserActivityTime, seen);
}

TEST(BehaviorEnginePlay, AnAgentEventFromQuietHoursIsNotPlayedAfterThem) {
    EngineScript script;
    script.settings.quietHours = {true, 22, 7};
    script.input.localMinuteOfDay = 23 * 60;
    script.agent(AgentEventKind::thinking).runFor(1);
    script.input.localMinuteOfDay = 7 * 60;
    EXPECT_EQ(script.runFor(1).scene().pose, CatPose::idle) << "still the bridge's event";
    EXPECT_EQ(script.agent(AgentEventKind::waiting).scene().pose, CatPose::wait);
}

TEST(BehaviorEnginePlay, ANapWipesEveryStepAndPutsOffADueZoomiesRun) {
    EngineScript script;
    script.napping().interact(CompanionInteraction::stretch());
    script.remind(ReminderEvent::fixedMessage("sip water?"));
    const CompanionScene& asleep = script.due(&State::nextZoomiesAt).step().scene();
    EXPECT_EQ(asleep.pose, CatPose::sleep);
    EXPECT_EQ(asleep.message, std::nullopt);
    EXPECT_EQ(asleep.eyeOffset, (Size{0, 0}));
    EXPECT_NEAR(script.engine.state.nextZoomiesAt, 1000.2 + 9000 + 1000.2, 1e-6);
    EXPECT_EQ(script.napping(false).step().scene().pose, CatPose::idle)
        << "she wakes with nothing left over";
}

} // namespace
} // namespace purlo
