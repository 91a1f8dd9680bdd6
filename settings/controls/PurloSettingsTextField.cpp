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
                                 [this](std::string edited) {
                                     edit(std::move(edited));
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

// Text that assistive technology sets while the focus is elsewhere is a whole edit: no
// Return or loss of focus follows to commit it, and the next gain of focus would read the
// bound text over it.
void PurloSettingsTextField::edit(std::string edited) {
    draft_.edit(std::move(edited));
    if (!field_->focused()) {
        commitDraft();
    }
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
