#include "companion/ReferencePurloCatView.h"

#include "companion/CatAccessoryLayer.h"
#include "companion/CatEyeLayer.h"
#include "companion/CatGrid.h"
#include "companion/CatMoodMarks.h"
#include "companion/CatPatternLayer.h"
#include "companion/CatStanceDetails.h"
#include "companion/CellTarget.h"
#include "companion/DrawingContext.h"
#include "companion/PurloFurPalette.h"
#include "companion/PurloPixelBody.h"
#include "companion/SeamlessRectBatcher.h"

namespace purlo {
namespace {

// The head turns about the neck and sinks 4 grid units per unit of headYOffset.
constexpr double neckX = 286;
constexpr double neckY = 272;
constexpr double headDropPerUnit = 4;

void drawBody(const CatAnimationFrame& frame, const PurloFurPalette& palette,
              const CellTarget& body) {
    switch (frame.stance) {
    case CatBodyStance::sitting:
        PurloPixelBody::drawSittingTail(frame, palette, body);
        PurloPixelBody::drawSittingBody(palette, body);
        CatStanceDetails::drawSeated(frame, palette, body);
        return;
    case CatBodyStance::loaf:
        PurloPixelBody::drawLoafBody(frame, palette, body);
        return;
    case CatBodyStance::bow:
        PurloPixelBody::drawSittingTail(frame, palette, body);
        PurloPixelBody::drawSittingBody(palette, body);
        CatStanceDetails::drawBow(palette, body);
        return;
    case CatBodyStance::gallop:
        PurloPixelBody::drawGallopBody(frame, palette, body);
        return;
    }
}

} // namespace

double ReferencePurloCatView::facing(const CompanionScene& scene) {
    return scene.eyeOffset.width < -0.08 ? -1 : 1;
}

void ReferencePurloCatView::draw(Canvas& canvas, double width, double height) const {
    const CatAnimationFrame frame = CatAnimationFrame::make(scene, time);
    const double facingSign = facing(scene);

    canvas.save();
    canvas.translate(frame.bodyXOffset, frame.bodyYOffset);
    const double pivotX = 0.5 * width;
    const double pivotY = 0.92 * height;
    canvas.translate(pivotX, pivotY);
    canvas.rotate(frame.bodyRotationDegrees);
    canvas.translate(-pivotX, -pivotY);
    // Mirroring about the bottom centre keeps her feet where they were.
    canvas.translate(0.5 * width, height);
    canvas.scale(facingSign * frame.bodyScaleX, frame.bodyScaleY);
    canvas.translate(-0.5 * width, -height);
    drawCat(canvas, width, height, frame, facingSign, scene, look);
    canvas.restore();
}

void ReferencePurloCatView::drawCat(Canvas& canvas, double width, double height,
                                    const CatAnimationFrame& frame, double facing,
                                    const CompanionScene& scene, const CatLook& look) {
    const CatGrid grid = CatGrid::fit(width, height);
    if (grid.unit == 0) {
        return;
    }
    SeamlessRectBatcher batcher;
    const DrawingContext bodyContext(canvas);
    const DrawingContext headContext(canvas, grid.originX + neckX * grid.unit,
                                     grid.originY + neckY * grid.unit, frame.headTiltDegrees,
                                     headDropPerUnit * grid.unit * frame.headYOffset);
    const CellTarget body{batcher, grid, bodyContext, CellTarget::bodyContextID};
    const CellTarget head{batcher, grid, headContext, CellTarget::headContextID};
    const PurloFurPalette palette = PurloFurPalette::make(look.skin);

    drawBody(frame, palette, body);
    CatPatternLayer::drawBodyMarkings(look.pattern, palette, frame, body);
    CatAccessoryLayer::drawAccessory(look.accessory, palette, body);
    PurloPixelBody::drawHead(frame, palette, head);
    CatPatternLayer::drawHeadMarkings(look.pattern, palette, frame, head);
    CatEyeLayer::drawEyes(frame, palette, facing, scene.pose, scene.eyeOffset, look.eyeColor, head);
    CatAccessoryLayer::drawCrown(look.accessory, head);
    CatStanceDetails::drawRaisedPaw(frame, facing, palette, body);
    CatMoodMarks::draw(scene.mood, frame, body, head);
    batcher.flush();
}

} // namespace purlo
