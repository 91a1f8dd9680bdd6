#include "tests/model/EngineScript.h"

#include <functional>
#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::EngineScript;
using Kind = CompanionMessage::Kind;

struct CascadeRow {
    const char* name;
    std::function<void(EngineScript&)> play;
    CatMood mood;
    CatPose pose;
    double scale;
    std::optional<CompanionMessage> message;
};

void nearHer(EngineScript& s) {
    s.movePointer({s.head().x + 60, s.head().y});
}

TEST(BehaviorEngineCascade, EachRowChoosesItsMoodPoseScaleAndBubble) {
    const CascadeRow rows[] = {
        {"drag", [](EngineScript& s) { s.interact(CompanionInteraction::dragBegan()); },
         CatMood::dragged, CatPose::drag, 1.08, CompanionMessage{"mochi", Kind::soft}},
        {"pet", [](EngineScript& s) { s.interact(CompanionInteraction::pet()); }, CatMood::purring,
         CatPose::purr, 1.0, CompanionMessage{"purr", Kind::happy}},
        {"nap",
         [](EngineScript& s) {
             s.input.napActive = true;
             s.step();
         },
         CatMood::sleeping, CatPose::sleep, 0.98, std::nullopt},
        {"stretch", [](EngineScript& s) { s.interact(CompanionInteraction::stretch()); },
         CatMood::stretching, CatPose::stretch, 1.16, CompanionMessage{"stretch?", Kind::focus}},
        {"stretch with the user's name",
         [](EngineScript& s) {
             s.settings.userName = " Ada\n";
             s.interact(CompanionInteraction::stretch());
         },
         CatMood::stretching, CatPose::stretch, 1.16,
         CompanionMessage{"stretch, Ada?", Kind::focus}},
        {"celebration", [](EngineScript& s) { s.interact(CompanionInteraction::celebrate()); },
         CatMood::celebrating, CatPose::celebrate, 1.04, CompanionMessage{"done!", Kind::happy}},
        {"agent hold", [](EngineScript& s) { s.agent(AgentEventKind::thinking); },
         CatMood::thinking, CatPose::think, 1.0, CompanionMessage{"thinking too", Kind::focus}},
        {"stare after two days away",
         [](EngineScript& s) {
             s.input.storedAbsenceSeconds = 172800;
             s.step();
         },
         CatMood::purring, CatPose::stare, 1.0, std::nullopt},
        {"greeting after the stare",
         [](EngineScript& s) {
             s.input.storedAbsenceSeconds = 172800;
             s.step();
             s.runFor(3);
         },
         CatMood::purring, CatPose::greet, 1.0, std::nullopt},
        {"welcome back",
         [](EngineScript& s) {
             s.wiggle();
             s.step();
             s.runFor(180);
             s.wiggle();
             s.step();
         },
         CatMood::purring, CatPose::purr, 1.0, CompanionMessage{"welcome back", Kind::happy}},
        {"ears up at an app switch while typing",
         [](EngineScript& s) {
             s.typeAt(2);
             s.step();
             s.switchApp("Notes");
             s.step();
         },
         CatMood::curious, CatPose::wait, 1.0, std::nullopt},
        {"grooming after rapid app switching",
         [](EngineScript& s) {
             s.step();
             for (const char* app : {"A", "B", "C", "D", "E", "F"}) {
                 s.switchApp(app);
                 s.step();
             }
         },
         CatMood::curious, CatPose::groom, 1.0, std::nullopt},
        {"overheated typing",
         [](EngineScript& s) {
             s.typeAt(6.5);
             s.step();
         },
         CatMood::overheated, CatPose::typing, 1.02, CompanionMessage{"tap tap tap", Kind::alert}},
        {"typing in a coding tool",
         [](EngineScript& s) {
             s.switchApp("Terminal");
             s.typeAt(2);
             s.step();
         },
         CatMood::typing, CatPose::typing, 1.0, CompanionMessage{"working with you", Kind::focus}},
        {"typing elsewhere",
         [](EngineScript& s) {
             s.switchApp("Safari", "com.apple.Safari");
             s.typeAt(2);
             s.step();
         },
         CatMood::typing, CatPose::typing, 1.0, std::nullopt},
        {"loaf after 25 minutes of focused typing",
         [](EngineScript& s) {
             s.typeAt(2);
             s.step();
             s.runFor(1500);
             s.stopTyping();
             s.step();
         },
         CatMood::typing, CatPose::loaf, 1.0, std::nullopt},
        {"hesitation when fast typing stops dead",
         [](EngineScript& s) {
             s.typeAt(7);
             s.step();
             s.stopTyping();
             s.step();
         },
         CatMood::curious, CatPose::hesitate, 1.0, std::nullopt},
        {"zoomies starting",
         [](EngineScript& s) {
             s.engine.state.nextZoomiesAt = 1000;
             s.step();
         },
         CatMood::hunting, CatPose::zoomies, 1.0, std::nullopt},
        {"zoomies under way",
         [](EngineScript& s) {
             s.engine.state.nextZoomiesAt = 1000;
             s.runFor(2);
         },
         CatMood::hunting, CatPose::zoomies, 1.0, std::nullopt},
        {"butterfly arriving",
         [](EngineScript& s) {
             s.engine.state.nextButterflyAt = 1000;
             s.wiggle();
             s.step();
         },
         CatMood::curious, CatPose::wait, 1.0, std::nullopt},
        {"pounce after the pointer lingered and slipped away",
         [](EngineScript& s) {
             nearHer(s);
             s.runFor(10.1);
             s.movePointer({200, 700});
             s.step();
         },
         CatMood::hunting, CatPose::crouch, 1.0, std::nullopt},
        {"feint stretch after the pounce",
         [](EngineScript& s) {
             nearHer(s);
             s.runFor(10.1);
             s.movePointer({200, 700});
             s.step();
             s.runFor(0.8);
         },
         CatMood::stretching, CatPose::stretch, 1.0, std::nullopt},
        {"hunting a fast pointer close by",
         [](EngineScript& s) {
             nearHer(s);
             s.input.pointer.velocity = {1300, 0};
             s.step();
         },
         CatMood::hunting, CatPose::hunt, 1.0, CompanionMessage{"hunt", Kind::happy}},
        {"yawn before quiet hours",
         [](EngineScript& s) {
             s.settings.quietHours.enabled = true;
             s.input.localMinuteOfDay = 21 * 60 + 30;
             s.step();
         },
         CatMood::idle, CatPose::yawn, 1.0, std::nullopt},
        {"funny face",
         [](EngineScript& s) {
             s.engine.state.nextFunnyFaceAt = 1000;
             s.wiggle();
             s.step();
         },
         CatMood::idle, CatPose::blep, 1.0, std::nullopt},
        {"dozing off once the user has gone",
         [](EngineScript& s) {
             s.wiggle();
             s.step();
             s.runFor(120.1);
         },
         CatMood::sleeping, CatPose::sleep, 0.98, std::nullopt},
        {"idle", [](EngineScript& s) { s.step(); }, CatMood::idle, CatPose::idle, 1.0,
         std::nullopt},
    };
    for (const CascadeRow& row : rows) {
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

struct PriorityCase {
    const char* name;
    std::function<void(EngineScript&)> play;
    CatPose winner;
};

TEST(BehaviorEngineCascade, HigherRowsWin) {
    const PriorityCase cases[] = {
        {"a drag beats a nap",
         [](EngineScript& s) {
             s.input.napActive = true;
             s.interact(CompanionInteraction::dragBegan());
         },
         CatPose::drag},
        {"a pet beats a nap",
         [](EngineScript& s) {
             s.input.napActive = true;
             s.interact(CompanionInteraction::pet());
         },
         CatPose::purr},
        {"a nap beats a stretch",
         [](EngineScript& s) {
             s.input.napActive = true;
             s.interact(CompanionInteraction::stretch());
         },
         CatPose::sleep},
        {"a nap beats a celebration",
         [](EngineScript& s) {
             s.interact(CompanionInteraction::celebrate());
             s.input.napActive = true;
             s.step();
         },
         CatPose::sleep},
        {"a nap beats an agent event",
         [](EngineScript& s) {
             s.input.napActive = true;
             s.agent(AgentEventKind::thinking);
         },
         CatPose::sleep},
        {"a stretch beats a celebration",
         [](EngineScript& s) {
             s.interact(CompanionInteraction::celebrate());
             s.interact(CompanionInteraction::stretch());
         },
         CatPose::stretch},
        {"a celebration beats the agent's hold",
         [](EngineScript& s) {
             s.agent(AgentEventKind::thinking);
             s.interact(CompanionInteraction::celebrate());
         },
         CatPose::celebrate},
        {"the agent's hold beats typing",
         [](EngineScript& s) {
             s.agent(AgentEventKind::thinking);
             s.typeAt(7);
             s.step();
         },
         CatPose::think},
        {"typing beats a due zoomies run",
         [](EngineScript& s) {
             s.engine.state.nextZoomiesAt = 1000;
             s.typeAt(2);
             s.step();
         },
         CatPose::typing},
        {"a running butterfly beats a due zoomies run",
         [](EngineScript& s) {
             s.engine.state.nextButterflyAt = 1000;
             s.wiggle();
             s.step();
             s.engine.state.nextZoomiesAt = s.time();
             s.step();
         },
         CatPose::wait},
    };
    for (const PriorityCase& priority : cases) {
        SCOPED_TRACE(priority.name);
        EngineScript script;
        priority.play(script);
        EXPECT_EQ(toString(script.scene().pose), toString(priority.winner));
    }
}

TEST(BehaviorEngineCascade, AFixedMessageSpeaksOverEveryRow) {
    const PriorityCase cases[] = {
        {"while she is dragged",
         [](EngineScript& s) { s.interact(CompanionInteraction::dragBegan()); }, CatPose::drag},
        {"while she dozes",
         [](EngineScript& s) {
             s.wiggle();
             s.step();
             s.runFor(121);
         },
         CatPose::sleep},
        {"while she is idle and has nothing to say", [](EngineScript& s) { s.step(); },
         CatPose::idle},
    };
    for (const PriorityCase& row : cases) {
        SCOPED_TRACE(row.name);
        EngineScript script;
        row.play(script);
        const CompanionScene& scene = script.remind(ReminderEvent::fixedMessage("sip water?"));
        EXPECT_EQ(toString(scene.pose), toString(row.winner));
        EXPECT_EQ(scene.message, (CompanionMessage{"sip water?", Kind::soft}));
    }
}

TEST(BehaviorEngineCascade, OutOfRangeIntensitiesActAsTheBounds) {
    struct Case {
        double intensity;
        double keysPerSecond;
        bool overheated;
    };
    const Case cases[] = {
        {0.72, 6.5, true},  {0.72, 6.49, false}, {1.0, 5.8, true},  {1.0, 5.79, false},
        {3.0, 5.8, true},   {3.0, 5.79, false},  {0.1, 8.05, true}, {0.1, 8.04, false},
        {-1.0, 8.05, true}, {-1.0, 8.04, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.intensity << " at " << c.keysPerSecond);
        EngineScript script;
        script.settings.reactionIntensity = c.intensity;
        script.typeAt(c.keysPerSecond);
        EXPECT_EQ(script.step().mood == CatMood::overheated, c.overheated);
    }
}

TEST(BehaviorEngineCascade, SheDozesOffAfterTheActivityWindowOfHerIntensity) {
    struct Case {
        double intensity;
        double quietSeconds;
        bool asleep;
    };
    const Case cases[] = {
        {0.72, 120, false}, {0.72, 120.1, true}, {1.0, 93.3, false},
        {1.0, 93.5, true},  {0.1, 178.8, false}, {0.1, 179, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.intensity << " after " << c.quietSeconds);
        EngineScript script;
        script.settings.reactionIntensity = c.intensity;
        script.wiggle();
        script.step();
        EXPECT_EQ(script.runFor(c.quietSeconds).pose == CatPose::sleep, c.asleep);
    }
}

TEST(BehaviorEngineCascade, HerGazeFollowsThePointerUnlessSheMayNotLook) {
    EngineScript script;
    script.movePointer({script.head().x + 40, script.head().y - 40});
    EXPECT_EQ(script.step().eyeOffset, (Size{0.5, 0.5})) << "down the screen looks down";
    script.movePointer({0, 900});
    EXPECT_EQ(script.step().eyeOffset, (Size{-1, -1}));

    script.settings.eyeTrackingEnabled = false;
    EXPECT_EQ(script.step().eyeOffset, (Size{0, 0}));
    script.settings.eyeTrackingEnabled = true;
    script.input.napActive = true;
    EXPECT_EQ(script.step().eyeOffset, (Size{0, 0}));
    script.input.napActive = false;
    script.settings.quietHours = {true, 0, 0};
    EXPECT_EQ(script.step().eyeOffset, (Size{0, 0}));
}

TEST(BehaviorEngineCascade, TheSceneCarriesHerPositionAndTheTimerLabel) {
    EngineScript script;
    script.input.pomodoro.label = "F1 24:59";
    const CompanionScene& scene = script.step();
    EXPECT_EQ(scene.position, (Point{640, 100}));
    EXPECT_EQ(scene.timerLabel, "F1 24:59");
    EXPECT_TRUE(scene.isVisible);
    EXPECT_EQ(scene.yawnProgress, 0);
    EXPECT_FALSE(scene.butterflyPosition);
}

TEST(BehaviorEngineCascade, TheSameInputsGiveTheSameScenes) {
    const auto play = [](EngineScript& s) {
        std::vector<CompanionScene> scenes;
        s.engine.state.nextButterflyAt = 1005;
        s.typeAt(7);
        scenes.push_back(s.runFor(3));
        s.stopTyping();
        s.agent(AgentEventKind::started, "Claude Code");
        scenes.push_back(s.runFor(61));
        s.movePointer({s.head().x + 10, s.head().y});
        scenes.push_back(s.runFor(20));
        return scenes;
    };
    EngineScript first;
    EngineScript second;
    EXPECT_EQ(play(first), play(second));
    EXPECT_EQ(first.engine.state, second.engine.state);
}

} // namespace
} // namespace purlo
