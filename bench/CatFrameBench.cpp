// One cat frame as the companion makes it, at 1x, 2x, 3x and 4x device pixels: drawn in
// software, compared with the frame before, and what changed laid onto the window's
// image. Each frame is a 24th of a second after the last, with a busy look and a lively
// pose. The program ends with a failure when a median passes its budget.
#include "companion/CatLook.h"
#include "companion/RasterFrames.h"
#include "companion/qt/CatFramePainter.h"
#include "model/CompanionScene.h"

#include <QImage>
#include <QPainter>
#include <QRegion>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>

namespace purlo {
namespace {

constexpr double side = 128; // points, the companion's frame

// Milliseconds a frame may take, by density: a 24-frames-a-second animation beside the
// user's work should cost a few percent of a core at most on a dense screen, and far less
// on the common 2x one.
const std::map<int, double> budgetMilliseconds{{1, 1.0}, {2, 0.25}, {3, 1.0}, {4, 1.0}};

void paintFrames(benchmark::State& state, CatPose pose, CatMood mood) {
    const int density = static_cast<int>(state.range(0));
    CompanionScene scene;
    scene.pose = pose;
    scene.mood = mood;
    scene.eyeOffset = {0.3, 0.4};
    const CatLook look{CatSkinPreset::calico, CatPatternPreset::stripes, CatEyeColorPreset::sky,
                       CatAccessoryPreset::crown};
    const int pixels = static_cast<int>(side) * density;
    QImage window(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    window.fill(Qt::transparent);
    RasterFrames frames;
    double time = 700000000;
    for (auto _ : state) {
        const std::vector<PixelRect> changed = frames.draw(pixels, pixels, [&](Canvas& canvas) {
            canvas.scale(density, density);
            CatFramePainter::draw(canvas, QRectF(0, 0, side, side), 1, scene, look, time);
        });
        QRegion region;
        for (const PixelRect& rect : changed) {
            region += QRect(rect.x, rect.y, rect.width, rect.height);
        }
        const PixelBuffer frame = frames.current();
        const QImage image(reinterpret_cast<const uchar*>(frame.pixels), frame.width, frame.height,
                           static_cast<qsizetype>(frame.stride) * 4,
                           QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&window);
        painter.setClipRegion(region);
        painter.drawImage(0, 0, image);
        painter.end();
        benchmark::DoNotOptimize(window.constBits());
        time += 1.0 / 24;
    }
}

void BM_CatFrameCelebrating(benchmark::State& state) {
    paintFrames(state, CatPose::celebrate, CatMood::celebrating);
}

void BM_CatFrameHunting(benchmark::State& state) {
    paintFrames(state, CatPose::hunt, CatMood::hunting);
}

void BM_CatFrameSleeping(benchmark::State& state) {
    paintFrames(state, CatPose::sleep, CatMood::sleeping);
}

BENCHMARK(BM_CatFrameCelebrating)->DenseRange(1, 4)->Unit(benchmark::kMicrosecond)->Repetitions(5);
BENCHMARK(BM_CatFrameHunting)->DenseRange(1, 4)->Unit(benchmark::kMicrosecond)->Repetitions(5);
BENCHMARK(BM_CatFrameSleeping)->DenseRange(1, 4)->Unit(benchmark::kMicrosecond)->Repetitions(5);

// Prints as usual and keeps each benchmark's median processor time per frame.
class BudgetReporter final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.aggregate_name == "median") {
                medians.emplace_back(run.benchmark_name(), run.GetAdjustedCPUTime() / 1000);
            }
        }
    }

    std::vector<std::pair<std::string, double>> medians;
};

} // namespace
} // namespace purlo

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    purlo::BudgetReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    bool within = true;
    for (const auto& [name, milliseconds] : reporter.medians) {
        // Names end in "/<density>/repeats:5_median".
        const int density = std::stoi(name.substr(name.find('/') + 1));
        const double budget = purlo::budgetMilliseconds.at(density);
        const bool ok = milliseconds <= budget;
        within = within && ok;
        std::printf("%-40s %.3f ms (budget %.2f ms): %s\n", name.c_str(), milliseconds, budget,
                    ok ? "within" : "OVER");
    }
    return within ? 0 : 1;
}
