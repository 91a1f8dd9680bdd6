#include "tests/model/EngineScript.h"

#include <cmath>
#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::EngineScript;
using Kind = CompanionMessage::Kind;

// Keeps the user visibly at work (the pointer moving) until the step at time has run.
const CompanionScene& busyUntil(EngineScript& script, double time) {
    while (script.nextTime() <= time + 1e-9) {
        script.wiggle();
        script.step();
    }
    return script.scene();
}

TEST(BehaviorEnginePlay, ZoomiesComeOnTheirOwnScheduleAndRunTheDash) {
    EngineScript script; // starts at 1000: the first run is due at 1000 + 9000 + 1000
    EXPECT_EQ(script.runUntil(10999.9).pose, CatPose::idle);
    EXPECT_EQ(script.runUntil(11000).pose, CatPose::zoomies);

    struct Look {
        double at;
        double eyes;
    };
    for (const Look look : {Look{11000.9, -1}, Look{11001, 1}, Look{11002.3, 1}, Look{11002.5, -1},
                            Look{11003.5, -1}}) {
        SCOPED_TRACE(look.at);
        const CompanionScene& scene = script.runUntil(look.at);
        EXPECT_EQ(scene.pose, CatPose::zoomies);
        EXPECT_EQ(scene.mood, CatMood::hunting);
        EXPECT_EQ(scene.eyeOffset, (Size{look.eyes, 0}));
    }
    EXPECT_EQ(script.runUntil(11003.6).pose, CatPose::idle);
    EXPECT_DOUBLE_EQ(script.engine.state.nextZoomiesAt, 11000 + 3.6 + 9000 + 3800);
}

TEST(BehaviorEnginePlay, ATouchEndsAZoomiesRunForGood) {
    for (const CompanionInteraction& touch :
         {CompanionInteraction::pet(), CompanionInteraction::dragBegan()}) {
        SCOPED_TRACE(static_cast<int>(touch.kind));
        EngineScript script;
        script.engine.state.nextZoomiesAt = 1000;
        ASSERT_EQ(script.step().pose, CatPose::zoomies);
        script.interact(touch);
        EXPECT_EQ(script.engine.state.zoomiesUntil, 0);
        script.interact(CompanionInteraction::dragEnded());
        EXPECT_NE(script.runUntil(1003).pose, CatPose::zoomies);
    }
}

TEST(BehaviorEnginePlay, FunnyFacesComeWhileTheUserIsAround) {
    EngineScript script; // the first face is due about 5738.4 s after the start
    EXPECT_EQ(busyUntil(script, 6738.3).pose, CatPose::idle);
    const CompanionScene& face = busyUntil(script, 6738.4);
    EXPECT_EQ(face.pose, CatPose::crossEyed);
    EXPECT_EQ(face.mood, CatMood::idle);
    const double started = script.time();
    EXPECT_EQ(busyUntil(script, 6740.7).pose, CatPose::crossEyed);
    EXPECT_EQ(busyUntil(script, 6740.8).pose, CatPose::idle);
    EXPECT_GT(script.engine.state.nextFunnyFaceAt, started + 2.4 + 5400);
    EXPECT_LT(script.engine.state.nextFunnyFaceAt, started + 2.4 + 5400 + 7200);
}

TEST(BehaviorEnginePlay, WhichFunnyFaceFollowsTheTime) {
    struct Case {
        double at;
        CatPose face;
    };
    for (const Case c : {Case{1000.1, CatPose::blep}, Case{1000.2, CatPose::crossEyed},
                         Case{1000.4, CatPose::blep}, Case{1000.5, CatPose::crossEyed}}) {
        SCOPED_TRACE(c.at);
        EngineScript script;
        script.engine.state.nextFunnyFaceAt = c.at;
        script.wiggle();
        script.step();
        script.wiggle();
        EXPECT_EQ(script.runUntil(c.at).pose, c.face);
    }
}

