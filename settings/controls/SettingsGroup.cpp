#include "settings/controls/SettingsGroup.h"

#include "ui/PurloCard.h"
#include "ui/PurloDivider.h"
#include "ui/PurloGroupLabel.h"
#include "ui/PurloSettingRow.h"

namespace purlo {

SettingsGroup::SettingsGroup(const QString& title, Place place,
                             std::initializer_list<QWidget*> rows, QWidget* parent)
    : QWidget(parent)
    , card_(new PurloCard(cardCornerRadius)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(
        new PurloGroupLabel(title, place == Place::first ? firstTopPadding : laterTopPadding));
    column->addWidget(card_);
    for (QWidget* row : rows) {
        card_->addWidget(row);
    }
}

QVBoxLayout* SettingsGroup::makePageColumn(QWidget& page) {
    auto* column = new QVBoxLayout(&page);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    return column;
}

QVBoxLayout* SettingsGroup::makePaddedColumn(QWidget& holder, int padding, int spacing) {
    auto* column = new QVBoxLayout(&holder);
    column->setContentsMargins(padding, padding, padding, padding);
    column->setSpacing(spacing);
    return column;
}

PurloSettingRow* settingRow(const QString& title, QWidget* control,
                            const std::optional<QString>& subtitle) {
    return new PurloSettingRow(title, subtitle, control);
}

PurloDivider* rowDivider() {
    return new PurloDivider(PurloTheme::divider);
}

QWidget* stackedRows(std::initializer_list<QWidget*> rows) {
    auto* stack = new QWidget;
    auto* column = new QVBoxLayout(stack);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    for (QWidget* row : rows) {
        column->addWidget(row);
    }
    return stack;
}

} // namespace purlo
