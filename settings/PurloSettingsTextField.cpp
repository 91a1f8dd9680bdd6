#include "settings/PurloSettingsTextField.h"

#include "ui/PurloIntervalField.h"

#include <QVBoxLayout>
#include <utility>

namespace purlo {

PurloSettingsTextField::PurloSettingsTextField(Binding<std::string> text,
                                               const QString& placeholder, std::optional<int> width,
                                               Qt::Alignment alignment, bool mono, QWidget* parent)
    : QWidget(parent)
    , text_(std::move(text))
    , field_(new PurloTextField({[this] { return draft_; },
                                 [this](std::string typed) {
                                     draft_ = std::move(typed);
                                 }},
                                placeholder, width, alignment, mono)) {
    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->addWidget(field_);
    setSizePolicy(field_->sizePolicy());
    setFocusProxy(field_);
    connect(field_, &PurloTextField::focusChanged, this, &PurloSettingsTextField::focusDidChange);
    connect(field_, &PurloTextField::submitted, this,
            [this] { PurloIntervalField::commitOnSubmit([this] { commitDraft(); }); });
}

void PurloSettingsTextField::refresh() {
    if (!field_->focused() && draft_ != text_()) {
        loadDraft();
    }
}

// The draft is read back after the write: the owner may have stored something else.
// Before the field first showed, its draft holds nothing of the user's.
void PurloSettingsTextField::commitDraft() {
    if (!hasAppeared_ || draft_ == text_()) {
        return;
    }
    text_.set(draft_);
    loadDraft();
}

void PurloSettingsTextField::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!hasAppeared_) {
        hasAppeared_ = true;
        loadDraft();
    }
}

void PurloSettingsTextField::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    commitDraft();
}

void PurloSettingsTextField::loadDraft() {
    draft_ = text_();
    field_->refresh();
}

void PurloSettingsTextField::focusDidChange(bool focused) {
    if (focused) {
        loadDraft();
    } else {
        commitDraft();
    }
}

} // namespace purlo