TEST(BehaviorEnginePlay, NoFunnyFaceWhenTheUserHasGoneOrReactionsAreOff) {
    EngineScript gone;
    gone.engine.state.nextFunnyFaceAt = 1000;
    EXPECT_EQ(gone.step().pose, CatPose::idle);

    EngineScript off;
    off.settings.reactionsEnabled = false;
    off.engine.state.nextFunnyFaceAt = 1000;
    off.typeAt(1);
    off.step();
    off.stopTyping();
    EXPECT_EQ(off.step().pose, CatPose::idle);
}

TEST(BehaviorEnginePlay, AButterflyVisitPlaysOutOnItsTimetable) {
    EngineScript script;
    script.engine.state.nextButterflyAt = 1000;
    script.wiggle();
    const CompanionScene& arrival = script.step();
    ASSERT_TRUE(arrival.butterflyPosition);
    // Her head is at the stage's middle, so it enters from the right, beyond the edge.
    EXPECT_DOUBLE_EQ(arrival.butterflyPosition->x, 1440 + 48);
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
        const CompanionScene& scene = busyUntil(script, phase.at);
        EXPECT_EQ(scene.mood, phase.mood);
        EXPECT_EQ(scene.pose, phase.pose);
        ASSERT_TRUE(scene.butterflyPosition);
        EXPECT_EQ(*scene.butterflyPosition,
                  PurloBehaviorEngine::butterflyPoint(script.time() - 1000, script.head(),
                                                      EngineScript::screen));
    }
    EXPECT_FALSE(busyUntil(script, 1012).butterflyPosition);
    EXPECT_DOUBLE_EQ(script.engine.state.nextButterflyAt,
                     1000 + 12 + 11520 + 12240 * std::fmod(1000 * 5.13, 1.0));
}

TEST(BehaviorEnginePlay, TheFirstButterflyComesHoursAfterTheStart) {
    EngineScript script;
    script.step();
    EXPECT_DOUBLE_EQ(script.engine.state.nextButterflyAt,
                     1000 + 11520 + 12240 * std::fmod(1009.1 * 5.13, 1.0));
    EXPECT_DOUBLE_EQ(script.engine.state.nextFunnyFaceAt,
                     1000 + 5400 + 7200 * std::fmod(1003.7 * 7.31, 1.0));
    EXPECT_DOUBLE_EQ(script.engine.state.nextZoomiesAt, 11000);
}

TEST(BehaviorEnginePlay, AButterflyWaitsForSomeoneToWatch) {
    EngineScript nobody;
    nobody.engine.state.nextButterflyAt = 1000;
    EXPECT_FALSE(nobody.step().butterflyPosition) << "free range: only while the user is around";

    EngineScript away;
    away.settings.companionMovementMode = CompanionMovementMode::roamWhenAway;
    away.engine.state.nextButterflyAt = 1000;
    away.input.secondsSinceAnyInput = 600;
    EXPECT_TRUE(away.step().butterflyPosition) << "roaming while away needs no audience";
}

TEST(BehaviorEnginePlay, AnInterruptedButterflyVisitIsOver) {
    EngineScript script;
    script.engine.state.nextButterflyAt = 1000;
    script.wiggle();
    ASSERT_TRUE(script.step().butterflyPosition);
    EXPECT_FALSE(script.interact(CompanionInteraction::pet()).butterflyPosition);
    EXPECT_EQ(script.engine.state.butterflyUntil, 0);
    EXPECT_FALSE(busyUntil(script, 1003).butterflyPosition);
}

