#pragma once

#include "settings/SettingsTabs.h"
#include "tests/support/RuntimeHarness.h"
#include "tests/ui/WidgetDriving.h"
#include "ui/PurloPalette.h"
#include "ui/PurloSettingRow.h"

#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace purlo::testing {

// The shown control of that type and accessible name, or null.
template <typename T>
T* shownControl(const QWidget& root, const QString& accessibleName) {
    return qobject_cast<T*>(accessible(root, accessibleName));
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

// The shown field a screen reader hears by that name.
inline QLineEdit* fieldHeardAs(const QWidget& root, const QString& name) {
    for (QLineEdit* field : shownWidgets<QLineEdit>(root)) {
        if (QAccessible::queryAccessibleInterface(field)->text(QAccessible::Name) == name) {
            return field;
        }
    }
    return nullptr;
}

inline QLineEdit* fieldWithPlaceholder(const QWidget& root, const QString& placeholder) {
    return shownWith(root, &QLineEdit::placeholderText, placeholder);
}

// One tab's page in a themed window, on a runtime over fakes, as the Settings window
// shows it: at the top, with the height left over below it.
struct PageWindow {
    explicit PageWindow(SettingsSectionTab shown, const PurloSettings& settings = {})
        : harness(settings) {
        window.setPalette(purloPalette(false));
        auto* stack = new QVBoxLayout(&window);
        tab = makeSettingsTab(shown, harness.runtime());
        stack->addWidget(tab);
        stack->addStretch(1);
        window.resize(712, 1400);
        window.show();
    }

    PurloSettingRow* row(const QString& title) const { return rowTitled(*tab, title); }
    template <typename T>
    T* control(const QString& accessibleName) const {
        return shownControl<T>(*tab, accessibleName);
    }
    QLineEdit* field(const QString& placeholder) const {
        return fieldWithPlaceholder(*tab, placeholder);
    }

    RuntimeHarness harness;
    QWidget window;
    QWidget* tab;
};

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
    typeInto(field, text);
}

// Goes into the field, types text over what it holds and presses Return.
inline void commitText(QLineEdit& field, const QString& text) {
    sendFocus(field, QEvent::FocusIn);
    typeOver(field, text);
    pressKey(field, Qt::Key_Return);
}

} // namespace purlo::testing
