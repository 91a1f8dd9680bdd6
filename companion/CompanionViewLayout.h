#pragma once

#include "platform/Canvas.h"

namespace purlo {

// Where everything of the companion's view goes in her 160 x 204 panel, in points from
// the panel's top-left corner, y downward. She stands in a 128-point frame centred on
// the bottom edge and is scaled about its centre; her bubble floats above her and her
// timer sits to her upper right.
struct CompanionViewLayout {
    static constexpr double panelWidth = 160;
    static constexpr double panelHeight = 204;
    static constexpr double catSide = 128;
    // Her bounces, tilts and the lift of being carried reach up to 18 points beyond her
    // frame at full size; her view leaves her this much room on every side.
    static constexpr double catOverflow = 20;
    // Between the top of the scaled cat and the bottom of the bubble's body.
    static constexpr double bubbleGap = 7;
    static constexpr double timerOffsetX = 48;
    static constexpr double timerOffsetY = 44;
    static constexpr double timerPaddingX = 7;
    static constexpr double timerPaddingY = 4;

    // Her moment's size times the user's size; a size that is no number draws her at
    // 1, and she never shrinks below a tenth.
    static double effectiveScale(double sceneScale, double companionScale);
    // Her frame before scaling.
    static CanvasRect catFrame();
    // The part of the panel her view covers at size s: the scaled frame with room for
    // her motion around it, within the panel.
    static CanvasRect catViewArea(double s);
    // The y of the bubble body's bottom edge: 64 s + 64 + 7 points above the panel's
    // bottom, so that it stands 7 points above her scaled top.
    static double bubbleBottom(double s);
    // The timer capsule of the given size, to her upper right. Like the bubble, it stays
    // inside the panel: a long label ("F10 24:59") moves left as far as it must, and one
    // wider than the panel is narrowed to it.
    static CanvasRect timerLabelFrame(double width, double height);
};

} // namespace purlo
