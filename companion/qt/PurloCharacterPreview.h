#pragma once

#include "base/Geometry.h"
#include "companion/qt/PixelCatView.h"
#include "model/CatPose.h"
#include "model/CompanionScene.h"
#include "model/PurloSettings.h"

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QWidget>
#include <string>

namespace purlo {

// The companion cat inside an ordinary window, drawn from a settings value with the
// desktop cat's own renderer: the look the user is choosing, live. She does not think:
// her scene is fixed, and only her gaze moves, towards the pointer when she is asked
// to follow it. The preview fills the place it is given with a rounded backdrop and
// stands the cat at its bottom, centred, grown upwards by the companion's scale.
class PurloCharacterPreview final : public QWidget {
    Q_OBJECT

public:
    // A pointer this far to the side of the centre, or above or below it, turns her
    // eyes all the way.
    static constexpr double fullGazeDistanceX = 160;
    static constexpr double fullGazeDistanceY = 130;
    static constexpr double cornerRadius = 12;
    static constexpr double bottomPadding = 12;
    // The cat's frame is this much as wide as it is high.
    static constexpr double widthPerHeight = 0.88;

    // gaze: where she looks until the pointer moves her eyes, each axis -1...1.
    PurloCharacterPreview(const PurloSettings& settings, bool followsPointer, CatPose pose,
                          double catHeight, Size gaze, QWidget* parent = nullptr);

    // A new look redraws her at once; her gaze stays where it was.
    void setSettings(const PurloSettings& settings);
    void setReduceMotion(bool reduceMotion);
    // Leaves the top of the preview clear of the backdrop: room she may grow up into
    // above the band, where a band too low for her largest size would cut her ears.
    void setHeadroom(double points);

    // The backdrop's band: the whole preview below its headroom.
    QRectF band() const;

    Size gaze() const { return gaze_; }
    // The cat's frame inside the preview, in its local coordinates.
    QRectF catFrame() const;
    const PixelCatView& catView() const { return *catView_; }

    // The gaze that a pointer at point gives in a preview of that size.
    static Size gazeToward(QPointF point, QSizeF size);
    // Her fixed scene: typing when the pose is typing, otherwise idle, with that gaze.
    static CompanionScene scene(CatPose pose, Size gaze);
    // How she is announced: skin, eyes and accessory, as "Calico Purlo, Cocoa eyes, None".
    static std::string accessibilityLabel(const PurloSettings& settings);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void lookToward(QPointF point);
    void placeCat();

    PurloSettings settings_;
    bool followsPointer_;
    CatPose pose_;
    double catHeight_;
    double headroom_ = 0;
    Size gaze_;
    PixelCatView* catView_;
};

} // namespace purlo
