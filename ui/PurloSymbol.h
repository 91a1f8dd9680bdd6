#pragma once

#include "companion/PurloTheme.h"

#include <QSizeF>
#include <QWidget>
#include <string>

namespace purlo {

// One named icon ("checkmark", "chevron.right", ...) in a theme colour that follows its
// window's appearance, centred in its frame and turned by an angle when asked. Only a
// picture: it takes no clicks and says nothing to assistive technology.
class PurloSymbol final : public QWidget {
    Q_OBJECT

public:
    // frame: the room the symbol takes in a layout; iconSize: how large it is drawn.
    PurloSymbol(std::string symbol, QSizeF iconSize, const AppearanceColor& color, QSize frame,
                QWidget* parent = nullptr);

    // Clockwise, about the centre.
    void setRotation(double degrees);
    double rotation() const { return rotation_; }

    QSize sizeHint() const override { return frame_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::string symbol_;
    QSizeF iconSize_;
    AppearanceColor color_;
    QSize frame_;
    double rotation_ = 0;
};

} // namespace purlo
