#include "settings/controls/HabitDraftTextField.h"

#include "settings/controls/PurloSettingsTextField.h"
#include "settings/controls/WidgetOpacity.h"
#include "ui/KitFont.h"

#include <QVBoxLayout>
#include <utility>

namespace purlo {
namespace {

PurloTextField::Style habitStyle(bool compact) {
    if (compact) {
        return {.font = kitFont(13.5), .boxed = false};
    }
    return {.font = kitFont(14, QFont::DemiBold), .cornerRadius = 8, .padding = {10, 7, 10, 7}};
}

} // namespace

HabitDraftTextField::HabitDraftTextField(Binding<std::string> text, const QString& placeholder,
                                         int width, bool disabled, bool compact, QWidget* parent)
    : QWidget(parent)
    , compact_(compact)
    , field_(new PurloSettingsTextField(std::move(text), placeholder, width, Qt::AlignLeading,
                                        habitStyle(compact))) {
    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->addWidget(field_);
    setFocusProxy(field_);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setInputDisabled(disabled);
}

void HabitDraftTextField::setInputDisabled(bool disabled) {
    setEnabled(!disabled);
    setWidgetOpacity(*this, disabled ? disabledOpacity : 1.0);
}

void HabitDraftTextField::refresh() {
    field_->refresh();
}

QLineEdit& HabitDraftTextField::lineEdit() const {
    return field_->field().lineEdit();
}

} // namespace purlo
