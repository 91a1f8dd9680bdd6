#include "ui/PurloStatusPill.h"

#include "companion/PurloTheme.h"
#include "companion/qt/ThemeQColor.h"
#include "ui/KitFont.h"
#include "ui/PurloIcon.h"

#include <QPainter>
#include <cmath>
#include <string_view>

namespace purlo {
namespace {

struct VariantLook {
    std::string_view symbol;
    ThemeColor color;
};

VariantLook lookOf(PurloStatusPill::Variant variant) {
    switch (variant) {
    case PurloStatusPill::Variant::ok:
        return {"checkmark", PurloTheme::statusGreen};
    case PurloStatusPill::Variant::warn:
        return {"exclamationmark.triangle.fill", PurloTheme::statusOrange};
    case PurloStatusPill::Variant::never:
        return {"lock.fill", PurloTheme::statusGray};
    case PurloStatusPill::Variant::pending:
        return {"key", PurloTheme::statusBlue};
    }
    return {"checkmark", PurloTheme::statusGreen};
}

// The badge's symbol is a small bold glyph; the icon is drawn a little larger than the
// glyph's point size so that its strokes read as bold.
constexpr double badgeSymbolSize = 11;

} // namespace

PurloStatusPill::PurloStatusPill(Variant variant, const QString& text, QWidget* parent)
    : QWidget(parent)
    , variant_(variant)
    , text_(text) {
    setFont(kitFont(14.5, QFont::DemiBold));
    setAccessibleName(text);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize PurloStatusPill::sizeHint() const {
    const QFontMetricsF metrics(font());
    return {static_cast<int>(std::ceil(badgeDiameter + spacing + metrics.horizontalAdvance(text_))),
            static_cast<int>(std::ceil(std::max(badgeDiameter, metrics.height())))};
}

void PurloStatusPill::paintEvent(QPaintEvent*) {
    const VariantLook look = lookOf(variant_);
    const QColor color = themeQColor(look.color);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    const QRectF badge(0, (height() - badgeDiameter) / 2, badgeDiameter, badgeDiameter);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawEllipse(badge);
    const QSizeF symbolSize(badgeSymbolSize, badgeSymbolSize);
    const QPixmap symbol = purloIcon(look.symbol, symbolSize, Qt::white, devicePixelRatioF());
    if (!symbol.isNull()) {
        const QRectF target(badge.center() - QPointF(symbolSize.width(), symbolSize.height()) / 2,
                            symbolSize);
        painter.drawPixmap(target, symbol, QRectF(symbol.rect()));
    }

    painter.setFont(font());
    painter.setPen(color);
    const QRectF textArea(badgeDiameter + spacing, 0, width() - badgeDiameter - spacing, height());
    painter.drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text_);
}

} // namespace purlo
