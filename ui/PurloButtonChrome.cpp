#include "ui/PurloButtonChrome.h"

#include "companion/qt/SurfaceAppearance.h"
#include "ui/FocusRing.h"
#include "ui/KitFont.h"
#include "ui/PurloIcon.h"

#include <QEasingCurve>
#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace purlo {
namespace {

// Room kept inside the widget for what reaches past the button's face: the lift above
// it, the shadow below it, and the focus ring all round.
constexpr int liftRoom = 1;
constexpr int shadowRoom = 3;
constexpr int topRoom = liftRoom + focusRingRoom;
constexpr int bottomRoom = std::max(shadowRoom, focusRingRoom);

QColor mixed(const QColor& from, const QColor& to, double amount) {
    const auto mix = [amount](float a, float b) {
        return static_cast<float>(a + (b - a) * amount);
    };
    return QColor::fromRgbF(mix(from.redF(), to.redF()), mix(from.greenF(), to.greenF()),
                            mix(from.blueF(), to.blueF()), mix(from.alphaF(), to.alphaF()));
}

QPainterPath roundedFace(const QRectF& rect, double radius) {
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

} // namespace

PurloButtonChrome::Look PurloButtonChrome::look(Kind kind, bool compact, bool enabled,
                                                bool hovering, bool pressed) {
    const bool primary = kind == Kind::primary;
    Look look;
    look.fontSize = compact ? 13.5 : 14.5;
    look.horizontalPadding = compact ? 14 : 18;
    look.verticalPadding = compact ? 9 : 11;
    look.label = primary ? PurloTheme::onAccent : PurloTheme::primaryText;
    look.fill = primary ? PurloTheme::accent : PurloTheme::controlBackground;
    // The outline answers the pointer even on a disabled button; only the lift and the
    // shadow need the button to be usable.
    if (!primary) {
        look.outline = hovering ? PurloTheme::accent : PurloTheme::border;
    }
    look.shadow = primary && enabled;
    look.opacity = !enabled ? 0.45 : pressed ? 0.85 : 1.0;
    look.lift = hovering && enabled && !pressed ? 1 : 0;
    return look;
}

PurloButtonChrome::PurloButtonChrome(const QString& title, Kind kind, bool compact, QWidget* parent)
    : RunsOnReturn(parent)
    , kind_(kind)
    , compact_(compact)
    , hover_(*this, [this](bool hovering) { animateHover(hovering); }) {
    setText(title);
    setFont(kitFont(look(kind, compact, true, false, false).fontSize, QFont::DemiBold));
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    hoverAnimation_.setDuration(hoverAnimationMilliseconds);
    hoverAnimation_.setEasingCurve(QEasingCurve::OutCubic);
    connect(&hoverAnimation_, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& value) {
                hoverProgress_ = value.toDouble();
                update();
            });
    connect(this, &QAbstractButton::pressed, this, qOverload<>(&QWidget::update));
    connect(this, &QAbstractButton::released, this, qOverload<>(&QWidget::update));
}

bool PurloButtonChrome::hovering() const {
    return hover_.hovering();
}

void PurloButtonChrome::setSystemImage(std::string symbol) {
    systemImage_ = std::move(symbol);
    updateGeometry();
    update();
}

double PurloButtonChrome::symbolSide() const {
    return systemImage_.empty() ? 0 : std::round(currentLook().fontSize + 1);
}

// An icon-only button keeps no gap for a title it does not have.
double PurloButtonChrome::symbolRoom() const {
    const double side = symbolSide();
    return side > 0 && !text().isEmpty() ? side + symbolSpacing : side;
}

PurloButtonChrome::Look PurloButtonChrome::currentLook() const {
    return look(kind_, compact_, isEnabled(), hovering(), isDown());
}

QSize PurloButtonChrome::sizeHint() const {
    const Look resting = currentLook();
    const QFontMetricsF metrics(font());
    const double width =
        symbolRoom() + metrics.horizontalAdvance(text()) + 2 * resting.horizontalPadding;
    const double height = metrics.height() + 2 * resting.verticalPadding;
    return {static_cast<int>(std::ceil(width)) + 2 * focusRingRoom,
            static_cast<int>(std::ceil(height)) + topRoom + bottomRoom};
}

QSize PurloButtonChrome::minimumSizeHint() const {
    return sizeHint();
}

void PurloButtonChrome::paintEvent(QPaintEvent*) {
    const Look settled = currentLook();
    // The hover animation carries the outline colour and the lift between their two
    // states; pressing and enabling change at once.
    const bool canLift = isEnabled() && !isDown();
    const double lift = canLift ? hoverProgress_ : 0;
    const QRectF face = QRectF(rect())
                            .adjusted(focusRingRoom, topRoom, -focusRingRoom, -bottomRoom)
                            .translated(0, -lift);

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(settled.opacity);

    if (settled.shadow) {
        // A soft black shadow one point below the face, spread by a two-point blur.
        const QRectF shadow = face.translated(0, 1);
        painter.setPen(Qt::NoPen);
        for (const auto& [spread, alpha] : {std::pair{1.5, 0.02}, {0.75, 0.03}, {0.0, 0.04}}) {
            painter.setBrush(QColor::fromRgbF(0, 0, 0, static_cast<float>(alpha)));
            painter.drawPath(roundedFace(shadow.adjusted(-spread, -spread, spread, spread),
                                         cornerRadius + spread));
        }
    }

    painter.fillPath(roundedFace(face, cornerRadius), themeQColor(settled.fill, *this));

    if (settled.outline) {
        const QColor resting = themeQColor(PurloTheme::border, *this);
        const QColor hovered = themeQColor(PurloTheme::accent, *this);
        QPen pen(mixed(resting, hovered, hoverProgress_), 1.0);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        // Drawn wholly inside the face: the line's centre runs half a point in.
        painter.drawPath(roundedFace(face.adjusted(0.5, 0.5, -0.5, -0.5), cornerRadius - 0.5));
    }

    const QColor label = themeQColor(settled.label, *this);
    QRectF titleArea = face;
    if (const double side = symbolSide(); side > 0) {
        // The symbol and the title travel together, centred on the face as one.
        const double titleWidth = QFontMetricsF(font()).horizontalAdvance(text());
        const double left = face.center().x() - (symbolRoom() + titleWidth) / 2;
        const QRectF symbolFrame(left, face.center().y() - side / 2, side, side);
        const QPixmap symbol =
            purloIcon(systemImage_, symbolFrame.size(), label, devicePixelRatioF());
        if (!symbol.isNull()) {
            painter.drawPixmap(symbolFrame, symbol, QRectF(symbol.rect()));
        }
        titleArea.setLeft(symbolFrame.right() + symbolSpacing);
        titleArea.setWidth(titleWidth);
    }
    painter.setFont(font());
    painter.setPen(label);
    painter.drawText(titleArea, Qt::AlignCenter | Qt::TextSingleLine, text());

    if (hasFocus()) {
        paintFocusRing(painter, *this, face, cornerRadius);
    }
}

void PurloButtonChrome::changeEvent(QEvent* event) {
    QAbstractButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::PaletteChange) {
        update();
    }
}

void PurloButtonChrome::animateHover(bool hovering) {
    hoverAnimation_.stop();
    hoverAnimation_.setStartValue(hoverProgress_);
    hoverAnimation_.setEndValue(hovering ? 1.0 : 0.0);
    hoverAnimation_.start();
}

} // namespace purlo
