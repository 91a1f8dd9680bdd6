#include "ui/PurloGroupLabel.h"

#include "ui/KitFont.h"

#include <cmath>

namespace purlo {

PurloGroupLabel::PurloGroupLabel(const QString& text, double topPadding, QWidget* parent)
    : PurloText(text, kitFont(15.5, QFont::Bold), PurloTheme::primaryText, parent) {
    setContentsMargins(2, static_cast<int>(std::lround(topPadding)), 2, 11);
}

} // namespace purlo
