#pragma once

#include "companion/qt/RasterLayer.h"
#include "platform/Clock.h"

#include <QTimer>
#include <QWidget>

namespace purlo {

// The pixel butterfly with beating wings, filling the butterfly's 72 x 72 window. It
// redraws twelve times a second from the wall clock, and only while it is shown.
class ButterflyView final : public QWidget {
    Q_OBJECT

public:
    explicit ButterflyView(QWidget* parent = nullptr);

    // Where the wing beat's time comes from (the wall clock unless replaced). The owner
    // keeps the clock alive as long as the view.
    void setClock(const Clock& clock);

    // How far the wings are open in the frame drawn now.
    double flap() const;
    bool isAnimating() const { return frameTimer_.isActive(); }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    SystemClock systemClock_;
    const Clock* clock_ = &systemClock_;
    QTimer frameTimer_;
    RasterLayer layer_;
};

} // namespace purlo
