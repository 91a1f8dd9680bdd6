#include "tests/model/EngineScript.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::EngineScript;
using Kind = CompanionMessage::Kind;
using Play = void (*)(EngineScript&);

EngineScript& settleNearHerThenSlipAway(EngineScript& s) {
    return s.movePointer({s.head().x + 60, s.head().y}).runFor(10.1).movePointer({200, 700}).step();
}

TEST(BehaviorEngineCascade, EachRowChoosesItsMoodPoseScaleAndBubble) {
    struct Row {
        const char* name;
        Play play;
        CatMood mood;
        CatPose pose;
        double scale;
        std::optional<CompanionMessage> message;
    };
    using enum CatMood;
    const Row rows[] = {
        {"drag", [](EngineScript& s) { s.interact(CompanionInteraction::dragBegan()); }, dragged,
         CatPose::drag, 1.08, CompanionMessage{"mochi", Kind::soft}},
        {"pet", [](EngineScript& s) { s.interact(CompanionInteraction::pet()); }, purring,
         CatPose::purr, 1.0, CompanionMessage{"purr", Kind::happy}},
        {"nap", [](EngineScript& s) { s.napping().step(); }, sleeping, CatPose::sleep, 0.98,
         std::nullopt},
        {"stretch", [](EngineScript& s) { s.interact(CompanionInteraction::stretch()); },
         stretching, CatPose::stretch, 1.16, CompanionMessage{"stretch?", Kind::focus}},
        {"stretch with the user's trimmed name",
         [](EngineScript& s) {
             s.settings.userName = " Ada\n";
             s.interact(CompanionInteraction::stretch());
         },
         stretching, CatPose::stretch, 1.16, CompanionMessage{"stretch, Ada?", Kind::focus}},
        {"celebration", [](EngineScript& s) { s.interact(CompanionInteraction::celebrate()); },
         celebrating, CatPose::celebrate, 1.04, CompanionMessage{"done!", Kind::happy}},
        {"agent", [](EngineScript& s) { s.agent(AgentEventKind::thinking); }, thinking,
         CatPose::think, 1.0, CompanionMessage{"thinking too", Kind::focus}},
        {"stare", [](EngineScript& s) { s.returningAfter(172800).step(); }, purring, CatPose::stare,
         1.0, std::nullopt},
        {"greeting", [](EngineScript& s) { s.returningAfter(172800).runFor(3.1); }, purring,
         CatPose::greet, 1.0, std::nullopt},
        {"welcome back", [](EngineScript& s) { s.wiggle().runFor(180.1).wiggle().step(); }, purring,
         CatPose::purr, 1.0, CompanionMessage{"welcome back", Kind::happy}},
        {"ears up", [](EngineScript& s) { s.typeAt(2).step().switchApp("Notes").step(); }, curious,
         CatPose::wait, 1.0, std::nullopt},
        {"grooming",
         [](EngineScript& s) {
             for (const char* app : {"Unknown", "A", "B", "C", "D", "E", "F"}) {
                 s.switchApp(app).step();
             }
         },
         curious, CatPose::groom, 1.0, std::nullopt},
        {"overheated", [](EngineScript& s) { s.typeAt(6.5).step(); }, overheated, CatPose::typing,
         1.02, CompanionMessage{"tap tap tap", Kind::alert}},
        {"typing in a coding tool",
         [](EngineScript& s) { s.switchApp("Terminal").typeAt(2).step(); }, typing, CatPose::typing,
         1.0, CompanionMessage{"working with you", Kind::focus}},
        {"typing elsewhere",
         [](EngineScript& s) { s.switchApp("Safari", "com.apple.Safari").typeAt(2).step(); },
         typing, CatPose::typing, 1.0, std::nullopt},
        {"loaf after 25 minutes of typing",
         [](EngineScript& s) { s.typeAt(2).runFor(1500.1).stopTyping().step(); }, typing,
         CatPose::loaf, 1.0, std::nullopt},
        {"hesitation", [](EngineScript& s) { s.typeAt(7).step().stopTyping().step(); }, curious,
         CatPose::hesitate, 1.0, std::nullopt},
        {"zoomies", [](EngineScript& s) { s.due(&BehaviorEngineState::nextZoomiesAt).runFor(2); },
         hunting, CatPose::zoomies, 1.0, std::nullopt},
        {"butterfly",
         [](EngineScript& s) { s.due(&BehaviorEngineState::nextButterflyAt).busyUntil(1000); },
         curious, CatPose::wait, 1.0, std::nullopt},
        {"pounce", [](EngineScript& s) { settleNearHerThenSlipAway(s); }, hunting, CatPose::crouch,
         1.0, std::nullopt},
        {"feint stretch", [](EngineScript& s) { settleNearHerThenSlipAway(s).runFor(0.8); },
         stretching, CatPose::stretch, 1.0, std::nullopt},
        {"hunt",
         [](EngineScript& s) {
             s.input.pointer.velocity = {1300, 0};
             s.movePointer({s.head().x + 60, s.head().y}).step();
         },
         hunting, CatPose::hunt, 1.0, CompanionMessage{"hunt", Kind::happy}},
        {"yawn",
         [](EngineScript& s) {
             s.settings.quietHours.enabled = true;
             s.input.localMinuteOfDay = 21 * 60 + 30;
             s.step();
         },
         idle, CatPose::yawn, 1.0, std::nullopt},
        {"funny face",
         [](EngineScript& s) { s.due(&BehaviorEngineState::nextFunnyFaceAt).busyUntil(1000); },
         idle, CatPose::blep, 1.0, std::nullopt},
        {"dozing", [](EngineScript& s) { s.wiggle().runFor(120.2); }, sleeping, CatPose::sleep,
         0.98, std::nullopt},
        {"idle", [](EngineScript& s) { s.step(); }, idle, CatPose::idle, 1.0, std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EngineScript script;
        row.play(script);
        const CompanionScene& scene = script.scene();
        EXPECT_EQ(toString(scene.mood), toString(row.mood));
        EXPECT_EQ(toString(scene.pose), toString(row.pose));
        EXPECT_DOUBLE_EQ(scene.scale, row.scale);
        EXPECT_EQ(scene.message, row.message);
    }
}

TEST(BehaviorEngineCascade, HigherRowsWin) {
    struct Case {
        const char* name;
        Play play;
        CatPose winner;
    };
    const Case cases[] = {
        {"a drag beats a nap",
         [](EngineScript& s) { s.napping().interact(CompanionInteraction::dragBegan()); },
         CatPose::drag},
        {"a pet beats a nap",
         [](EngineScript& s) { s.napping().interact(CompanionInteraction::pet()); }, CatPose::purr},
        {"a nap beats a stretch",
         [](EngineScript& s) { s.napping().interact(CompanionInteraction::stretch()); },
         CatPose::sleep},
        {"a nap beats a celebration",
         [](EngineScript& s) {
             s.interact(CompanionInteraction::celebrate());
             s.napping().step();
         },
         CatPose::sleep},
        {"a nap beats an agent event",
         [](EngineScript& s) { s.napping().agent(AgentEventKind::thinking); }, CatPose::sleep},
        {"a celebration beats the agent",
         [](EngineScript& s) {
             s.agent(AgentEventKind::thinking).interact(CompanionInteraction::celebrate());
         },
         CatPose::celebrate},
        {"the agent beats typing",
         [](EngineScript& s) { s.agent(AgentEventKind::thinking).typeAt(7).step(); },
         CatPose::think},
        {"typing beats due zoomies",
         [](EngineScript& s) { s.due(&BehaviorEngineState::nextZoomiesAt).typeAt(2).step(); },
         CatPose::typing},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineScript script;
        c.play(script);
        EXPECT_EQ(toString(script.scene().pose), toString(c.winner));
    }
}

TEST(BehaviorEngineCascade, AFixedMessageSpeaksOverEveryRow) {
    EngineScript dragged;
    dragged.interact(CompanionInteraction::dragBegan());
    EngineScript dozing;
    dozing.wiggle().runFor(121);
    for (EngineScript* script : {&dragged, &dozing}) {
        const CompanionScene& scene =
            script->remind(ReminderEvent::fixedMessage("sip water?")).scene();
        EXPECT_TRUE(scene.pose == CatPose::drag || scene.pose == CatPose::sleep);
        EXPECT_EQ(scene.message, (CompanionMessage{"sip water?", Kind::soft}));
    }
}

TEST(BehaviorEngineCascade, ThresholdsFollowTheIntensityWithinItsBounds) {
    struct Case {
        double intensity;
        double overheatsAt; // keys per second
        double awakeAfter;  // seconds without activity
        double asleepAfter;
    };
    const Case cases[] = {
        {0.72, 6.5, 120, 120.1}, {1.0, 5.8, 93.3, 93.5}, {3.0, 5.8, 93.3, 93.5},
        {0.1, 8.05, 178.8, 179}, {-1, 8.05, 178.8, 179},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.intensity);
        for (const double rate : {c.overheatsAt, c.overheatsAt - 0.01}) {
            EngineScript script;
            script.settings.reactionIntensity = c.intensity;
            EXPECT_EQ(script.typeAt(rate).step().scene().mood == CatMood::overheated,
                      rate == c.overheatsAt);
        }
        EngineScript script;
        script.settings.reactionIntensity = c.intensity;
        script.wiggle();
        EXPECT_NE(script.runUntil(1000 + c.awakeAfter).scene().pose, CatPose::sleep);
        EXPECT_EQ(script.runUntil(1000 + c.asleepAfter).scene().pose, CatPose::sleep);
    }
}

