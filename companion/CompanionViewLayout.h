#pragma once

#include "platform/Canvas.h"

namespace purlo {

// Where everything of the companion's view goes in her 160 x 204 panel, in points from
// the panel's top-left corner, y downward. She stands in a 128-point frame centred on
// the bottom edge and is scaled about its centre; her bubble floats above her and her
// timer sits to her upper right.
//
// Scaled about its centre, her frame reaches below the panel's bottom edge at sizes
// above 1: her window is the panel with room for that below it, so her paws are never
// cut. Her place on the desktop is still the panel's lower-left corner.
struct CompanionViewLayout {
    static constexpr double panelWidth = 160;
    static constexpr double panelHeight = 204;
    static constexpr double catSide = 128;
    // Her largest size, the user's 1.2 times a stretch's 1.16, takes her frame
    // 64 x (1.392 - 1), just over 25 points, below the panel.
    static constexpr double groundRoom = 26;
    static constexpr double windowHeight = panelHeight + groundRoom;
    // Her bounces, tilts and the lift of being carried reach up to 18 points beyond her
    // frame at full size, and a crown on her lifted head 21; her view leaves her this
    // much room on every side.
    static constexpr double catOverflow = 22;
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
    // The part of the window her view covers at size s: the scaled frame with room for
    // her motion around it, within the window.
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
