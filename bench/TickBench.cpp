// One whole tick of the runtime on fake sensors over a stretch of ordinary work: the
// pointer moving, keys pressed, the frontmost application changing now and then, the
// agent event file looked at once a second and the screens once a second.
#include "tests/support/RuntimeHarness.h"

#include <benchmark/benchmark.h>
#include <cmath>

namespace purlo {
namespace {

void tickWithFakeSensors(benchmark::State& state) {
    testing::RuntimeHarness harness;
    harness.applications.application = FrontmostApplication{"Terminal", "org.gnome.Terminal"};
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    long tick = 0;
    for (auto _ : state) {
        ++tick;
        harness.clock.advance(PurloRuntime::tickInterval);
        const double angle = static_cast<double>(tick) * 0.05;
        harness.pointer.position = {720 + 300 * std::cos(angle), 300 + 200 * std::sin(angle)};
        if (tick % 3 == 0) {
            harness.keys.press();
        }
        if (tick % 600 == 0) {
            harness.applications.application =
                FrontmostApplication{tick % 1200 == 0 ? "Terminal" : "Files", std::nullopt};
        }
        runtime.tick(harness.clock.now(), harness.clock.uptime());
        benchmark::DoNotOptimize(runtime.scene().value());
    }
}

BENCHMARK(tickWithFakeSensors)->Repetitions(9)->ReportAggregatesOnly(true);

} // namespace
} // namespace purlo
