#include "ui/MenuRow.h"

#include "companion/PurloTheme.h"
#include "companion/qt/ThemeQColor.h"
#include "ui/MenuFont.h"
#include "ui/MenuRowPress.h"
#include "ui/PurloIcon.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace purlo {
namespace {

// The popover is always dark, so the appearance-following colours take their dark
// values here.
constexpr bool popoverIsDark = true;

constexpr double titlePixels = 14.5;
constexpr double symbolPixels = 16;
constexpr double hintPixels = 12.5;
constexpr double chevronPixels = 11;
constexpr double chevronOpacity = 0.7;

QFont titleFont() {
    return menuFont(titlePixels, QFont::Medium);
}

QFont hintFont() {
    return menuFont(hintPixels, QFont::Normal);
}

QColor withOpacity(QColor color, double opacity) {
    color.setAlphaF(static_cast<float>(color.alphaF() * opacity));
    return color;
}

QPainterPath rowShape(const QRectF& bounds) {
    QPainterPath path;
    path.addRoundedRect(bounds, MenuRow::cornerRadius, MenuRow::cornerRadius);
    return path;
}

} // namespace

MenuRow::MenuRow(const QString& title, std::optional<std::string> systemImage, Trailing trailing,
                 bool indented, std::function<void()> action, QWidget* parent)
    : QAbstractButton(parent)
    , systemImage_(std::move(systemImage))
    , trailing_(std::move(trailing))
    , indented_(indented)
    , hover_(
          *this,
          [this](bool hovering) {
              if (!hovering) {
                  cameUnderAt_.reset();
              }
              update();
          },
          [this] { cameUnderAt_ = clock_->uptime(); }) {
    setText(title);
    setAccessibleName(title);
    setAccessibleDescription(trailing_.keyHint);
    // The keys reach a row, but a click does not move the keys' choice onto it.
    setFocusPolicy(Qt::TabFocus);
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(this, &QAbstractButton::clicked, this, [action = std::move(action)] {
        if (action) {
            action();
        }
    });
}

void MenuRow::setTitle(const QString& title) {
    if (title == text()) {
        return;
    }
    setText(title);
    setAccessibleName(title);
}

void MenuRow::setSystemImage(std::optional<std::string> systemImage) {
    if (systemImage == systemImage_) {
        return;
    }
    systemImage_ = std::move(systemImage);
    update();
}

void MenuRow::setTrailing(Trailing trailing) {
    if (trailing == trailing_) {
        return;
    }
    trailing_ = std::move(trailing);
    setAccessibleDescription(trailing_.keyHint);
    update();
}

bool MenuRow::hovering() const {
    return hover_.hovering();
}

const MenuRow* MenuRow::keysChoice() const {
    const auto* chosen = qobject_cast<const MenuRow*>(QApplication::focusWidget());
    return chosen != nullptr && chosen->window() == window() ? chosen : nullptr;
}

bool MenuRow::lit() const {
    const MenuRow* chosen = keysChoice();
    return chosen != nullptr ? chosen == this : hovering();
}

double MenuRow::titleOffset() const {
    double offset = horizontalPadding;
    if (systemImage_) {
        offset += symbolColumn + spacing;
    }
    // The reserved column of a row without symbol, or an empty item that still takes
    // its share of spacing after one.
    if (indented_) {
        offset += (systemImage_ ? 0 : symbolColumn) + spacing;
    }
    return offset;
}

QSize MenuRow::sizeHint() const {
    const double line = std::max(symbolColumn, QFontMetricsF(titleFont()).height());
    return {272, static_cast<int>(std::ceil(line + 2 * verticalPadding))};
}

QSize MenuRow::minimumSizeHint() const {
    return {0, sizeHint().height()};
}

double MenuRow::trailingWidth() const {
    switch (trailing_.kind) {
    case Trailing::Kind::keyHint:
        return QFontMetricsF(hintFont()).horizontalAdvance(trailing_.keyHint);
    case Trailing::Kind::chevron:
        return chevronPixels + 2;
    case Trailing::Kind::none:
        return 0;
    }
    return 0;
}

