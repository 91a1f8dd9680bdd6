#pragma once

#include "settings/CompanionSettingsTab.h"
#include "tests/support/RuntimeHarness.h"
#include "tests/ui/WidgetDriving.h"
#include "ui/PurloPalette.h"
#include "ui/PurloSettingRow.h"

#include <QComboBox>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <memory>

namespace purlo::testing {

// A companion tab in a themed window, on a runtime over fakes, as the Settings window
// shows it.
struct CompanionTabWindow {
    explicit CompanionTabWindow(
        const PurloSettings& settings = {},
        CompanionSettingsSection section = CompanionSettingsSection::appearance)
        : harness(settings) {
        window.setPalette(purloPalette(false));
        auto* stack = new QVBoxLayout(&window);
        tab = new CompanionSettingsTab(harness.runtime(), section);
        stack->addWidget(tab);
        window.resize(712, 900);
        window.show();
    }

    RuntimeHarness harness;
    QWidget window;
    CompanionSettingsTab* tab;
};

// The shown control of that type and accessible name, or null.
template <typename T>
T* shownControl(const QWidget& root, const QString& accessibleName) {
    return qobject_cast<T*>(accessible(root, accessibleName));
}

// Walks a menu to an option with the arrow keys, as a person at the keyboard does;
// every step is a choice of its own.
inline void choose(QComboBox& menu, const QString& option) {
    const int target = menu.findText(option);
    ASSERT_GE(target, 0) << option.toStdString();
    while (menu.currentIndex() != target) {
        pressKey(menu, menu.currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
    }
}

// One notch of the wheel over the middle of the widget.
inline void turnWheel(QWidget& widget) {
    const QPointF middle = QRectF(widget.rect()).center();
    QWheelEvent notch(middle, widget.mapToGlobal(middle), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&widget, &notch);
}

// Types text over what the field holds, one key at a time.
inline void typeOver(QLineEdit& field, const QString& text) {
    field.selectAll();
    pressKey(field, Qt::Key_Backspace);
    for (const QChar character : text) {
        pressKey(field, 0, QString(character));
    }
}

// The shown settings row under that title, or null.
inline PurloSettingRow* rowTitled(const QWidget& root, const QString& title) {
    for (PurloSettingRow* row : shownWidgets<PurloSettingRow>(root)) {
        if (shownTexts(*row).value(0) == title) {
            return row;
        }
    }
    return nullptr;
}

inline QLineEdit* fieldWithPlaceholder(const QWidget& root, const QString& placeholder) {
    return shownWith(root, &QLineEdit::placeholderText, placeholder);
}

} // namespace purlo::testing
