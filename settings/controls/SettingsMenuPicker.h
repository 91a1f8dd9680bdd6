#pragma once

#include "settings/controls/OptionList.h"

#include <QComboBox>

namespace purlo {

// A pop-up menu of options at the trailing end of a settings row. Its title is not
// shown (the row shows it) but names the menu for assistive technology. Choosing an
// option stores it through the binding at once; the menu shows what the binding holds.
// The wheel scrolls the page rather than changing the choice under a passing pointer.
class SettingsMenuPicker final : public QComboBox {
    Q_OBJECT

public:
    static constexpr int minimumPickerWidth = 116;

    SettingsMenuPicker(const QString& title, OptionList options, QWidget* parent = nullptr);

    // Reads the bound option again after it changed elsewhere.
    void refresh();

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    Binding<int> selection_;
};

} // namespace purlo
