#include "settings/controls/FurSwatch.h"

#include "companion/PurloTheme.h"
#include "companion/qt/SurfaceAppearance.h"
#include "companion/qt/ThemeQColor.h"
#include "ui/AccessibleClick.h"
#include "ui/FocusRing.h"
#include "ui/KitFont.h"
#include "ui/RoundedFace.h"

#include <QEasingCurve>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <utility>

namespace purlo {
namespace {

constexpr int cardVerticalPadding = 11;
constexpr int cardHorizontalPadding = 4;
constexpr int titleSpacing = 7;
constexpr double titlePoints = 11.5;

// The fur previews are the same in light and dark.
constexpr RgbColor calicoOrange = hexColor(0xE8A13C);
constexpr RgbColor nearBlack = hexColor(0x2B2B2F);
constexpr RgbColor cream = hexColor(0xF3EFE7);

QColor opaque(const RgbColor& color) {
    return themeQColor(ThemeColor{color});
}

QPainterPath roundedCard(const QRectF& rect) {
    QPainterPath path;
    path.addRoundedRect(rect, FurSwatch::cornerRadius, FurSwatch::cornerRadius);
    return path;
}

// Angles clockwise from the right, as the eye reads them on screen.
void fillSector(QPainter& painter, const QRectF& square, double fromDegrees, double toDegrees,
                const RgbColor& color) {
    constexpr double sixteenthsPerDegree = 16;
    painter.setBrush(opaque(color));
    painter.drawPie(
        square, static_cast<int>(std::lround(-fromDegrees * sixteenthsPerDegree)),
        static_cast<int>(std::lround(-(toDegrees - fromDegrees) * sixteenthsPerDegree)));
}

// Calico: three hard-edged bands round the centre, starting at 200 degrees; tuxedo: dark
// above and cream below a sharp edge across the falling diagonal, 52 % along it.
void furFill(QPainter& painter, const QRectF& square, CatSkinPreset skin) {
    painter.setPen(Qt::NoPen);
    switch (skin) {
    case CatSkinPreset::calico: {
        const QRectF covering = square.adjusted(-1, -1, 1, 1);
        fillSector(painter, covering, 200, 200 + 0.33 * 360, calicoOrange);
        fillSector(painter, covering, 200 + 0.33 * 360, 200 + 0.66 * 360, nearBlack);
        fillSector(painter, covering, 200 + 0.66 * 360, 200 + 360, cream);
        return;
    }
    case CatSkinPreset::tuxedo: {
        painter.fillRect(square, opaque(cream));
        const double leg = 2 * 0.52 * square.width();
        painter.setBrush(opaque(nearBlack));
        painter.drawPolygon(QPolygonF{square.topLeft(), square.topLeft() + QPointF(leg, 0),
                                      square.topLeft() + QPointF(0, leg)});
        return;
    }
    case CatSkinPreset::orange:
        painter.fillRect(square, opaque(hexColor(0xD9882F)));
        return;
    case CatSkinPreset::gray:
        painter.fillRect(square, opaque(hexColor(0x8D8F93)));
        return;
    case CatSkinPreset::midnight:
        painter.fillRect(square, opaque(hexColor(0x23262B)));
        return;
    }
}

} // namespace

FurSwatch::FurSwatch(CatSkinPreset skin, bool isSelected, std::function<void()> action,
                     QWidget* parent)
    : QAbstractButton(parent)
    , skin_(skin)
    , hover_(*this, [this](bool hovering) {
        liftAnimation_.stop();
        liftAnimation_.setStartValue(liftProgress_);
        liftAnimation_.setEndValue(hovering ? 1.0 : 0.0);
        liftAnimation_.start();
    }) {
    clickOnAccessibleActions<FurSwatch>();
    setText(QUtf8StringView(title(skin)).toString());
    setAccessibleName(text());
    setCheckable(true);
    setChecked(isSelected);
    setFocusPolicy(Qt::TabFocus);
    setFont(kitFont(titlePoints, QFont::DemiBold));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    liftAnimation_.setDuration(hoverAnimationMilliseconds);
    liftAnimation_.setEasingCurve(QEasingCurve::OutQuad);
    connect(&liftAnimation_, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        liftProgress_ = value.toDouble();
        update();
    });
    connect(this, &QAbstractButton::clicked, this, [action = std::move(action)] { action(); });
}

void FurSwatch::setSelected(bool selected) {
    setChecked(selected);
    update();
}

QRectF FurSwatch::cardRect() const {
    return QRectF(rect()).adjusted(haloSpread, haloSpread + hoverLift, -haloSpread, -haloSpread);
}

QSize FurSwatch::sizeHint() const {
    const QFontMetricsF metrics(font());
    const double cardWidth =
        std::max(previewDiameter, metrics.horizontalAdvance(text())) + 2 * cardHorizontalPadding;
    const double cardHeight =
        2 * cardVerticalPadding + previewDiameter + titleSpacing + metrics.height();
    return {static_cast<int>(std::ceil(cardWidth)) + 2 * haloSpread,
            static_cast<int>(std::ceil(cardHeight)) + 2 * haloSpread + hoverLift};
}

// The tiles share their row equally, however long their names.
QSize FurSwatch::minimumSizeHint() const {
    return {static_cast<int>(previewDiameter) + 2 * cardHorizontalPadding + 2 * haloSpread,
            sizeHint().height()};
}

bool FurSwatch::hitButton(const QPoint& position) const {
    return roundedCard(cardRect()).contains(QPointF(position));
}

void FurSwatch::paintEvent(QPaintEvent*) {
    const bool selected = isChecked();
    const QRectF card = cardRect().translated(0, -hoverLift * liftProgress_);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    if (selected) {
        painter.fillPath(
            roundedCard(card.adjusted(-haloSpread, -haloSpread, haloSpread, haloSpread)),
            themeQColor(PurloTheme::accentWash, *this));
    }
    paintRoundedFace(
        painter, card, cornerRadius,
        themeQColor(selected ? PurloTheme::accentWash : PurloTheme::controlFill, *this),
        themeQColor(selected ? PurloTheme::accent : PurloTheme::controlBorder, *this), borderWidth);

    // The ring goes round the card where the halo would be.
    if (hasFocus()) {
        paintFocusRingInside(painter, *this,
                             card.adjusted(-haloSpread, -haloSpread, haloSpread, haloSpread),
                             cornerRadius + haloSpread);
    }

    const QRectF preview(card.center().x() - previewDiameter / 2, card.top() + cardVerticalPadding,
                         previewDiameter, previewDiameter);
    painter.save();
    QPainterPath circle;
    circle.addEllipse(preview);
    painter.setClipPath(circle);
    furFill(painter, preview, skin_);
    painter.restore();
    painter.setPen(QPen(themeQColor(ThemeColor{hexColor(0xFFFFFF), 0.15}), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(preview.adjusted(0.5, 0.5, -0.5, -0.5));

    QFont titleFont = font();
    titleFont.setWeight(selected ? QFont::DemiBold : QFont::Normal);
    painter.setFont(titleFont);
    painter.setPen(
        themeQColor(selected ? PurloTheme::primaryText : PurloTheme::secondaryText, *this));
    const QRectF titleArea(card.left(), preview.bottom() + titleSpacing, card.width(),
                           QFontMetricsF(titleFont).height());
    painter.drawText(titleArea, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, text());
}

} // namespace purlo