TEST(BehaviorEngineCascade, HerGazeFollowsThePointerUnlessSheMayNotLook) {
    EngineScript script;
    EXPECT_EQ(script.movePointer({760, 124}).step().scene().eyeOffset, (Size{0.5, 0.5}))
        << "down the screen looks down";
    EXPECT_EQ(script.movePointer({0, 900}).step().scene().eyeOffset, (Size{-1, -1}));
    script.settings.eyeTrackingEnabled = false;
    EXPECT_EQ(script.step().scene().eyeOffset, (Size{0, 0}));
    script.settings.eyeTrackingEnabled = true;
    script.settings.quietHours = {true, 0, 0};
    EXPECT_EQ(script.step().scene().eyeOffset, (Size{0, 0}));
}

TEST(BehaviorEngineCascade, TheSameInputsGiveTheSameScenes) {
    const auto play = [](EngineScript& s) {
        s.engine.state.nextButterflyAt = 1005;
        std::vector<CompanionScene> scenes{s.typeAt(7).runFor(3).scene()};
        scenes.push_back(
            s.stopTyping().agent(AgentEventKind::started, "Claude Code").runFor(61).scene());
        scenes.push_back(s.movePointer({730, 164}).runFor(20).scene());
        return scenes;
    };
    EngineScript first;
    EngineScript second;
    EXPECT_EQ(play(first), play(second));
    EXPECT_EQ(first.engine.state, second.engine.state);
}

} // namespace
} // namespace purlo
