// One engine step over ten minutes of a working session: typing bursts in a coding
// tool, app switches, the pointer coming and going near the cat, an agent run from
// start to completion, reminders, a Pomodoro phase, idle spells, a butterfly visit
// and a zoomies run.
#include "model/PurloBehaviorEngine.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <cstddef>
#include <vector>

namespace purlo {
namespace {

constexpr double startTime = 5000;
constexpr int stepsPerSession = 6000; // ten minutes at 10 Hz
constexpr Rect screen{{0, 0}, {1440, 900}};
constexpr Point home{640, 100};

TypingSnapshot typingAt(double keysPerSecond, double time) {
    if (keysPerSecond <= 0) {
        return {};
    }
    return {static_cast<std::int64_t>(std::lround(keysPerSecond * 2.5)), keysPerSecond, time};
}

std::vector<BehaviorInput> workingSession() {
    const ActiveAppSnapshot apps[] = {
        {"Terminal", "org.gnome.Terminal"},
        {"Code", "code"},
        {"Firefox", "firefox"},
    };
    std::vector<BehaviorInput> inputs;
    inputs.reserve(stepsPerSession);
    std::optional<double> lastKey;
    Point pointer{200, 700};
    for (int tick = 0; tick < stepsPerSession; ++tick) {
        const double t = startTime + tick / 10.0;
        const int second = tick / 10;
        BehaviorInput input;
        input.time = t;
        input.screenFrame = screen;
        input.companionScreenFrame = screen;
        input.localMinuteOfDay = 14 * 60 + second / 60;
        input.activeApp = apps[(second / 25) % 3];

        // Typing in bursts of 40 s, fast for a few seconds of each, then 20 s of reading.
        const int phase = second % 60;
        const double keysPerSecond = phase < 40 ? (phase % 13 < 3 ? 7.2 : 3.6) : 0;
        if (keysPerSecond > 0) {
            lastKey = t;
        }
        input.typing = typingAt(keysPerSecond, t);
        input.typing.lastKeyPressTime = lastKey;

        // The pointer wanders during reading, sometimes close past her head, quickly.
        if (phase >= 40) {
            const double angle = tick * 0.05;
            const Point next{720 + 300 * std::cos(angle), 300 + 200 * std::sin(angle)};
            input.pointer.velocity = {(next.x - pointer.x) * 10, (next.y - pointer.y) * 10};
            pointer = next;
            input.pointer.lastMovementTime = t;
        }
        input.pointer.location = pointer;

        // An agent run: started, thinking, waiting for the user, thinking, completed.
        const double runAt = t - startTime;
        AgentEventSnapshot event;
        const auto report = [&](AgentEventKind kind, double at) {
            event = {kind, "Claude Code", std::nullopt, startTime + at, std::nullopt};
        };
        if (runAt >= 60 && runAt < 90) {
            report(AgentEventKind::started, 60);
        } else if (runAt >= 90 && runAt < 200) {
            report(AgentEventKind::thinking, 90);
        } else if (runAt >= 200 && runAt < 230) {
            report(AgentEventKind::waiting, 200);
        } else if (runAt >= 230 && runAt < 420) {
            report(AgentEventKind::thinking, 230);
        } else if (runAt >= 420 && runAt < 425) {
            report(AgentEventKind::completed, 420);
        }
        input.agentEvent = event;

        if (tick % 1800 == 900) {
            input.reminder = ReminderEvent::fixedMessage("sip water?");
        }
        if (tick == 4500) {
            input.pomodoro.event = PomodoroEvent::focusCompleted(1);
        }
        if (tick == 5200) {
            input.interaction = CompanionInteraction::pet();
        }
        input.pomodoro.label = "F1 12:00";
        input.secondsSinceAnyInput = phase >= 40 ? 0.1 : 0.0;
        inputs.push_back(std::move(input));
    }
    return inputs;
}

PurloBehaviorEngine freshEngine() {
    PurloBehaviorEngine engine;
    engine.state.position = home;
    // Bring a butterfly and a zoomies run into these ten minutes.
    engine.state.nextButterflyAt = startTime + 41;
    engine.state.nextZoomiesAt = startTime + 520;
    return engine;
}

void engineStep(benchmark::State& bench) {
    const std::vector<BehaviorInput> inputs = workingSession();
    const PurloSettings settings;
    PurloBehaviorEngine engine = freshEngine();
    std::size_t next = 0;
    for (auto _ : bench) {
        if (next == inputs.size()) {
            bench.PauseTiming();
            engine = freshEngine();
            next = 0;
            bench.ResumeTiming();
        }
        CompanionScene scene = engine.step(inputs[next++], settings);
        benchmark::DoNotOptimize(scene);
    }
}

BENCHMARK(engineStep)->Repetitions(9)->ReportAggregatesOnly(true);

} // namespace
} // namespace purlo
