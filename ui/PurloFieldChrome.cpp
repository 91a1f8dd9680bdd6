#include "ui/PurloFieldChrome.h"

#include "companion/PurloTheme.h"
#include "companion/qt/SurfaceAppearance.h"
#include "ui/RoundedFace.h"

#include <QLineEdit>
#include <QPainter>

namespace purlo {

void paintFieldBox(QWidget& box, double cornerRadius, bool focused) {
    QPainter painter(&box);
    paintRoundedFace(painter, QRectF(box.rect()), cornerRadius,
                     themeQColor(PurloTheme::controlFill, box),
                     themeQColor(focused ? PurloTheme::accent : PurloTheme::controlBorder, box));
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

void refuseTextWhileDisabled(QLineEdit& field) {
    field.setReadOnly(!field.isEnabled());
}

} // namespace purlo
