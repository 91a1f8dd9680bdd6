#pragma once

#include "base/Geometry.h"
#include "companion/CatAnimationFrame.h"
#include "companion/CellTarget.h"
#include "companion/PurloFurPalette.h"
#include "model/CatLookPresets.h"
#include "model/CatPose.h"

namespace purlo {

// Where the pupils rest for a gaze: the x of each pupil's anchor and the eye's
// vertical centre line, on the grid.
struct PupilAnchors {
    double leftX = 0;
    double rightX = 0;
    double eyeY = 0;
    bool centred = false; // looking straight up or down: pupils meet in the middle

    friend constexpr bool operator==(const PupilAnchors&, const PupilAnchors&) = default;
};

// Both eyes, drawn in the head context after the head and its markings: they
// follow the gaze, blink, close in sleep, drop and narrow as she looks down, and
// cross for the cross-eyed pose.
struct CatEyeLayer {
    static RgbColor eyeColor(CatEyeColorPreset preset);

    // gazeX is already turned by the facing (positive toward the side she faces).
    // A component that is not a number counts as 0.
    static PupilAnchors pupilAnchors(double gazeX, double gazeY);

    static void drawEyes(const CatAnimationFrame& frame, const PurloFurPalette& palette,
                         double facing, CatPose pose, Size gaze, CatEyeColorPreset preset,
                         const CellTarget& target);
};

} // namespace purlo
