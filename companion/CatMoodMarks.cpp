#include "companion/CatMoodMarks.h"

#include "companion/PixelColors.h"

#include <algorithm>

namespace purlo {
namespace {

constexpr RgbColor skyBlue{0.8, 0.96, 1.0};
constexpr RgbColor flushRed{0.94, 0.28, 0.22};
constexpr RgbColor blushPink{1.0, 0.42, 0.48};

void drawOverheated(const CatAnimationFrame& frame, const CellTarget& body) {
    body.add(flushRed, {160, 222, 22, 12}, 0.24);
    body.add(flushRed, {374, 222, 20, 12}, 0.24);
    body.add(flushRed, {224, 116, 18, 8}, 0.14);
    body.add(flushRed, {333, 116, 16, 8}, 0.14);
    const double d = frame.steamYOffset;
    body.add(mistGrey, {214, 54 + d, 10, 16}, 0.78);
    body.add(mistGrey, {302, 42 + d, 10, 18}, 0.78);
}

// The Z climbs one step each phase and never leaves the picture.
void drawSleepingZ(const CatAnimationFrame& frame, const CellTarget& body) {
    const double y = std::max(88.0 - 14.0 * static_cast<double>(frame.sleepZPhase), 28.0);
    body.add(mistGrey, {432, y, 30, 9}, 0.9);
    body.add(mistGrey, {450, y + 12, 12, 12}, 0.9);
    body.add(mistGrey, {432, y + 28, 30, 9}, 0.9);
}

} // namespace

void CatMoodMarks::draw(CatMood mood, const CatAnimationFrame& frame, const CellTarget& body,
                        const CellTarget& head) {
    switch (mood) {
    case CatMood::idle:
    case CatMood::hunting:
    case CatMood::typing:
    case CatMood::stretching:
    case CatMood::dragged:
        return;
    case CatMood::curious:
        body.add(mistGrey, {398, 120, 12, 12}, 0.9);
        body.add(mistGrey, {424, 88, 12, 12}, 0.9);
        body.add(mistGrey, {424, 152, 12, 12}, 0.75);
        return;
    case CatMood::thinking: {
        const double cloud = frame.thoughtBubbleScale > 1 ? 40 : 30;
        body.add(mistGrey, {395, 76, 12, 12}, 0.9);
        body.add(mistGrey, {425, 44, cloud, cloud}, 0.88);
        return;
    }
    case CatMood::celebrating: {
        const double f = static_cast<double>(frame.confettiPhase);
        body.add(yellow, {74 + 2 * f, 96, 12, 12});
        body.add(yellow, {388, 104 + 2 * f, 12, 12});
        body.add(skyBlue, {420 - 2 * f, 154, 12, 12});
        return;
    }
    case CatMood::overheated:
        drawOverheated(frame, body);
        return;
    case CatMood::sleeping:
        drawSleepingZ(frame, body);
        return;
    case CatMood::purring: {
        const double dy = 10 * frame.headPitchDown;
        head.add(blushPink, {146, 224 + dy, 26, 14}, 0.42);
        head.add(blushPink, {400, 224 + dy, 26, 14}, 0.42);
        return;
    }
    }
}

} // namespace purlo
