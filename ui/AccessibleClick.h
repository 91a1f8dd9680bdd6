#pragma once

#include <QAbstractButton>
#include <QAccessible>

namespace purlo {

// A checkable button as assistive technology meets it: a check box, as Qt presents it,
// save that "Toggle" and "Press" click it. Qt's own "Toggle" only flips the checked state,
// without the click, so a control that stores its choice on a click stored nothing and
// showed a choice that was never made.
QAccessibleInterface* accessibleClickedButton(QAbstractButton& button);

// Has assistive technology meet every button of the class Button as above. Each such
// button calls it as it is made. Buttons are known by their C++ type, not by class name as
// accessibleOf does: the segments are private classes without a meta-object of their own.
template <typename Button>
void clickOnAccessibleActions() {
    // Assistive technology asks one factory list for the whole process.
    static const bool installed = [] {
        QAccessible::installFactory([](const QString&, QObject* object) -> QAccessibleInterface* {
            auto* button = dynamic_cast<Button*>(object);
            return button != nullptr ? accessibleClickedButton(*button) : nullptr;
        });
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace purlo