TEST(BehaviorEnginePlay, StayingPutPostponesZoomiesAndButterfliesButNotFunnyFaces) {
    EngineScript script;
    script.settings.companionMovementMode = CompanionMovementMode::stayPut;
    script.engine.state.nextZoomiesAt = 1000;
    script.engine.state.nextButterflyAt = 1000;
    script.engine.state.nextFunnyFaceAt = 1000;
    script.wiggle();
    const CompanionScene& scene = script.step();
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
        std::optional<double> idleSeconds;
        bool reduceMotion;
        bool reactions;
        bool roams;
    };
    const auto roamWhenAway = CompanionMovementMode::roamWhenAway;
    const auto freeRange = CompanionMovementMode::freeRange;
    const Case cases[] = {
        {"free range", freeRange, std::nullopt, false, true, true},
        {"free range with reduced motion", freeRange, std::nullopt, true, true, false},
        {"free range with reactions off", freeRange, std::nullopt, false, false, false},
        {"away for exactly 180 s", roamWhenAway, 180, false, true, true},
        {"away for 179.9 s", roamWhenAway, 179.9, false, true, false},
        {"absence unknown", roamWhenAway, std::nullopt, false, true, false},
        {"stay put", CompanionMovementMode::stayPut, 600, false, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineScript script;
        script.settings.companionMovementMode = c.mode;
        script.settings.reactionsEnabled = c.reactions;
        script.input.reduceMotionActive = c.reduceMotion;
        script.input.secondsSinceAnyInput = c.idleSeconds;
        script.engine.state.nextZoomiesAt = 1000;
        EXPECT_EQ(script.step().pose == CatPose::zoomies, c.roams);
    }
}

TEST(BehaviorEnginePlay, TheShorterOfTheTwoAbsencesDecidesWhetherSheRoamsWhileAway) {
    struct Case {
        double seenSecondsAgo;
        std::optional<double> idleSeconds;
        bool roams;
    };
    for (const Case c : {Case{200, std::nullopt, true}, Case{200, 10, false}, Case{10, 600, false},
                         Case{600, 600, true}}) {
        SCOPED_TRACE(c.seenSecondsAgo);
        EngineScript script;
        script.settings.companionMovementMode = CompanionMovementMode::roamWhenAway;
        script.wiggle();
        script.step();
        script.runUntil(1000 + c.seenSecondsAgo - 0.1);
        script.input.secondsSinceAnyInput = c.idleSeconds;
        script.engine.state.nextZoomiesAt = script.nextTime();
        EXPECT_EQ(script.step().pose == CatPose::zoomies, c.roams);
    }
}

