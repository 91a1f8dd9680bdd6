#pragma once

#include "model/PurloBehaviorEngine.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

namespace purlo {

// Readable failures for the values the engine tests compare.
inline void PrintTo(const Point& point, std::ostream* out) {
    *out << "(" << point.x << ", " << point.y << ")";
}

inline void PrintTo(const Size& size, std::ostream* out) {
    *out << "(" << size.width << ", " << size.height << ")";
}

inline void PrintTo(const CompanionMessage& message, std::ostream* out) {
    *out << "\"" << message.text << "\" " << toString(message.kind);
}

inline void PrintTo(const CompanionScene& scene, std::ostream* out) {
    *out << toString(scene.mood) << "/" << toString(scene.pose) << " at ";
    PrintTo(scene.position, out);
    if (scene.message) {
        *out << " saying ";
        PrintTo(*scene.message, out);
    }
}

} // namespace purlo

namespace purlo::testing {

// Drives an engine the way the runtime's tick does: one step every 0.1 s, with a
// standing input that the test changes between steps. The one-shot inputs (an
// interaction, a reminder, a Pomodoro event) go with the next step only, and the
// typing rhythm, once set, keeps its last key press at the current step.
class EngineScript {
public:
    static constexpr Rect screen{{0, 0}, {1440, 900}};

    explicit EngineScript(double startTime = 1000)
        : start_(startTime) {
        engine.state.position = {640, 100}; // head at (720, 164): the screen's middle
        input.screenFrame = screen;
        input.companionScreenFrame = screen;
        input.pointer.location = {200, 700}; // well away from her
        input.localMinuteOfDay = 12 * 60;
    }

    PurloBehaviorEngine engine;
    PurloSettings settings;
    BehaviorInput input;

    // The time of the step that ran last.
    double time() const { return timeOf(ticks_); }
    // The time of the step that runs next.
    double nextTime() const { return timeOf(ticks_ + 1); }
    const CompanionScene& scene() const { return scene_; }
    Point head() const {
        return {engine.state.position.x + PurloBehaviorEngine::headOffset.x,
                engine.state.position.y + PurloBehaviorEngine::headOffset.y};
    }

    const CompanionScene& step() {
        ++ticks_;
        input.time = time();
        if (keysPerSecond_) {
            input.typing.keysPerSecond = *keysPerSecond_;
            input.typing.recentKeyPressCount =
                std::max<std::int64_t>(1, std::llround(*keysPerSecond_ * 2.5));
            input.typing.lastKeyPressTime = input.time;
        }
        scene_ = engine.step(input, settings);
        input.interaction.reset();
        input.reminder.reset();
        input.pomodoro.event.reset();
        return scene_;
    }

    // Steps every 0.1 s for the given seconds; the last scene.
    const CompanionScene& runFor(double seconds) {
        for (long tick = std::lround(seconds * 10); tick > 0; --tick) {
            step();
        }
        return scene_;
    }

    // Steps until the step at time has run (at once when it has already).
    const CompanionScene& runUntil(double time) {
        while (nextTime() <= time + 1e-9) {
            step();
        }
        return scene_;
    }

    const CompanionScene& interact(const CompanionInteraction& interaction) {
        input.interaction = interaction;
        return step();
    }

    const CompanionScene& remind(const ReminderEvent& reminder) {
        input.reminder = reminder;
        return step();
    }

    const CompanionScene& pomodoro(const PomodoroEvent& event) {
        input.pomodoro.event = event;
        return step();
    }

    // The bridge's current event, received at the next step, until it is replaced.
    const CompanionScene& agent(AgentEventKind kind, std::string source = "codex",
                                std::optional<double> expiresAt = std::nullopt) {
        input.agentEvent = {kind, std::move(source), std::nullopt, nextTime(), expiresAt};
        return step();
    }

    void typeAt(double keysPerSecond) { keysPerSecond_ = keysPerSecond; }

    // The last key press stays known; nothing was pressed within the last 2.5 s.
    void stopTyping() {
        keysPerSecond_.reset();
        input.typing.recentKeyPressCount = 0;
        input.typing.keysPerSecond = 0;
    }

    // The pointer moved there at the next step.
    void movePointer(Point location) {
        input.pointer.location = location;
        input.pointer.lastMovementTime = nextTime();
    }

    // The user did something at the next step that only the engine sees.
    void wiggle() { movePointer(input.pointer.location); }

    void switchApp(std::string name, std::optional<std::string> bundleIdentifier = std::nullopt) {
        input.activeApp = {std::move(name), std::move(bundleIdentifier)};
    }

private:
    double timeOf(std::int64_t ticks) const { return start_ + static_cast<double>(ticks) / 10; }

    double start_;
    std::int64_t ticks_ = -1;
    std::optional<double> keysPerSecond_;
    CompanionScene scene_;
};

} // namespace purlo::testing
