#pragma once

#include "companion/CatAnimationFrame.h"
#include "companion/CatLook.h"
#include "model/CompanionScene.h"
#include "platform/Canvas.h"

namespace purlo {

// One frame of the pixel cat: the scene and look at one instant, drawn on a canvas
// of the given size.
struct ReferencePurloCatView {
    CompanionScene scene;
    CatLook look;
    double time = 0; // seconds since the reference date; 0 for the still picture

    // The whole frame: the pose of this instant, the cat fitted into the canvas, then
    // mirrored for her facing, scaled about the bottom centre, turned about the unit
    // point (0.5, 0.92) and moved by the body offset. Leaves the canvas's state as it
    // found it.
    void draw(Canvas& canvas, double width, double height) const;

    // -1 (drawn mirrored) when she looks left of -0.08, else +1.
    static double facing(const CompanionScene& scene);

    // The cat herself, unmirrored and unmoved: body by stance, markings, neck
    // accessory, head, head markings, eyes, crown, raised paw and mood marks, every
    // cell through one batcher flushed at the end.
    static void drawCat(Canvas& canvas, double width, double height, const CatAnimationFrame& frame,
                        double facing, const CompanionScene& scene, const CatLook& look);
};

} // namespace purlo