void MenuRow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRectF bounds = rect();
    const bool highlighted = lit();
    if (highlighted) {
        painter.fillPath(rowShape(bounds), themeQColor(PurloTheme::accent, popoverIsDark));
    }
    // On the pale accent the label turns to the theme's ink for text on the accent, so
    // that it stays readable.
    const QColor foreground = highlighted ? themeQColor(PurloTheme::onAccent, popoverIsDark)
                                          : themeQColor(PurloTheme::menuText);
    const double centreY = bounds.height() / 2;

    if (systemImage_) {
        const QColor tint = withOpacity(foreground, highlighted ? 1.0 : 0.92);
        const QPixmap symbol =
            purloIcon(*systemImage_, QSizeF(symbolPixels, symbolPixels), tint, devicePixelRatioF());
        const QRectF column(horizontalPadding, centreY - symbolColumn / 2, symbolColumn,
                            symbolColumn);
        const QSizeF drawn(symbolPixels, symbolPixels);
        painter.drawPixmap(
            QRectF(column.center() - QPointF(drawn.width(), drawn.height()) / 2, drawn), symbol,
            QRectF(symbol.rect()));
    }

    const double trailing = trailingWidth();
    const double trailingLeft = bounds.width() - horizontalPadding - trailing;
    paintTrailing(painter, QRectF(trailingLeft, 0, trailing, bounds.height()), foreground,
                  highlighted);

    const double titleLeft = titleOffset();
    const double titleRight = trailing > 0 ? trailingLeft - spacing : trailingLeft;
    const QFont font = titleFont();
    const QFontMetricsF metrics(font);
    const QString title =
        metrics.elidedText(text(), Qt::ElideRight, std::max(0.0, titleRight - titleLeft));
    painter.setFont(font);
    painter.setPen(foreground);
    painter.drawText(QRectF(titleLeft, 0, std::max(0.0, titleRight - titleLeft), bounds.height()),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, title);
}

void MenuRow::paintTrailing(QPainter& painter, const QRectF& area, const QColor& foreground,
                            bool highlighted) const {
    switch (trailing_.kind) {
    case Trailing::Kind::keyHint: {
        painter.setFont(hintFont());
        painter.setPen(highlighted ? withOpacity(foreground, 0.8)
                                   : themeQColor(PurloTheme::menuSecondaryText));
        painter.drawText(area, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                         trailing_.keyHint);
        return;
    }
    case Trailing::Kind::chevron: {
        const QPixmap chevron =
            purloIcon("chevron.right", QSizeF(chevronPixels, chevronPixels),
                      withOpacity(foreground, chevronOpacity), devicePixelRatioF());
        painter.save();
        painter.translate(area.center());
        painter.rotate(trailing_.expanded ? 90 : 0);
        painter.drawPixmap(
            QRectF(-chevronPixels / 2, -chevronPixels / 2, chevronPixels, chevronPixels), chevron,
            QRectF(chevron.rect()));
        painter.restore();
        return;
    }
    case Trailing::Kind::none:
        return;
    }
}

void MenuRow::mousePressEvent(QMouseEvent* event) {
    const MenuRowPress press{
        .secondOfDoubleClick = event->type() == QEvent::MouseButtonDblClick,
        .secondsSinceRowCameUnder =
            cameUnderAt_ ? std::optional(clock_->uptime() - *cameUnderAt_) : std::nullopt,
    };
    if (!menuRowTakesPress(press, QApplication::doubleClickInterval() / 1000.0)) {
        event->accept();
        return;
    }
    QAbstractButton::mousePressEvent(event);
}

void MenuRow::mouseMoveEvent(QMouseEvent* event) {
    if (const MenuRow* chosen = keysChoice(); chosen != nullptr && chosen != this) {
        window()->setFocus(Qt::MouseFocusReason);
    }
    QAbstractButton::mouseMoveEvent(event);
}

void MenuRow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!event->isAutoRepeat()) {
            click();
        }
        event->accept();
        return;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
        event->ignore();
        return;
    default:
        QAbstractButton::keyPressEvent(event);
    }
}

void MenuRow::focusInEvent(QFocusEvent* event) {
    QAbstractButton::focusInEvent(event);
    redrawRows();
}

void MenuRow::focusOutEvent(QFocusEvent* event) {
    QAbstractButton::focusOutEvent(event);
    redrawRows();
}

void MenuRow::redrawRows() {
    if (QWidget* popover = parentWidget()) {
        popover->update();
    }
}

bool MenuRow::hitButton(const QPoint& position) const {
    return rowShape(rect()).contains(QPointF(position) + QPointF(0.5, 0.5));
}

} // namespace purlo
