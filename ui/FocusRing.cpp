#include "ui/FocusRing.h"

#include "companion/PurloTheme.h"
#include "companion/qt/SurfaceAppearance.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWidget>
#include <algorithm>

namespace purlo {
namespace {

// The ring of a control that cannot draw it itself, on a widget of its own that lies over
// the control's place, above its neighbours, and lets every click through. Inside the
// control it covers the control; round it, it lives beside the holder and follows it.
class FocusOverlay final : public QWidget {
public:
    FocusOverlay(QWidget& control, QWidget* holder, double cornerRadius)
        : QWidget(holder ? holder->parentWidget() : &control)
        , control_(control)
        , holder_(holder)
        , cornerRadius_(cornerRadius) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        control.installEventFilter(this);
        if (holder_ != nullptr) {
            holder_->installEventFilter(this);
            connect(holder_, &QObject::destroyed, this, &QObject::deleteLater);
        }
        place();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::ParentChange:
            if (watched == holder_) {
                setParent(holder_->parentWidget());
            }
            place();
            break;
        case QEvent::FocusIn:
        case QEvent::FocusOut:
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            place();
            break;
        default:
            break;
        }
        return false;
    }

    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        paintFocusRingInside(painter, *this, QRectF(rect()), cornerRadius_ + focusRingRoom);
    }

private:
    void place() {
        if (parentWidget() == nullptr) {
            return;
        }
        if (holder_ == nullptr) {
            setGeometry(control_.rect());
        } else {
            const QRect around(control_.mapTo(parentWidget(), QPoint(0, 0)), control_.size());
            setGeometry(
                around.adjusted(-focusRingRoom, -focusRingRoom, focusRingRoom, focusRingRoom));
        }
        setVisible(control_.hasFocus() && control_.isVisible());
        raise();
    }

    QWidget& control_;
    QWidget* holder_;
    double cornerRadius_;
};

} // namespace

void paintFocusRing(QPainter& painter, const QWidget& control, const QRectF& face,
                    double cornerRadius) {
    const double outset = focusRingGap + focusRingWidth / 2;
    QPainterPath ring;
    ring.addRoundedRect(face.adjusted(-outset, -outset, outset, outset), cornerRadius + outset,
                        cornerRadius + outset);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(1);
    painter.setPen(QPen(themeQColor(PurloTheme::accent, control), focusRingWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(ring);
    painter.restore();
}

void paintFocusRingInside(QPainter& painter, const QWidget& control, const QRectF& outline,
                          double outlineRadius) {
    constexpr double room = focusRingRoom;
    paintFocusRing(painter, control, outline.adjusted(room, room, -room, -room),
                   std::max(outlineRadius - room, 0.0));
}

void showFocusInside(QWidget& control, double cornerRadius) {
    new FocusOverlay(control, nullptr, cornerRadius);
}

void showFocusAround(QWidget& control, QWidget& holder, double cornerRadius) {
    new FocusOverlay(control, &holder, cornerRadius);
}

} // namespace purlo
