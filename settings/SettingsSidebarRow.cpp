#include "settings/SettingsSidebarRow.h"

#include "companion/qt/SurfaceAppearance.h"
#include "ui/FocusRing.h"
#include "ui/KitFont.h"
#include "ui/PurloIcon.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <optional>

namespace purlo {
namespace {

// How a row is drawn: the colour of its icon and title, and the fill behind it, if any.
struct RowColors {
    AppearanceColor foreground;
    std::optional<AppearanceColor> fill;
};

// The chosen row stands out on the accent only while its window is the active one; in
// a window behind others it keeps a quiet fill and the ordinary text colour, so the
// eye goes to whichever window the keyboard is in.
RowColors rowColors(bool selected, bool windowActive) {
    if (!selected) {
        return {PurloTheme::primaryText, std::nullopt};
    }
    if (!windowActive) {
        return {PurloTheme::primaryText, PurloTheme::border};
    }
    return {PurloTheme::onAccent, PurloTheme::accent};
}

} // namespace

SettingsSidebarRow::SettingsSidebarRow(SettingsSectionTab tab, QWidget* parent)
    : QAbstractButton(parent)
    , tab_(tab) {
    const QString name = QString::fromUtf8(title(tab));
    setText(name);
    setAccessibleName(name);
    setObjectName(QStringLiteral("settings.sidebar.") + QString::fromUtf8(toString(tab)));
    setCheckable(true);
    // The keyboard reaches the rows, and shows where it is; a click chooses a row without
    // leaving a ring on it.
    setFocusPolicy(Qt::TabFocus);
    setFont(kitFont(titlePoints));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QColor SettingsSidebarRow::foreground() const {
    return themeQColor(rowColors(isChecked(), isActiveWindow()).foreground, *this);
}

QSize SettingsSidebarRow::sizeHint() const {
    return {titleLeft + fontMetrics().horizontalAdvance(text()) + iconLeft, rowHeight};
}

void SettingsSidebarRow::paintEvent(QPaintEvent*) {
    const RowColors colors = rowColors(isChecked(), isActiveWindow());
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double fillInset = hasFocus() ? double(focusRingRoom) : 0;
    if (colors.fill) {
        QPainterPath shape;
        shape.addRoundedRect(QRectF(rect()).adjusted(fillInset, fillInset, -fillInset, -fillInset),
                             cornerRadius - fillInset / 2, cornerRadius - fillInset / 2);
        painter.fillPath(shape, themeQColor(*colors.fill, *this));
    }
    if (hasFocus()) {
        paintFocusRingInside(painter, *this, QRectF(rect()), cornerRadius);
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

// The chosen row's colours follow whether its window is the active one. A widget inside
// a window hears of that as the window's activation or deactivation; only the window
// itself gets the activation change.
bool SettingsSidebarRow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate) {
        update();
    }
    return QAbstractButton::event(event);
}

} // namespace purlo
