#include "ui/PurloRowValue.h"

#include "ui/KitFont.h"

namespace purlo {

PurloRowValue::PurloRowValue(const QString& text, bool strong, bool mono, QWidget* parent)
    : PurloText(text, mono ? kitFont(12.5, QFont::Normal, true) : kitFont(14.5, QFont::Medium),
                strong ? PurloTheme::primaryText : PurloTheme::secondaryText, parent) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

} // namespace purlo
