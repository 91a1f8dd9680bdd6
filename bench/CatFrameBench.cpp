#include "companion/CatLook.h"
#include "companion/qt/CatFramePainter.h"
#include "model/CompanionScene.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace purlo {
namespace {

// One full frame as the companion shows it: 128 x 128 points at 2x, a busy look and a
// lively pose, each frame a 24th of a second after the last.
void paintOneFrame(benchmark::State& state, CatPose pose, CatMood mood) {
    CompanionScene scene;
    scene.pose = pose;
    scene.mood = mood;
    scene.eyeOffset = {0.3, 0.4};
    const CatLook look{CatSkinPreset::calico, CatPatternPreset::stripes, CatEyeColorPreset::sky,
                       CatAccessoryPreset::crown};
    QImage image(256, 256, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(2);
    CatFramePainter catPainter;
    double time = 700000000;
    for (auto _ : state) {
        image.fill(Qt::transparent);
        QPainter painter(&image);
        catPainter.paint(painter, QSizeF(128, 128), scene, look, time);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
        time += 1.0 / 24;
    }
}

void BM_CatFrameCelebrating(benchmark::State& state) {
    paintOneFrame(state, CatPose::celebrate, CatMood::celebrating);
}

void BM_CatFrameHunting(benchmark::State& state) {
    paintOneFrame(state, CatPose::hunt, CatMood::hunting);
}

void BM_CatFrameSleeping(benchmark::State& state) {
    paintOneFrame(state, CatPose::sleep, CatMood::sleeping);
}

BENCHMARK(BM_CatFrameCelebrating)->Unit(benchmark::kMicrosecond)->Repetitions(5);
BENCHMARK(BM_CatFrameHunting)->Unit(benchmark::kMicrosecond)->Repetitions(5);
BENCHMARK(BM_CatFrameSleeping)->Unit(benchmark::kMicrosecond)->Repetitions(5);

} // namespace
} // namespace purlo
