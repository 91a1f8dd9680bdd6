#pragma once

#include "settings/controls/PurloTextField.h"
#include "settings/controls/TextDraft.h"

#include <QWidget>
#include <optional>
#include <string>

namespace purlo {

// A text field for a stored setting, edited as a draft that is written through the
// binding only when the user is done: on Return, when the field loses focus and when
// it is hidden (its page or window goes away); see TextDraft. Text set while the field has
// no focus, as assistive technology may set it, is written at once. After a write the field
// shows what the binding kept, which may be trimmed or otherwise cleaned up.
class PurloSettingsTextField final : public QWidget {
    Q_OBJECT

public:
    PurloSettingsTextField(Binding<std::string> text, const QString& placeholder,
                           std::optional<int> width = std::nullopt,
                           Qt::Alignment alignment = Qt::AlignLeading, bool mono = false,
                           QWidget* parent = nullptr);
    PurloSettingsTextField(Binding<std::string> text, const QString& placeholder,
                           std::optional<int> width, Qt::Alignment alignment,
                           PurloTextField::Style style, QWidget* parent = nullptr);

    // The bound text changed elsewhere.
    void refresh();
    // Writes the draft when it differs from the bound text.
    void commitDraft();

    const std::string& draft() const { return draft_.draft(); }
    PurloTextField& field() const { return *field_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void edit(std::string edited);

    TextDraft draft_;
    PurloTextField* field_;
};

} // namespace purlo
