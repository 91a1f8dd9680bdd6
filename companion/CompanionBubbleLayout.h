#pragma once

#include "platform/Canvas.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace purlo {

// How the text system measures the bubble's text.
struct BubbleTextMetrics {
    // The advance of text set on one line at the point size.
    std::function<double(std::string_view text, double pointSize)> width;
    // The distance from one line to the next at the point size.
    std::function<double(double pointSize)> lineHeight;
};

// Where everything of one speech bubble goes, in an area as wide as the space the
// companion offers it, y downward. The body is centred in that width; its shadow falls
// to the lower right, and its tail hangs below its bottom edge.
//
// The text stays on one line at its natural width when that fits. Otherwise it wraps
// into a frame at most 148 points wide onto at most two lines, shrinking from 10 points
// down to 8 in whole points (the pixel font's cells stay whole pixels) before the second
// line is cut with an ellipsis. The frame is never wider than what the offered width
// leaves beside the insets and the shadow, so the bubble is never clipped. Only as much
// of a long text is measured as could show, so a text of any length is laid out in
// about the time a short one takes.
struct CompanionBubbleLayout {
    static constexpr double pointSize = 10;
    static constexpr double minimumPointSize = 8;
    static constexpr double wrapWidth = 148;
    static constexpr int maximumLines = 2;
    static constexpr double horizontalInset = 11;
    static constexpr double verticalInset = 8;
    static constexpr double shadowOffset = 4;
    static constexpr double tailSide = 11;
    static constexpr double tailDrop = 5;

    double textPointSize = pointSize;
    std::vector<std::string> lines;
    double lineHeight = 0;
    CanvasRect text; // the lines, each centred across this width
    CanvasRect body;
    double tailCentreX = 0;
    double tailCentreY = 0;
    double width = 0;  // the offered width
    double height = 0; // down to the tail's point or the shadow, whichever is lower

    // lineWidth: the outline's width, whose miter at the tail's point reaches further.
    static CompanionBubbleLayout make(std::string_view message, double offeredWidth,
                                      const BubbleTextMetrics& metrics, double lineWidth);
};

} // namespace purlo
