#pragma once

#include "ui/Binding.h"

#include <QLineEdit>
#include <QWidget>
#include <string>

namespace purlo {

class PurloSettingsTextField;

// A habit reminder's title or message: a settings text field (edited as a draft and
// written back only when the user is done) of a fixed width, in one of two looks: a
// filled, outlined box for a title, or bare inline text for a message between its
// quotation marks. A disabled field takes no input and is drawn faded. The text is
// written as typed: nothing is trimmed, and an empty draft is stored empty.
class HabitDraftTextField final : public QWidget {
    Q_OBJECT

public:
    static constexpr double disabledOpacity = 0.55;

    // width: the whole field's, padding included. compact: bare text, no box.
    HabitDraftTextField(Binding<std::string> text, const QString& placeholder, int width,
                        bool disabled, bool compact, QWidget* parent = nullptr);

    void setInputDisabled(bool disabled);
    // The bound text changed elsewhere.
    void refresh();

    bool compact() const { return compact_; }
    QLineEdit& lineEdit() const;

private:
    bool compact_;
    PurloSettingsTextField* field_;
};

} // namespace purlo
