#include "settings/controls/SettingsMenuPicker.h"

#include "ui/KitFont.h"

#include <QWheelEvent>
#include <utility>

namespace purlo {

SettingsMenuPicker::SettingsMenuPicker(const QString& title, OptionList options, QWidget* parent)
    : QComboBox(parent)
    , selection_(std::move(options.selection)) {
    setAccessibleName(title);
    setFont(kitFont(13.5));
    for (const std::string& option : options.titles) {
        addItem(QString::fromStdString(option));
    }
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
    setMinimumWidth(minimumPickerWidth);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    // Only the user's choice writes; showing the stored option does not.
    connect(this, &QComboBox::activated, this, [this](int index) {
        selection_.set(index);
        refresh();
    });
    refresh();
}

void SettingsMenuPicker::refresh() {
    setCurrentIndex(selection_());
}

void SettingsMenuPicker::wheelEvent(QWheelEvent* event) {
    event->ignore();
}

} // namespace purlo
