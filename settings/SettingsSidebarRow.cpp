#include "settings/SettingsSidebarRow.h"

#include "companion/qt/SurfaceAppearance.h"
#include "settings/SettingsSidebarRowColors.h"
#include "ui/KitFont.h"
#include "ui/PurloIcon.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>

namespace purlo {

SettingsSidebarRow::SettingsSidebarRow(SettingsSectionTab tab, QWidget* parent)
    : QAbstractButton(parent)
    , tab_(tab) {
    const QString name = QString::fromUtf8(title(tab));
    setText(name);
    setAccessibleName(name);
    setObjectName(QStringLiteral("settings.sidebar.") + QString::fromUtf8(toString(tab)));
    setCheckable(true);
    setFont(kitFont(titlePoints));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QColor SettingsSidebarRow::foreground() const {
    return themeQColor(settingsSidebarRowColors(isChecked(), isActiveWindow()).foreground, *this);
}

QSize SettingsSidebarRow::sizeHint() const {
    return {titleLeft + fontMetrics().horizontalAdvance(text()) + iconLeft, rowHeight};
}

void SettingsSidebarRow::paintEvent(QPaintEvent*) {
    const SettingsSidebarRowColors colors = settingsSidebarRowColors(isChecked(), isActiveWindow());
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (colors.fill) {
        QPainterPath shape;
        shape.addRoundedRect(QRectF(rect()), cornerRadius, cornerRadius);
        painter.fillPath(shape, themeQColor(*colors.fill, *this));
    }
    const QColor ink = themeQColor(colors.foreground, *this);
    const QPixmap icon =
        purloIcon(systemImage(tab_), QSizeF(iconSize, iconSize), ink, devicePixelRatioF());
    if (!icon.isNull()) {
        painter.drawPixmap(QRectF(iconLeft, (rowHeight - iconSize) / 2, iconSize, iconSize), icon,
                           QRectF(icon.rect()));
    }
    painter.setPen(ink);
    painter.setFont(font());
    painter.drawText(QRect(titleLeft, 0, width() - titleLeft - iconLeft, rowHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, text());
}

// The chosen row's colours follow whether its window is the active one.
void SettingsSidebarRow::changeEvent(QEvent* event) {
    QAbstractButton::changeEvent(event);
    if (event->type() == QEvent::ActivationChange) {
        update();
    }
}

} // namespace purlo
