#pragma once

#include "settings/PurloTextField.h"
#include "ui/Binding.h"

#include <QWidget>
#include <optional>
#include <string>

namespace purlo {

// A text field for a stored setting. Typing edits a private draft; the draft is
// written through the binding only on Return, when the field loses focus and when it
// is hidden (its page or window goes away), and only when it differs from the bound
// text, so every edit is one write however many keys it took. After a write the field
// shows what the binding kept, which may be trimmed or otherwise cleaned up. Changes
// made elsewhere show at once, except while the field has focus: what the user is
// typing is left alone, and wins when it is committed.
class PurloSettingsTextField final : public QWidget {
    Q_OBJECT

public:
    PurloSettingsTextField(Binding<std::string> text, const QString& placeholder,
                           std::optional<int> width = std::nullopt,
                           Qt::Alignment alignment = Qt::AlignLeading, bool mono = false,
                           QWidget* parent = nullptr);

    // The bound text changed elsewhere.
    void refresh();
    // Writes the draft when it differs from the bound text.
    void commitDraft();

    const std::string& draft() const { return draft_; }
    PurloTextField& field() const { return *field_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void loadDraft();
    void focusDidChange(bool focused);

    Binding<std::string> text_;
    std::string draft_;
    bool hasAppeared_ = false;
    PurloTextField* field_;
};

} // namespace purlo
