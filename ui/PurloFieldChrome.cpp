#include "ui/PurloFieldChrome.h"

#include "companion/PurloTheme.h"
#include "companion/qt/SurfaceAppearance.h"

#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>

namespace purlo {

void paintFieldBox(QWidget& box, double cornerRadius, bool focused) {
    QPainter painter(&box);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath face;
    face.addRoundedRect(QRectF(box.rect()), cornerRadius, cornerRadius);
    painter.fillPath(face, themeQColor(PurloTheme::controlFill, box));
    QPainterPath outline;
    outline.addRoundedRect(QRectF(box.rect()).adjusted(0.5, 0.5, -0.5, -0.5), cornerRadius - 0.5,
                           cornerRadius - 0.5);
    painter.setPen(
        QPen(themeQColor(focused ? PurloTheme::accent : PurloTheme::controlBorder, box), 1.0));
    painter.drawPath(outline);
}

void applyFieldTextColors(QLineEdit& field, const QWidget& surface) {
    QPalette colors = field.palette();
    colors.setColor(QPalette::Base, Qt::transparent);
    colors.setColor(QPalette::Text, themeQColor(PurloTheme::primaryText, surface));
    colors.setColor(QPalette::PlaceholderText, themeQColor(PurloTheme::tertiaryText, surface));
    colors.setColor(QPalette::Highlight, themeQColor(PurloTheme::accent, surface));
    colors.setColor(QPalette::HighlightedText, themeQColor(PurloTheme::onAccent, surface));
    field.setPalette(colors);
}

} // namespace purlo
