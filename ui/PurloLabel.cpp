#include "ui/PurloLabel.h"

#include "ui/PurloSymbol.h"
#include "ui/PurloText.h"

#include <QFontMetricsF>
#include <QHBoxLayout>
#include <cmath>
#include <utility>

namespace purlo {

PurloLabel::PurloLabel(const QString& title, std::string systemImage, const QFont& font,
                       const AppearanceColor& color, QWidget* parent)
    : QWidget(parent) {
    const QFontMetricsF metrics(font);
    const double side = std::round(metrics.capHeight() * 1.4);
    const int frame = static_cast<int>(std::ceil(metrics.height()));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    row->addWidget(new PurloSymbol(std::move(systemImage), QSizeF(side, side), color,
                                   QSize(static_cast<int>(side), frame)));
    row->addWidget(new PurloText(title, font, color), 1);
    setAccessibleName(title);
}

} // namespace purlo
