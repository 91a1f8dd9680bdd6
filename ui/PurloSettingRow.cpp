#include "ui/PurloSettingRow.h"

#include "ui/AccessibleName.h"
#include "ui/KitFont.h"
#include "ui/PurloText.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace purlo {

PurloSettingRow::PurloSettingRow(const QString& title, const std::optional<QString>& subtitle,
                                 QWidget* control, QWidget* parent)
    : QWidget(parent) {
    auto* texts = new QVBoxLayout;
    texts->setContentsMargins(0, 0, 0, 0);
    texts->setSpacing(2);
    texts->addWidget(new PurloText(title, kitFont(14.5, QFont::Medium), PurloTheme::primaryText));
    subtitle_ = new PurloText({}, kitFont(12), PurloTheme::tertiaryText);
    subtitle_->setWordWrap(true);
    texts->addWidget(subtitle_);
    setSubtitle(subtitle);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(15, 11, 15, 11);
    row->setSpacing(16);
    row->addLayout(texts, 1);
    if (control != nullptr) {
        // A control that says nothing of what it is for (a number or text field) is heard
        // by the row's title, as a label beside it would name it.
        if (heardWithoutName(*control)) {
            nameForAssistiveTechnology(*control, title);
        }
        // The row's spacing on both sides of the free space; the layout gives it only once.
        row->addSpacing(row->spacing());
        row->addWidget(control, 0, Qt::AlignVCenter);
    }
    setMinimumHeight(minimumRowHeight);
}

void PurloSettingRow::setSubtitle(const std::optional<QString>& subtitle) {
    subtitle_->setText(subtitle.value_or(QString()));
    subtitle_->setVisible(subtitle.has_value());
}

} // namespace purlo
