#pragma once

#include "settings/controls/OptionList.h"

#include <QComboBox>

namespace purlo {

// A pop-up menu of options at the trailing end of a settings row. Its title is not
// shown (the row shows it) but names the menu for assistive technology, which reads the
// chosen option as the menu's text. Choosing an option stores it through the binding at
// once; the menu shows what the binding holds. The wheel scrolls the page rather than
// changing the choice under a passing pointer.
class SettingsMenuPicker final : public QComboBox {
    Q_OBJECT

public:
    static constexpr int minimumPickerWidth = 116;

    SettingsMenuPicker(const QString& title, OptionList options, QWidget* parent = nullptr);

    // Reads the bound option again after it changed elsewhere.
    void refresh();
    // Chooses the option at index as a click on it in the open menu does: closes the menu
    // and stores the option.
    void choose(int index);

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    Binding<int> selection_;
};

} // namespace purlo
