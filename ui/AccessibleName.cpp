#include "ui/AccessibleName.h"

#include <QAccessible>
#include <QWidget>

namespace purlo {
namespace {

// Where the widget's keyboard focus ends up, following the widgets it hands it on to.
QWidget& keyboardTarget(QWidget& widget) {
    QWidget* target = &widget;
    while (target->focusProxy() != nullptr) {
        target = target->focusProxy();
    }
    return *target;
}

} // namespace

bool heardWithoutName(QWidget& control) {
    QWidget& target = keyboardTarget(control);
    if (target.focusPolicy() == Qt::NoFocus) {
        return false;
    }
    const QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(&target);
    return heard != nullptr && heard->text(QAccessible::Name).isEmpty();
}

void nameForAssistiveTechnology(QWidget& control, const QString& name) {
    const QWidget& target = keyboardTarget(control);
    QList<QWidget*> handing = control.findChildren<QWidget*>();
    handing.push_back(&control);
    // A name set again, even the same one, is announced to assistive technology anew.
    for (QWidget* widget : handing) {
        if (&keyboardTarget(*widget) == &target && widget->accessibleName() != name) {
            widget->setAccessibleName(name);
        }
    }
}

} // namespace purlo
