#pragma once

#include <QImage>
#include <QPoint>
#include <optional>

namespace purlo::testing {

// What a screenshot tells about the cat in her 160 x 204 panel, its top-left corner at
// panel, drawn at size 1 and facing right (the pointer to her right). The probes look
// at places and colours that tell her poses apart: her white front paws, her thought
// cloud, her confetti. Behind a window without a compositor the screen shows black.
namespace catProbes {

// Pixels of her 128-point frame that are not black.
int drawnPixels(const QImage& screen, QPoint panel);
// The bottom row of white of each front paw (left, right), where both can be found.
std::optional<std::pair<int, int>> frontPawBottoms(const QImage& screen, QPoint panel);
// Typing lifts one front paw and sets the other down; sitting, they stand level.
bool pawsAtDifferentHeights(const QImage& screen, QPoint panel);
// The pale blue-grey of the thought cloud at her upper right.
int thoughtCloudPixels(const QImage& screen, QPoint panel);
// The yellow of her confetti, anywhere in the panel.
int confettiPixels(const QImage& screen, QPoint panel);

} // namespace catProbes

} // namespace purlo::testing
