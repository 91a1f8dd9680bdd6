#include "ui/PurloAppIcon.h"

#include "companion/PurloTheme.h"
#include "companion/qt/ThemeQColor.h"
#include "ui/PurloIcon.h"

#include <QIconEngine>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>

namespace purlo {
namespace {

// The sizes offered to a tray that asks which there are before it asks for one.
const QList<QSize> offeredSizes{{16, 16}, {22, 22}, {24, 24}, {32, 32}, {48, 48}, {64, 64}};

// Draws the paw at the size it is asked for, when it is asked. A panel shows one size;
// drawn ahead at every size a panel might want, the pictures and the ones they were
// made from held about a third of a mebibyte for the life of the program.
class PawIconEngine final : public QIconEngine {
public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal ratio = painter->device()->devicePixelRatioF();
        QPixmap paw = pixmap((QSizeF(rect.size()) * ratio).toSize(), mode, state);
        paw.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect.topLeft(), paw);
    }

    // The last size drawn is kept: the panel asks again at every repaint.
    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = std::min(size.width(), size.height());
        if (side <= 0) {
            return {};
        }
        if (kept_.width() != side) {
            kept_ = purloPawPixmap(side);
        }
        return kept_;
    }

    // Square, so that a wider or taller place centres the paw.
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = std::min(size.width(), size.height());
        return {side, side};
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return offeredSizes; }
    QIconEngine* clone() const override { return new PawIconEngine(*this); }
    QString key() const override { return QStringLiteral("PawIconEngine"); }

private:
    QPixmap kept_;
};

} // namespace

QPixmap purloPawPixmap(int side) {
    const double inset = std::max(1.0, side / 16.0);
    const QSizeF paw(side - 2 * inset, side - 2 * inset);
    const QPixmap rim = purloIcon("pawprint.fill", paw, themeQColor(PurloTheme::ink));
    const QPixmap light = purloIcon("pawprint.fill", paw, themeQColor(PurloTheme::menuText));

    QPixmap outline(side, side);
    outline.fill(Qt::transparent);
    QPainter rimPainter(&outline);
    for (const double dx : {-inset, 0.0, inset}) {
        for (const double dy : {-inset, 0.0, inset}) {
            rimPainter.drawPixmap(QPointF(inset + dx, inset + dy), rim);
        }
    }
    rimPainter.end();

    QPixmap canvas(side, side);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.setOpacity(0.7);
    painter.drawPixmap(0, 0, outline);
    painter.setOpacity(1);
    painter.drawPixmap(QPointF(inset, inset), light);
    return canvas;
}

QIcon purloAppIcon() {
    return QIcon(new PawIconEngine);
}

} // namespace purlo
