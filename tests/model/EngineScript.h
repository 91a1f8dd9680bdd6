#pragma once

#include "model/PurloBehaviorEngine.h"

#include <algorithm>
#include <cmath>

namespace purlo::testing {

using A = AgentEventKind;
using E = PomodoroEvent;
using I = CompanionInteraction;
using M = CompanionMessage;
using P = CatPose;
using R = ReminderEvent;
using State = BehaviorEngineState;

// Steps an engine every 0.1 s from 1000 s, as the runtime does. One-shot inputs go with the
// next step only; a typing rate, once set, presses a key at every step.
class EngineScript {
public:
    static constexpr Rect screen{{0, 0}, {1440, 900}};

    EngineScript() {
        engine.state.position = {640, 100}; // head at (720, 164): the screen's middle
        input.screenFrame = input.companionScreenFrame = screen;
        input.pointer.location = {200, 700}; // well away from her
        input.localMinuteOfDay = 12 * 60;
    }

    PurloBehaviorEngine engine;
    PurloSettings settings;
    BehaviorInput input;

    double time() const { return timeOf(ticks_); }         // of the step that ran last
    double nextTime() const { return timeOf(ticks_ + 1); } // of the step that runs next
    const CompanionScene& scene() const { return scene_; }
    Point head() const {
        const Point at = engine.state.position, offset = PurloBehaviorEngine::headOffset;
        return {at.x + offset.x, at.y + offset.y};
    }

    EngineScript& step() {
        input.time = timeOf(++ticks_);
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
    EngineScript& runFor(double seconds) { return runUntil(time() + seconds); }
    // Until the step at time has run; when busy, the user twitches the pointer meanwhile.
    EngineScript& runUntil(double time, bool busy = false) {
        while (nextTime() <= time + 1e-9) {
            (busy ? wiggle() : *this).step();
        }
        return *this;
    }
    EngineScript& busyUntil(double time) { return runUntil(time, true); }

    EngineScript& interact(I value) { return set(input.interaction, value).step(); }
    EngineScript& remind(R value) { return set(input.reminder, value).step(); }
    EngineScript& pomodoro(E value) { return set(input.pomodoro.event, value).step(); }
    // The bridge's current event, received at the next step, until it is replaced.
    EngineScript& agent(A kind, std::string source = "codex", std::optional<double> expiry = {}) {
        input.agentEvent = {kind, std::move(source), std::nullopt, nextTime(), expiry};
        return step();
    }

    EngineScript& napping(bool active = true) { return set(input.napActive, active); }
    EngineScript& returningAfter(double away) { return set(input.storedAbsenceSeconds, away); }
    EngineScript& due(double State::*at) { return set(engine.state.*at, nextTime()); }
    EngineScript& typeAt(double keysPerSecond) { return set(keysPerSecond_, keysPerSecond); }
    // The last key press stays known; none within the last 2.5 s.
    EngineScript& stopTyping() {
        keysPerSecond_.reset();
        input.typing.recentKeyPressCount = 0;
        return set(input.typing.keysPerSecond, 0.0);
    }
    EngineScript& quietHours(QuietHoursSchedule hours) { return set(settings.quietHours, hours); }
    EngineScript& atMinute(std::int64_t minute) { return set(input.localMinuteOfDay, minute); }
    EngineScript& reacting(bool on) { return set(settings.reactionsEnabled, on); }
    EngineScript& bridging(bool on) { return set(settings.localAgentBridgeEnabled, on); }
    EngineScript& movePointer(Point location, Size velocity = {}) {
        input.pointer = {location, velocity, nextTime()};
        return *this;
    }
    EngineScript& wiggle() { return movePointer(input.pointer.location); }
    EngineScript& switchApp(std::string name, std::optional<std::string> bundle = {}) {
        return set(input.activeApp, ActiveAppSnapshot{std::move(name), std::move(bundle)});
    }

private:
    double timeOf(std::int64_t ticks) const { return 1000 + static_cast<double>(ticks) / 10; }
    template <typename Field, typename Value>
    EngineScript& set(Field& field, Value value) {
        field = std::move(value);
        return *this;
    }

    std::int64_t ticks_ = -1;
    std::optional<double> keysPerSecond_;
    CompanionScene scene_;
};

} // namespace purlo::testing
