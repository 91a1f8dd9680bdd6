#include "ui/PurloAppIcon.h"

#include "companion/PurloTheme.h"
#include "companion/qt/ThemeQColor.h"
#include "ui/PurloIcon.h"

#include <QPainter>
#include <algorithm>

namespace purlo {

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
    QIcon icon;
    for (const int side : {16, 22, 24, 32, 48, 64, 72, 144}) {
        icon.addPixmap(purloPawPixmap(side));
    }
    return icon;
}

} // namespace purlo
