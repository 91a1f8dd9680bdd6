#include "ui/PurloListRow.h"

#include "ui/KitFont.h"
#include "ui/PurloSymbol.h"
#include "ui/PurloText.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <utility>

namespace purlo {

PurloListRow::PurloListRow(std::string systemImage, const AppearanceColor& iconColor,
                           const QString& title, const QString& detail, QWidget* trailing,
                           QWidget* parent)
    : QWidget(parent) {
    auto* detailText = new PurloText(detail, kitFont(12.5), PurloTheme::tertiaryText);
    detailText->setWordWrap(true);
    auto* texts = new QVBoxLayout;
    texts->setContentsMargins(0, 0, 0, 0);
    texts->setSpacing(3);
    texts->addWidget(new PurloText(title, kitFont(15, QFont::DemiBold), PurloTheme::primaryText));
    texts->addWidget(detailText);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(15, 14, 15, 14);
    row->setSpacing(13);
    row->addWidget(
        new PurloSymbol(std::move(systemImage), QSizeF(16, 16), iconColor, QSize(22, 18)), 0,
        Qt::AlignVCenter);
    row->addLayout(texts, 1);
    if (trailing != nullptr) {
        // At least 10 points of free space, with the row's spacing on either side of it;
        // the layout itself puts its spacing only once between two widgets.
        row->addSpacing(10 + row->spacing());
        row->addWidget(trailing, 0, Qt::AlignVCenter);
    }
}

PurloListRow::PurloListRow(std::string systemImage, const ThemeColor& iconColor,
                           const QString& title, const QString& detail, QWidget* trailing,
                           QWidget* parent)
    : PurloListRow(std::move(systemImage), AppearanceColor{iconColor, iconColor}, title, detail,
                   trailing, parent) {}

} // namespace purlo
