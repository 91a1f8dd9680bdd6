#pragma once

#include "model/PurloBehaviorEngine.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

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

    EngineScript& step() {
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
        return *this;
    }

    // Steps every 0.1 s for the given seconds.
    EngineScript& runFor(double seconds) {
        for (long tick = std::lround(seconds * 10); tick > 0; --tick) {
            step();
        }
        return *this;
    }

    // Steps until the step at time has run (at once when it has already).
    EngineScript& runUntil(double time) {
        while (nextTime() <= time + 1e-9) {
            step();
        }
        return *this;
    }

    // Like runUntil, with the user visibly at work (the pointer twitching) meanwhile.
    EngineScript& busyUntil(double time) {
        while (nextTime() <= time + 1e-9) {
            wiggle().step();
        }
        return *this;
    }

    EngineScript& interact(const CompanionInteraction& interaction) {
        input.interaction = interaction;
        return step();
    }

    EngineScript& remind(const ReminderEvent& reminder) {
        input.reminder = reminder;
        return step();
    }

    EngineScript& pomodoro(const PomodoroEvent& event) {
        input.pomodoro.event = event;
        return step();
    }

    // The bridge's current event, received at the next step, until it is replaced.
    EngineScript& agent(AgentEventKind kind, std::string source = "codex",
                        std::optional<double> expiresAt = std::nullopt) {
        input.agentEvent = {kind, std::move(source), std::nullopt, nextTime(), expiresAt};
        return step();
    }

    EngineScript& napping(bool napActive = true) {
        input.napActive = napActive;
        return *this;
    }

    // The runtime's stored absence before this launch.
    EngineScript& returningAfter(double seconds) {
        input.storedAbsenceSeconds = seconds;
        return *this;
    }

    // A play of her own (zoomies, a funny face, a butterfly) falls due at the next step.
    EngineScript& due(double BehaviorEngineState::*nextAt) {
        engine.state.*nextAt = nextTime();
        return *this;
    }

    EngineScript& typeAt(double keysPerSecond) {
        keysPerSecond_ = keysPerSecond;
        return *this;
    }

    // The last key press stays known; nothing was pressed within the last 2.5 s.
    EngineScript& stopTyping() {
        keysPerSecond_.reset();
        input.typing.recentKeyPressCount = 0;
        input.typing.keysPerSecond = 0;
        return *this;
    }

    // The pointer moved there at the next step.
    EngineScript& movePointer(Point location) {
        input.pointer.location = location;
        input.pointer.lastMovementTime = nextTime();
        return *this;
    }

    // The pointer twitched at the next step: the user is around.
    EngineScript& wiggle() { return movePointer(input.pointer.location); }

    EngineScript& switchApp(std::string name,
                            std::optional<std::string> bundleIdentifier = std::nullopt) {
        input.activeApp = {std::move(name), std::move(bundleIdentifier)};
        return *this;
    }

private:
    double timeOf(std::int64_t ticks) const { return start_ + static_cast<double>(ticks) / 10; }

    double start_;
    std::int64_t ticks_ = -1;
    std::optional<double> keysPerSecond_;
    CompanionScene scene_;
};

} // namespace purlo::testing