TEST(BehaviorEnginePlay, SheYawnsOnceAboutHalfAnHourBeforeQuietHours) {
    struct Case {
        const char* name;
        std::int64_t startHour;
        std::int64_t endHour;
        std::int64_t minute;
        bool yawns;
    };
    const Case cases[] = {
        {"21:24", 22, 7, 21 * 60 + 24, false},
        {"21:25", 22, 7, 21 * 60 + 25, true},
        {"21:34", 22, 7, 21 * 60 + 34, true},
        {"21:35", 22, 7, 21 * 60 + 35, false},
        {"before midnight quiet hours, 23:25", 0, 7, 23 * 60 + 25, true},
        // Hours out of range act as the quiet-hours test reads them: 30 as 23, -3 as 0.
        {"start hour 30 acts as 23", 30, 5, 22 * 60 + 25, true},
        {"start hour 30 never yawns for 06:00", 30, 5, 5 * 60 + 30, false},
        {"start hour -3 acts as 0", -3, 7, 23 * 60 + 25, true},
        {"start hour -3 never yawns for 21:00", -3, 7, 20 * 60 + 30, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineScript script;
        script.settings.quietHours = {true, c.startHour, c.endHour};
        script.input.localMinuteOfDay = c.minute;
        EXPECT_EQ(script.step().pose == CatPose::yawn, c.yawns);
    }
}

TEST(BehaviorEnginePlay, TheYawnTakesTwoAndAHalfSecondsAndLatchesUntilTheWindowPasses) {
    EngineScript script;
    script.settings.quietHours.enabled = true;
    script.input.localMinuteOfDay = 21 * 60 + 25;
    const CompanionScene& first = script.step();
    EXPECT_EQ(first.pose, CatPose::yawn);
    EXPECT_EQ(first.eyeOffset, (Size{0, 0}));
    EXPECT_DOUBLE_EQ(first.yawnProgress, 0);
    EXPECT_NEAR(script.runUntil(1001.3).yawnProgress, 0.5, 1e-9);
    EXPECT_EQ(script.runUntil(1002.5).pose, CatPose::yawn);
    EXPECT_EQ(script.runUntil(1002.6).pose, CatPose::idle);
    EXPECT_EQ(script.scene().yawnProgress, 0);

    script.input.localMinuteOfDay = 21 * 60 + 30;
    EXPECT_NE(script.runFor(60).pose, CatPose::yawn) << "once per window";
    script.input.localMinuteOfDay = 21 * 60 + 40;
    script.step();
    script.input.localMinuteOfDay = 21 * 60 + 26;
    EXPECT_EQ(script.step().pose, CatPose::yawn) << "the window passed and came again";
}

TEST(BehaviorEnginePlay, NoYawnWithoutQuietHoursOrReactions) {
    for (const bool quietHours : {false, true}) {
        EngineScript script;
        script.settings.quietHours.enabled = quietHours;
        script.settings.reactionsEnabled = !quietHours;
        script.input.localMinuteOfDay = 21 * 60 + 30;
        EXPECT_NE(script.step().pose, CatPose::yawn);
    }
}

TEST(BehaviorEnginePlay, EnteringQuietHoursWipesWhatWasGoingOn) {
    EngineScript script;
    script.settings.quietHours = {true, 22, 7};
    script.input.localMinuteOfDay = 22 * 60 - 1;
    script.agent(AgentEventKind::thinking);
    script.interact(CompanionInteraction::stretch());
    script.remind(ReminderEvent::fixedMessage("sip water?"));
    script.wiggle();
    script.step();
    const std::optional<double> seen = script.engine.state.lastUserActivityTime;
    ASSERT_TRUE(seen);

    script.input.localMinuteOfDay = 22 * 60;
    const CompanionScene& quiet = script.step();
    EXPECT_EQ(quiet.pose, CatPose::idle);
    EXPECT_EQ(quiet.message, std::nullopt);
    EXPECT_EQ(quiet.eyeOffset, (Size{0, 0}));
    EXPECT_EQ(script.engine.state.lastUserActivityTime, seen) << "she remembers the user";
    EXPECT_FALSE(script.engine.state.agentRunStartedAt) << "the agent's run ends";
}

TEST(BehaviorEnginePlay, QuietHoursApplyNothingThatHappens) {
    EngineScript script;
    script.settings.quietHours = {true, 0, 0};
    script.remind(ReminderEvent::fixedMessage("sip water?"));
    script.pomodoro(PomodoroEvent::focusCompleted(1));
    script.typeAt(8);
    const CompanionScene& scene = script.step();
    EXPECT_EQ(scene.pose, CatPose::idle);
    EXPECT_EQ(scene.message, std::nullopt);
    EXPECT_FALSE(script.engine.state.lastUserActivityTime);
}

TEST(BehaviorEnginePlay, AnAgentEventFromQuietHoursIsNotPlayedAfterThem) {
    EngineScript script;
    script.settings.quietHours = {true, 22, 7};
    script.input.localMinuteOfDay = 23 * 60;
    script.agent(AgentEventKind::thinking);
    script.runFor(1);

    script.input.localMinuteOfDay = 7 * 60;
    EXPECT_EQ(script.runFor(1).pose, CatPose::idle) << "still the bridge's current event";
    EXPECT_EQ(script.agent(AgentEventKind::waiting).pose, CatPose::wait);
}

TEST(BehaviorEnginePlay, ANapWipesEveryStepAndPutsOffADueZoomiesRun) {
    EngineScript script;
    script.input.napActive = true;
    script.interact(CompanionInteraction::stretch());
    script.remind(ReminderEvent::fixedMessage("sip water?"));
    script.engine.state.nextZoomiesAt = script.nextTime();
    const CompanionScene& asleep = script.step();
    EXPECT_EQ(asleep.pose, CatPose::sleep);
    EXPECT_EQ(asleep.message, std::nullopt);
    EXPECT_EQ(asleep.eyeOffset, (Size{0, 0}));
    EXPECT_NEAR(script.engine.state.nextZoomiesAt, 1000.2 + 9000 + 1000.2, 1e-6);

    script.input.napActive = false;
    EXPECT_EQ(script.step().pose, CatPose::idle) << "she wakes with nothing left over";
}

} // namespace
} // namespace purlo
