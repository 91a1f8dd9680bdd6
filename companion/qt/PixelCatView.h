#pragma once

#include "companion/CatLook.h"
#include "companion/RasterFrames.h"
#include "model/CatLookPresets.h"
#include "model/CompanionScene.h"
#include "platform/Clock.h"

#include <QRectF>
#include <QRegion>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

namespace purlo {

// The animated pixel cat. She fills whatever size she is given, or the frame she is
// placed in, and redraws on a frame clock whose rate follows her mood (4, 12 or 24
// frames a second) while the view is shown. With reduce motion on she is one still
// frame, drawn for time 0, that changes only when the scene or the look does.
//
// Each frame is drawn in software as soon as it is due and compared with the one
// before; only the rows that changed are repainted, which is a small part of the view
// while she breathes or taps along. A view that is not shown has no frame clock: it
// draws the present instant whenever it is painted.
class PixelCatView final : public QWidget {
    Q_OBJECT

public:
    PixelCatView(const CompanionScene& scene, CatSkinPreset skin, CatPatternPreset pattern,
                 CatEyeColorPreset eyeColor, CatAccessoryPreset accessory,
                 QWidget* parent = nullptr);

    const CompanionScene& scene() const { return scene_; }
    void setScene(const CompanionScene& scene);

    const CatLook& look() const { return look_; }
    void setLook(const CatLook& look);

    bool reduceMotion() const { return reduceMotion_; }
    void setReduceMotion(bool reduceMotion);

    // Fits her into frame (in the view's coordinates) scaled by scale about its centre,
    // instead of into the whole view. The view around the frame is room for the
    // bounces and tilts that reach outside it.
    void setFrame(QRectF frame, double scale);

    // Whether nothing is ever painted beneath her (a window that is clear where she
    // stands): her pixels then simply replace the cleared ones, which is the same picture
    // laid down more cheaply than blending it.
    void setClearGround(bool clear) { clearGround_ = clear; }

    // Offered each frame the clock draws, with the rectangles of its pixels that changed
    // and the same part of the view in points; it shows what it can itself and answers
    // the part of the view the toolkit must still paint. Whatever the toolkit paints
    // later is drawn from the newest frame all the same.
    using FrameOutlet =
        std::function<QRegion(const PixelBuffer& frame, const std::vector<PixelRect>& changedPixels,
                              const QRegion& changed)>;
    void setFrameOutlet(FrameOutlet outlet) { frameOutlet_ = std::move(outlet); }

    // Where the frames' time comes from (the wall clock unless replaced). The owner
    // keeps the clock alive as long as the view.
    void setClock(const Clock& clock);

    // Seconds between frames while she animates; nothing while she stands still.
    std::optional<double> frameInterval() const;

    // The instant the next frame is drawn for: seconds since the reference date, or
    // 0 for the still picture.
    double frameTime() const;

    QSize sizeHint() const override;

    // Draws the frame of the present instant and repaints what changed: what the frame
    // clock does at every tick.
    void advanceFrame();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void updateFrameClock(bool shown);
    // Something the picture depends on changed: the frame is drawn once on the loop's
    // next turn, however many changes came together.
    void frameChanged();
    QSize framePixels(double density) const;
    // The frame of this instant: the part of the view, in points, where it differs from
    // the one before, and the same in the frame's pixels.
    struct ChangedArea {
        QRegion points;
        std::vector<PixelRect> pixels;
    };
    ChangedArea drawFrame();

    CompanionScene scene_;
    CatLook look_;
    std::optional<QRectF> frame_; // nothing: the whole view
    double frameScale_ = 1;
    bool reduceMotion_ = false;
    bool clearGround_ = false;
    SystemClock systemClock_;
    const Clock* clock_ = &systemClock_;
    QTimer frameTimer_;
    RasterFrames frames_;
    double framesDensity_ = 0;
    bool frameDue_ = true;
    FrameOutlet frameOutlet_;
};

} // namespace purlo
