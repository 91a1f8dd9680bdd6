#include "settings/controls/PurloSettingsTextField.h"

#include "ui/PurloIntervalField.h"

#include <QVBoxLayout>
#include <utility>

namespace purlo {

PurloSettingsTextField::PurloSettingsTextField(Binding<std::string> text,
                                               const QString& placeholder, std::optional<int> width,
                                               Qt::Alignment alignment, bool mono, QWidget* parent)
    : PurloSettingsTextField(std::move(text), placeholder, width, alignment,
                             PurloTextField::settingsStyle(mono), parent) {}

PurloSettingsTextField::PurloSettingsTextField(Binding<std::string> text,
                                               const QString& placeholder, std::optional<int> width,
                                               Qt::Alignment alignment, PurloTextField::Style style,
                                               QWidget* parent)
    : QWidget(parent)
    , draft_(std::move(text))
    , field_(new PurloTextField({[this] { return draft_.draft(); },
                                 [this](std::string typed) {
                                     draft_.edit(std::move(typed));
                                 }},
                                placeholder, width, alignment, std::move(style))) {
    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->addWidget(field_);
    setSizePolicy(field_->sizePolicy());
    setFocusProxy(field_);
    connect(field_, &PurloTextField::focusChanged, this, [this](bool focused) {
        draft_.focusChanged(focused);
        field_->refresh();
    });
    connect(field_, &PurloTextField::submitted, this,
            [this] { PurloIntervalField::commitOnSubmit([this] { commitDraft(); }); });
}

void PurloSettingsTextField::refresh() {
    draft_.boundTextChanged(field_->focused());
    field_->refresh();
}

void PurloSettingsTextField::commitDraft() {
    draft_.commit();
    field_->refresh();
}

void PurloSettingsTextField::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    draft_.appeared();
    field_->refresh();
}

void PurloSettingsTextField::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    commitDraft();
}

} // namespace purlo
