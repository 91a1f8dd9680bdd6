#include "tests/model/EngineScript.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace purlo {
namespace {

using namespace testing;
using S = EngineScript;
using enum CompanionMessage::Kind;
constexpr QuietHoursSchedule evenings{true, 22, 7};
constexpr Size fast{1300, 0};

Point besideHer(const S& s) {
    return {s.head().x + 60, s.head().y};
}

S& slipAway(S& s) { // the pointer settles beside her head for 10 s, then darts off
    return s.movePointer(besideHer(s)).runFor(10.1).movePointer({200, 700}).step();
}

TEST(BehaviorEngineCascade, EachRowChoosesItsMoodPoseScaleAndBubble) {
    using enum CatMood;
    const std::nullopt_t none = std::nullopt;
    const M mochi{"mochi", soft}, purr{"purr", happy}, stretch{"stretch?", focus},
        done{"done!", happy}, welcome{"welcome back", happy}, tapping{"tap tap tap", alert},
        coding{"working with you", focus}, hunt{"hunt", happy};
    const std::tuple<void (*)(S&), CatMood, CatPose, double, std::optional<M>> rows[] = {
        {[](S& s) { s.interact(I::dragBegan()); }, dragged, P::drag, 1.08, mochi},
        {[](S& s) { s.interact(I::pet()); }, purring, P::purr, 1, purr},
        {[](S& s) { s.napping().step(); }, sleeping, P::sleep, 0.98, none},
        {[](S& s) { s.interact(I::stretch()); }, stretching, P::stretch, 1.16, stretch},
        {[](S& s) { s.interact(I::celebrate()); }, celebrating, P::celebrate, 1.04, done},
        {[](S& s) { s.agent(A::thinking); }, thinking, P::think, 1, M{"thinking too", focus}},
        {[](S& s) { s.returningAfter(172800).step(); }, purring, P::stare, 1, none},
        {[](S& s) { s.returningAfter(172800).runFor(3.1); }, purring, P::greet, 1, none},
        {[](S& s) { s.wiggle().runFor(180.1).wiggle().step(); }, purring, P::purr, 1, welcome},
        {[](S& s) { s.typeAt(2).step().switchApp("Notes").step(); }, curious, P::wait, 1, none},
        {[](S& s) {
             for (const char* app : {"Unknown", "A", "B", "C", "D", "E", "F"}) {
                 s.switchApp(app).step();
             }
         },
         curious, P::groom, 1, none},
        {[](S& s) { s.typeAt(6.5).step(); }, overheated, P::typing, 1.02, tapping},
        {[](S& s) { s.switchApp("Terminal").typeAt(2).step(); }, typing, P::typing, 1, coding},
        {[](S& s) { s.switchApp("Safari", "com.apple.Safari").typeAt(2).step(); }, typing,
         P::typing, 1, none},
        {[](S& s) { s.typeAt(2).runFor(1500.1).stopTyping().step(); }, typing, P::loaf, 1, none},
        {[](S& s) { s.typeAt(7).step().stopTyping().step(); }, curious, P::hesitate, 1, none},
        {[](S& s) { s.due(&State::nextZoomiesAt).runFor(2); }, hunting, P::zoomies, 1, none},
        {[](S& s) { s.due(&State::nextButterflyAt).busyUntil(1000); }, curious, P::wait, 1, none},
        {[](S& s) { slipAway(s); }, hunting, P::crouch, 1, none},
        {[](S& s) { slipAway(s).runFor(0.8); }, stretching, P::stretch, 1, none},
        {[](S& s) { s.movePointer(besideHer(s), fast).step(); }, hunting, P::hunt, 1, hunt},
        {[](S& s) { s.quietHours(evenings).atMinute(1290).step(); }, idle, P::yawn, 1, none},
        {[](S& s) { s.due(&State::nextFunnyFaceAt).busyUntil(1000); }, idle, P::blep, 1, none},
        {[](S& s) { s.wiggle().runFor(120.2); }, sleeping, P::sleep, 0.98, none},
        {[](S& s) { s.step(); }, idle, P::idle, 1, none}};
    for (const auto& [play, mood, pose, scale, message] : rows) {
        SCOPED_TRACE(toString(pose));
        S script;
        play(script);
        EXPECT_EQ(toString(script.scene().mood), toString(mood));
        EXPECT_EQ(toString(script.scene().pose), toString(pose));
        EXPECT_DOUBLE_EQ(script.scene().scale, scale);
        EXPECT_EQ(script.scene().message, message);
    }
}

TEST(BehaviorEngineCascade, HigherRowsWin) {
    const std::tuple<const char*, void (*)(S&), CatPose> cases[] = {
        {"drag over nap", [](S& s) { s.napping().interact(I::dragBegan()); }, P::drag},
        {"pet over nap", [](S& s) { s.napping().interact(I::pet()); }, P::purr},
        {"nap over stretch", [](S& s) { s.napping().interact(I::stretch()); }, P::sleep},
        {"nap over celebration", [](S& s) { s.interact(I::celebrate()).napping().step(); },
         P::sleep},
        {"nap over agent", [](S& s) { s.napping().agent(A::thinking); }, P::sleep},
        {"celebration over agent", [](S& s) { s.agent(A::thinking).interact(I::celebrate()); },
         P::celebrate},
        {"agent over typing", [](S& s) { s.agent(A::thinking).typeAt(7).step(); }, P::think},
        {"typing over zoomies", [](S& s) { s.due(&State::nextZoomiesAt).typeAt(2).step(); },
         P::typing}};
    for (const auto& [name, play, winner] : cases) {
        S script;
        play(script);
        EXPECT_EQ(toString(script.scene().pose), toString(winner)) << name;
    }
    S dragged, dozing; // a fixed message speaks over every row
    dragged.interact(I::dragBegan());
    dozing.wiggle().runFor(121);
    for (S* script : {&dragged, &dozing}) {
        const CompanionScene& scene = script->remind(R::fixedMessage("sip!")).scene();
        EXPECT_TRUE(scene.pose == P::drag || scene.pose == P::sleep);
        EXPECT_EQ(scene.message, (M{"sip!", soft}));
    }
}

TEST(BehaviorEngineCascade, HerGazeFollowsThePointerOnlyWhileEyeTrackingIsOn) {
    // Head at (720, 164); the gaze is the pointer's offset over 80 points, clamped.
    const std::tuple<Point, bool, Size> cases[] = {{{760, 124}, true, {0.5, 0.5}},
                                                   {{2000, -500}, true, {1, 1}},
                                                   {{640, 244}, true, {-1, -1}},
                                                   {{760, 124}, false, {0, 0}}};
    for (const auto& [pointer, tracking, gaze] : cases) {
        S script;
        script.settings.eyeTrackingEnabled = tracking;
        script.input.pointer.location = pointer;
        EXPECT_EQ(script.step().scene().eyeOffset, gaze) << pointer.x << "," << pointer.y;
    }
}

TEST(BehaviorEngineCascade, ThresholdsFollowTheIntensityWithinItsBounds) {
    // Keys per second that overheat her, and seconds without activity she stays awake.
    const std::tuple<double, double, double, double> cases[] = {{0.72, 6.5, 120, 120.1},
                                                                {1.0, 5.8, 93.3, 93.5},
                                                                {3.0, 5.8, 93.3, 93.5},
                                                                {-1, 8.05, 178.8, 179}};
    for (const auto& [intensity, overheatsAt, awakeAfter, asleepAfter] : cases) {
        SCOPED_TRACE(intensity);
        for (const double rate : {overheatsAt, overheatsAt - 0.01}) {
            S script;
            script.settings.reactionIntensity = intensity;
            EXPECT_EQ(script.typeAt(rate).step().scene().mood == CatMood::overheated,
                      rate == overheatsAt);
        }
        S script;
        script.settings.reactionIntensity = intensity;
        EXPECT_NE(script.wiggle().runUntil(1000 + awakeAfter).scene().pose, P::sleep);
        EXPECT_EQ(script.runUntil(1000 + asleepAfter).scene().pose, P::sleep);
    }
}

// The pose holds until one step short of seconds after the last step, and not one after.
void expectHeldFor(S& script, CatPose pose, double seconds) {
    const double from = script.time();
    EXPECT_EQ(toString(script.runUntil(from + seconds - 0.1).scene().pose), toString(pose));
    EXPECT_NE(toString(script.runUntil(from + seconds + 0.1).scene().pose), toString(pose));
}

const M win{"3 wins", happy}, session{"focus 3 done", happy};

TEST(BehaviorEngineReactions, WhatHappensHoldsHerOrHerBubbleForItsOwnTime) {
    // The bridge offers its current event at every step: it is applied once.
    const std::optional<CatPose> bubble;
    const std::tuple<void (*)(S&), std::optional<CatPose>, M, double> cases[] = {
        {[](S& s) { s.interact(I::dragEnded()); }, P::purr, {"purr", happy}, 0.5},
        {[](S& s) { s.interact(I::pet()); }, P::purr, {"purr", happy}, 2.4},
        {[](S& s) { s.interact(I::celebrate()); }, P::celebrate, {"done!", happy}, 2.4},
        {[](S& s) { s.interact(I::stretch()); }, P::stretch, {"stretch?", focus}, 7.5},
        {[](S& s) { s.interact(I::confirmedCompletion(win)); }, P::celebrate, win, 2.8},
        {[](S& s) { s.remind(R::stretch()); }, P::stretch, {"stretch?", focus}, 8},
        {[](S& s) { s.pomodoro(E::focusCompleted(3)); }, P::celebrate, session, 2.8},
        {[](S& s) { s.agent(A::started, " codex\n"); }, P::think, {"Codex started", focus}, 60},
        {[](S& s) { s.agent(A::thinking); }, P::think, {"thinking too", focus}, 60},
        {[](S& s) { s.agent(A::waiting); }, P::wait, {"your turn?", soft}, 45},
        {[](S& s) { s.agent(A::failed); }, P::flop, {"needs help", alert}, 7},
        {[](S& s) { s.agent(A::completed); }, P::celebrate, {"done!", happy}, 2.8},
        {[](S& s) { s.remind(R::fixedMessage("sip water?")); }, bubble, {"sip water?", soft}, 5},
        {[](S& s) { s.remind(R::kindNudge("tiny step?")); }, bubble, {"tiny step?", happy}, 5},
        {[](S& s) { s.pomodoro(E::restCompleted(4)); }, bubble, {"focus 4", focus}, 4}};
    for (const auto& [play, pose, message, seconds] : cases) {
        SCOPED_TRACE(message.text);
        S script;
        play(script.step());
        EXPECT_EQ(script.scene().message, message);
        if (pose) {
            expectHeldFor(script, *pose, seconds);
            continue;
        }
        const double from = script.time();
        EXPECT_EQ(script.runUntil(from + seconds - 0.1).scene().message, message);
        EXPECT_EQ(script.runUntil(from + seconds + 0.1).scene().message, std::nullopt);
    }
}

TEST(BehaviorEngineReactions, AWinSilencesAReminderAndAStretchReminderNeverCutsAStretchShort) {
    S logged, focused, stretching;
    logged.remind(R::fixedMessage("sip!")).interact(I::confirmedCompletion(win));
    focused.remind(R::fixedMessage("sip!")).pomodoro(E::focusCompleted(1));
    for (const S* won : {&logged, &focused}) {
        EXPECT_EQ(won->scene().pose, P::celebrate);
        EXPECT_NE(won->scene().message->text, "sip!");
    }
    stretching.engine.state.stretchUntil = 1030;
    EXPECT_EQ(stretching.remind(R::stretch()).runUntil(1029.9).scene().pose, P::stretch);
}

TEST(BehaviorEngineReactions, ADragKeepsHerOnTheScreenUntilSheIsPutDown) {
    S script;
    script.interact(I::dragBegan());
    EXPECT_EQ(script.interact(I::dragMoved({300, 200})).scene().position, (Point{300, 200}));
    EXPECT_EQ(script.interact(I::dragMoved({-50, 5000})).scene().position, (Point{8, 688}));
    EXPECT_EQ(script.runFor(5).scene().pose, P::drag);
    EXPECT_EQ(script.interact(I::dragEnded()).engine.state.position, (Point{8, 688}));
}

TEST(BehaviorEngineReactions, AnAgentEventEndsWithItsExpiryAndAnEmptyOneIsNoEvent) {
    S script, expired;
    script.agent(A::thinking, "codex", 1010);
    EXPECT_EQ(script.runUntil(1009.9).scene().pose, P::think);
    EXPECT_EQ(script.runUntil(1010.1).scene().pose, P::idle);
    expired.agent(A::thinking, "codex", expired.nextTime());
    EXPECT_EQ(expired.scene().pose, P::idle) << "an expiry equal to the time is past";
    EXPECT_FALSE(expired.engine.state.lastAppliedAgentEvent);

    S empty;
    const AgentEventSnapshot event = empty.agent(A::thinking).input.agentEvent;
    empty.input.agentEvent = AgentEventSnapshot::empty();
    EXPECT_EQ(empty.runFor(5).scene().pose, P::think) << "it ends no hold";
    EXPECT_EQ(empty.engine.state.lastAppliedAgentEvent, event);
    EXPECT_EQ(empty.engine.state.agentRunLastSeenAt, 1000) << "nor keeps a run open";
    empty.input.agentEvent = event; // offered again, it is still the one applied
    EXPECT_EQ(empty.runUntil(1059.9).scene().pose, P::think);
    EXPECT_EQ(empty.runUntil(1060.1).scene().pose, P::idle);
}

TEST(BehaviorEngineReactions, ALongAgentRunEndsWithALongCelebration) {
    // A silence of 30 minutes keeps the run; one of 31 opens a new one.
    const std::tuple<std::vector<double>, double, double> cases[] = {
        {{0}, 300, 6.4},        {{0}, 299.9, 2.8},      {{}, 300, 2.8},
        {{0, 1800}, 1810, 6.4}, {{0, 1860}, 2100, 2.8}, {{0, 1860}, 2160, 6.4}};
    for (const auto& [thinkingAt, completedAt, celebration] : cases) {
        SCOPED_TRACE(completedAt);
        S script;
        for (const double at : thinkingAt) {
            script.runUntil(1000 + at - 0.1).agent(A::thinking);
        }
        script.runUntil(1000 + completedAt - 0.1).agent(A::completed);
        expectHeldFor(script, P::celebrate, celebration);
    }
    S failed;
    failed.agent(A::thinking).runFor(400).agent(A::failed).runFor(10);
    expectHeldFor(failed.agent(A::completed), P::celebrate, 2.8);
}

TEST(BehaviorEngineReactions, SwitchingTheBridgeOffEndsTheAgentsHoldAndCelebration) {
    S script;
    EXPECT_EQ(script.agent(A::thinking).bridging(false).step().scene().pose, P::idle);
    EXPECT_FALSE(script.engine.state.agentRunStartedAt);
    EXPECT_EQ(script.agent(A::waiting).scene().pose, P::idle);
    EXPECT_EQ(script.bridging(true).agent(A::completed).scene().pose, P::celebrate);
    EXPECT_EQ(script.bridging(false).step().scene().pose, P::idle);
    EXPECT_EQ(script.interact(I::celebrate()).step().scene().pose, P::celebrate) << "her own";
}

TEST(BehaviorEngineReactions, WhatCountsAsTheUsersActivity) {
    // Reactions, key presses, pointer moved seconds ago at a velocity: seen how long ago.
    const std::optional<double> no;
    const std::tuple<bool, std::int64_t, double, Size, std::optional<double>> cases[] = {
        {true, 0, 2.5, {0, 0}, 2.5}, {true, 0, 2.6, {0, 0}, no}, {true, 0, -1, {0, 0}, no},
        {true, 0, 9, {96, 128}, 0},  {true, 0, 9, {159, 0}, no}, {false, 0, 1, {500, 0}, no},
        {false, 3, 9, {0, 0}, 0}};
    for (const auto& [reactions, keyPresses, movedSecondsAgo, velocity, seenSecondsAgo] : cases) {
        S script;
        script.reacting(reactions).runFor(10);
        script.input.typing.recentKeyPressCount = keyPresses;
        script.input.pointer = {{200, 700}, velocity, script.nextTime() - movedSecondsAgo};
        const std::optional<double> seen = script.step().engine.state.lastUserActivityTime;
        EXPECT_EQ(seen ? std::optional(script.time() - *seen) : no, seenSecondsAgo)
            << movedSecondsAgo << " s ago at " << velocity.width;
    }
}

TEST(BehaviorEngineReactions, SheWelcomesTheUserBack) {
    // Away for: how long she greets, then purrs until.
    for (const auto& [away, greeting, purringUntil] :
         {std::tuple{180.0, 0.0, 3.0}, {1260.0, 2.2, 5.2}, {100.0, 0.0, 0.0}}) {
        SCOPED_TRACE(away);
        S script;
        const double back = script.wiggle().runFor(away).wiggle().step().time();
        if (greeting > 0) {
            EXPECT_EQ(script.scene().pose, P::greet);
            EXPECT_EQ(script.runUntil(back + greeting - 0.1).scene().pose, P::greet);
        }
        if (purringUntil > 0) {
            EXPECT_EQ(script.runUntil(back + greeting + 0.1).scene().message,
                      (M{"welcome back", happy}));
            EXPECT_EQ(script.runUntil(back + purringUntil - 0.1).scene().pose, P::purr);
        }
        EXPECT_EQ(script.runUntil(back + purringUntil + 0.1).scene().pose, P::idle);
    }
}

TEST(BehaviorEngineReactions, ALongAbsenceIsLookedAtOnTheFirstStepOnly) {
    // Absence, quiet hours at the start, reactions, whether she stares.
    const std::tuple<double, bool, bool, bool> cases[] = {{172800, false, true, true},
                                                          {172799.9, false, true, false},
                                                          {400000, true, true, false},
                                                          {400000, false, false, false}};
    for (const auto& [absence, quietAtStart, reactions, stares] : cases) {
        SCOPED_TRACE(::testing::Message() << absence << quietAtStart << reactions);
        S script;
        script.reacting(reactions).quietHours({quietAtStart, 0, 0}).returningAfter(absence).step();
        script.reacting(true).quietHours({false, 0, 0});
        const CatPose staring = stares ? P::stare : P::idle, greeting = stares ? P::greet : P::idle;
        EXPECT_EQ(script.runUntil(1002.9).scene().pose, staring);
        EXPECT_EQ(script.runUntil(1003).scene().pose, greeting);
        EXPECT_EQ(script.runUntil(1005.1).scene().pose, greeting);
        EXPECT_EQ(script.runUntil(1005.2).scene().pose, P::idle);
    }
    S later;
    EXPECT_EQ(later.step().returningAfter(400000).step().scene().pose, P::idle);
}

TEST(BehaviorEngineReactions, SixAppSwitchesWithin30SecondsMakeHerGroomWhenSheMayReact) {
    const std::pair<std::vector<double>, bool> cases[] = {
        {{1, 6, 11, 16, 21, 26}, true},
        {{1, 6, 11, 16, 21}, false},
        {{1, 6, 11, 16, 21, 31.1}, false},
        {{1, 6, 11, 16, 21, 31.1, 32}, true}}; // the sixth within 30 s of the second
    for (const auto& [switches, grooms] : cases) {
        S script;
        for (const double at : switches) {
            script.runUntil(1000 + at - 0.1).switchApp(std::to_string(at)).step();
        }
        EXPECT_EQ(script.scene().pose == P::groom, grooms) << switches.back();
        EXPECT_EQ(script.engine.state.appSwitchTimes.empty(), grooms)
            << "the list is emptied only when she grooms";
    }
    S script;
    script.step().switchApp("Notes").step();
    ASSERT_EQ(script.engine.state.appSwitchTimes.size(), 1u);
    EXPECT_TRUE(
        script.reacting(false).switchApp("Mail").step().engine.state.appSwitchTimes.empty());
    // The bundle identifier names the app, whatever its title says.
    script.reacting(true).switchApp("Editor", "org.example.editor").step();
    script.switchApp("Editor - notes.txt", "org.example.editor").step();
    EXPECT_EQ(script.engine.state.appSwitchTimes.size(), 1u);
}

TEST(BehaviorEnginePlay, ZoomiesComeOnTheirOwnScheduleAndTurnHerEyesWithTheDash) {
    S script; // the first run is due at 1000 + 9000 + 1000
    EXPECT_EQ(script.runUntil(10999.9).scene().pose, P::idle);
    const std::pair<double, double> looks[] = {{11000, -1},  {11000.9, -1}, {11001, 1},
                                               {11002.3, 1}, {11002.5, -1}, {11003.5, -1}};
    for (const auto& [at, eyes] : looks) {
        const CompanionScene& scene = script.runUntil(at).scene();
        EXPECT_EQ(std::tuple(scene.pose, scene.mood, scene.eyeOffset),
                  std::tuple(P::zoomies, CatMood::hunting, Size{eyes, 0}))
            << at;
    }
    EXPECT_EQ(script.runUntil(11003.6).scene().pose, P::idle);
    EXPECT_DOUBLE_EQ(script.engine.state.nextZoomiesAt, 11003.6 + 9000 + 3800);
    for (const I& touch : {I::pet(), I::dragBegan()}) { // a touch ends a run for good
        S touched;
        ASSERT_EQ(touched.due(&State::nextZoomiesAt).step().scene().pose, P::zoomies);
        touched.interact(touch).interact(I::dragEnded());
        EXPECT_EQ(touched.engine.state.zoomiesUntil, 0);
        EXPECT_NE(touched.runUntil(1003).scene().pose, P::zoomies);
    }
}

TEST(BehaviorEnginePlay, FunnyFacesComeOnTheirOwnScheduleWhileTheUserIsAround) {
    S script; // the first face is due 5738.4 s after the start and lasts 2.4 s
    const std::pair<double, CatPose> faces[] = {
        {6738.3, P::idle}, {6738.4, P::crossEyed}, {6740.7, P::crossEyed}, {6740.8, P::idle}};
    for (const auto& [at, pose] : faces) {
        EXPECT_EQ(script.busyUntil(at).scene().pose, pose) << at;
    }
    for (const auto& [at, face] : {std::pair{1000.1, P::blep}, {1000.2, P::crossEyed}}) {
        S other;
        other.engine.state.nextFunnyFaceAt = at;
        EXPECT_EQ(other.busyUntil(at).scene().pose, face) << at;
    }
}

TEST(BehaviorEnginePlay, AButterflyVisitPlaysOutOnItsTimetable) {
    S script;
    const CompanionScene& arrival = script.due(&State::nextButterflyAt).busyUntil(1000).scene();
    ASSERT_TRUE(arrival.butterflyPosition);
    EXPECT_EQ(arrival.eyeOffset, (Size{1, -0.5}));
    EXPECT_EQ(script.engine.state.butterflyStage, S::screen);
    using enum CatMood;
    const std::tuple<double, CatMood, CatPose> phases[] = {
        {1003.3, curious, P::wait}, {1003.5, hunting, P::crouch}, {1005.8, hunting, P::crouch},
        {1005.9, hunting, P::swat}, {1006.7, hunting, P::swat},   {1006.8, curious, P::wait},
        {1009.5, curious, P::wait}, {1009.7, curious, P::groom},  {1011.9, curious, P::groom}};
    for (const auto& [at, mood, pose] : phases) {
        const CompanionScene& scene = script.busyUntil(at).scene();
        EXPECT_EQ(std::tuple(scene.mood, scene.pose), std::tuple(mood, pose)) << at;
        EXPECT_EQ(scene.butterflyPosition, PurloBehaviorEngine::butterflyPoint(
                                               script.time() - 1000, script.head(), S::screen));
    }
    EXPECT_FALSE(script.busyUntil(1012).scene().butterflyPosition);
}

TEST(BehaviorEnginePlay, SheRoamsOnlyWhenHerMovementModeAndTheMomentAllow) {
    using enum CompanionMovementMode;
    const std::optional<double> unknown;
    const auto roams = [](CompanionMovementMode mode, std::optional<double> seenSecondsAgo,
                          std::optional<double> idleSeconds, bool reduceMotion = false) {
        S script;
        script.settings.companionMovementMode = mode;
        if (seenSecondsAgo) {
            script.wiggle().runUntil(1000 + *seenSecondsAgo - 0.1);
        }
        script.input.reduceMotionActive = reduceMotion;
        script.input.secondsSinceAnyInput = idleSeconds;
        return script.due(&State::nextZoomiesAt).step().scene().pose == P::zoomies;
    };
    EXPECT_TRUE(roams(freeRange, unknown, unknown));
    EXPECT_FALSE(roams(freeRange, unknown, unknown, true)) << "reduced motion";
    EXPECT_TRUE(roams(roamWhenAway, unknown, 180));
    EXPECT_FALSE(roams(roamWhenAway, unknown, 179.9));
    EXPECT_FALSE(roams(roamWhenAway, unknown, unknown));
    EXPECT_TRUE(roams(roamWhenAway, 200, unknown));
    EXPECT_FALSE(roams(roamWhenAway, 200, 10));
    EXPECT_FALSE(roams(roamWhenAway, 10, 600));
    EXPECT_FALSE(roams(stayPut, unknown, 600));
    S script; // staying put puts off zoomies and butterflies, not funny faces
    script.settings.companionMovementMode = stayPut;
    script.due(&State::nextZoomiesAt).due(&State::nextButterflyAt).due(&State::nextFunnyFaceAt);
    EXPECT_EQ(script.busyUntil(1000).scene().pose, P::blep);
    EXPECT_FALSE(script.scene().butterflyPosition);
    EXPECT_DOUBLE_EQ(script.engine.state.nextZoomiesAt, 1000 + 9000 + 1000);
    S offline; // with reactions off she stays home
    EXPECT_NE(offline.reacting(false).due(&State::nextZoomiesAt).step().scene().pose, P::zoomies);
}

TEST(BehaviorEnginePlay, SheYawnsOnceForTwoAndAHalfSecondsAboutHalfAnHourBeforeQuietHours) {
    // Out of range start hours act as quiet hours read them: 30 as 23, -3 as 0.
    const std::tuple<QuietHoursSchedule, int, bool> cases[] = {
        {{true, 22, 7}, 21 * 60 + 24, false},  {{true, 22, 7}, 21 * 60 + 25, true},
        {{true, 22, 7}, 21 * 60 + 34, true},   {{true, 22, 7}, 21 * 60 + 35, false},
        {{false, 22, 7}, 21 * 60 + 30, false}, {{true, 30, 5}, 22 * 60 + 25, true},
        {{true, 30, 5}, 5 * 60 + 30, false},   {{true, -3, 7}, 23 * 60 + 25, true},
        {{true, -3, 7}, 20 * 60 + 30, false}};
    for (const auto& [quietHours, minute, yawns] : cases) {
        S script;
        EXPECT_EQ(script.quietHours(quietHours).atMinute(minute).step().scene().pose == P::yawn,
                  yawns)
            << quietHours.startHour << " at " << minute;
    }
    S script;
    EXPECT_NE(script.reacting(false).quietHours(evenings).atMinute(1290).step().scene().pose,
              P::yawn);
    // The yawn takes 2.5 s, with her eyes still, and latches until its window has passed.
    S yawning;
    EXPECT_EQ(yawning.quietHours(evenings).atMinute(21 * 60 + 25).step().scene().eyeOffset,
              (Size{0, 0}));
    EXPECT_NEAR(yawning.runUntil(1001.3).scene().yawnProgress, 0.5, 1e-9);
    EXPECT_EQ(yawning.runUntil(1002.5).scene().pose, P::yawn);
    EXPECT_EQ(yawning.runUntil(1002.6).scene().pose, P::idle);
    EXPECT_EQ(yawning.scene().yawnProgress, 0);
    EXPECT_NE(yawning.atMinute(21 * 60 + 30).runFor(60).scene().pose, P::yawn) << "latched";
    yawning.atMinute(21 * 60 + 40).step();
    EXPECT_EQ(yawning.atMinute(21 * 60 + 26).step().scene().pose, P::yawn) << "a new window";
}

TEST(BehaviorEnginePlay, QuietHoursAndNapsWipeWhatWasGoingOnButNotTheUser) {
    S script;
    script.quietHours(evenings).atMinute(22 * 60 - 1).agent(A::thinking);
    script.interact(I::stretch()).remind(R::fixedMessage("sip!")).wiggle().step();
    const std::optional<double> seen = script.engine.state.lastUserActivityTime;
    EXPECT_EQ(script.atMinute(22 * 60).step().scene().pose, P::idle);
    EXPECT_EQ(script.scene().message, std::nullopt);
    EXPECT_FALSE(script.engine.state.agentRunStartedAt) << "the agent's run ends";
    // Nothing that happens in quiet hours is applied, nor played after them.
    script.remind(R::kindNudge("tiny step?")).pomodoro(E::focusCompleted(1)).typeAt(8).step();
    EXPECT_EQ(script.scene().pose, P::idle);
    EXPECT_EQ(script.scene().message, std::nullopt);
    EXPECT_EQ(script.engine.state.lastUserActivityTime, seen);
    S later;
    later.quietHours(evenings).atMinute(23 * 60).agent(A::thinking).runFor(1);
    EXPECT_EQ(later.atMinute(7 * 60).runFor(1).scene().pose, P::idle) << "still the bridge's event";
    EXPECT_EQ(later.agent(A::waiting).scene().pose, P::wait);

    S napping; // a nap wipes every step and puts off a due zoomies run
    napping.napping().interact(I::stretch()).remind(R::fixedMessage("sip!"));
    const CompanionScene& asleep = napping.due(&State::nextZoomiesAt).step().scene();
    EXPECT_EQ(std::tuple(asleep.pose, asleep.message, asleep.eyeOffset),
              std::tuple(P::sleep, std::optional<M>{}, Size{0, 0}));
    EXPECT_NEAR(napping.engine.state.nextZoomiesAt, 1000.2 + 9000 + 1000.2, 1e-6);
    EXPECT_EQ(napping.napping(false).step().scene().pose, P::idle) << "nothing left over";
}

using Engine = PurloBehaviorEngine;
constexpr Rect screen = S::screen;

TEST(ButterflyFlight, ItEntersBeyondTheEdgeOnHerSideAtHeadHeight) {
    // A head exactly at the middle counts as right of it.
    const std::pair<Point, double> entries[] = {
        {{720, 164}, 1440 + 48}, {{1000, 164}, 1440 + 48}, {{719.5, 164}, -48}};
    for (const auto& [head, entryX] : entries) {
        const Point start = Engine::butterflyPoint(0, head, screen);
        EXPECT_EQ(start, (Point{entryX, head.y + 40})) << head.x;
        EXPECT_EQ(Engine::butterflyPoint(-3, head, screen), start) << head.x;
    }
    // It stops past the top of the stage, on the side it came from.
    const Point end = Engine::butterflyPoint(12, {300, 164}, screen);
    EXPECT_EQ(Engine::butterflyPoint(40, {300, 164}, screen), end);
    EXPECT_GT(end.y, screen.maxY() + 72 - 9);
    EXPECT_LT(end.x, 300 - 26 - 200 + 7 + 1e-9);
}

TEST(ButterflyFlight, ItFluttersNearHerHeadButStaysOnTheStage) {
    // Stage, head, and the target it sways around until her swat at 6.2 s.
    const std::tuple<const char*, Rect, Point, Point> cases[] = {
        {"beside her head", screen, {720, 164}, {746, 329}},
        {"kept off the left edge", screen, {10, 164}, {60, 329}},
        {"kept below the top", screen, {720, 800}, {746, 810}},
        {"too narrow: off the right", {{0, 0}, {100, 900}}, {30, 164}, {40, 329}}};
    for (const auto& [name, stage, head, target] : cases) {
        for (double e = 3.4; e < 6.2; e += 0.1) {
            const Point point = Engine::butterflyPoint(e, head, stage);
            EXPECT_LE(std::fabs(point.x - target.x), 30 + 7 + 1e-9) << name << " " << e;
            EXPECT_LE(std::fabs(point.y - target.y), 12 + 9 + 1e-9) << name << " " << e;
        }
    }
}

TEST(ZoomiesDash, SheRunsLeftAcrossAndHomeWithinTheTurns) {
    // Turns at 24 and 1440 - 160 - 24; never back to an edge she is already beyond.
    const std::tuple<double, double, double, int> cases[] = {
        {-1, 600, 600, -1}, {0, 600, 600, -1},    {0.5, 600, 312, -1}, {1, 600, 24, 1},
        {1.7, 600, 640, 1}, {2.4, 600, 1256, -1}, {3.0, 600, 928, -1}, {3.6, 600, 600, -1},
        {5, 600, 600, -1},  {0.5, 10, 10, -1},    {1, 10, 10, 1},      {2.4, 1300, 1300, -1},
        {3, 1300, 1300, -1}};
    for (const auto& [elapsed, home, x, facing] : cases) {
        const ZoomiesDashPosition position =
            Engine::zoomiesDashPosition(elapsed, home, screen, 160);
        EXPECT_NEAR(position.x, x, 1e-9) << elapsed << " from " << home;
        EXPECT_EQ(position.facing, facing) << elapsed << " from " << home;
    }
    const Rect narrow{{100, 0}, {208, 900}}; // left turn 124, right turn 124
    for (const double elapsed : {0.0, 0.5, 1.7, 3.0}) {
        EXPECT_EQ(Engine::zoomiesDashPosition(elapsed, 150, narrow, 160),
                  (ZoomiesDashPosition{150, 1}));
    }
}

TEST(ClampedOrigin, KeepsTheWindowInsideTheInsetScreen) {
    const Rect left{{-1280, -200}, {1280, 1024}};
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::tuple<const char*, Point, Rect, double, Point> cases[] = {
        {"past the left and bottom", {-40, -40}, screen, 8, {8, 8}},
        {"past the right and top", {1400, 850}, screen, 8, {1440 - 8 - 160, 900 - 8 - 204}},
        {"on the edges exactly", {1272, 688}, screen, 8, {1272, 688}},
        {"a negative inset counts as none", {-40, 5000}, screen, -20, {0, 900 - 204}},
        {"a screen left of and below the main one", {-2000, -500}, left, 8, {-1272, -192}},
        {"a screen narrower than the window", {50, 200}, {{0, 0}, {100, 900}}, 8, {8, 200}},
        {"a screen lower than the window", {300, 50}, {{0, 0}, {1440, 150}}, 8, {300, 8}},
        {"an inset that eats the screen", {300, 300}, {{0, 0}, {10, 10}}, 8, {5, 5}},
        {"an empty screen", {300, 300}, Rect{}, 8, {0, 0}},
        {"a proposal that is not a number", {nan, 300}, screen, 8, {8, 300}}};
    for (const auto& [name, proposed, on, inset, origin] : cases) {
        EXPECT_EQ(Engine::clampedOrigin(proposed, {160, 204}, on, inset), origin) << name;
    }
}

} // namespace
} // namespace purlo
