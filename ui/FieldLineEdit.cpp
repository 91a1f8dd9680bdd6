#include "ui/FieldLineEdit.h"

#include "ui/AccessibleFactory.h"
#include "ui/FieldLineEditAccessible.h"

#include <QApplication>
#include <QFocusEvent>

namespace purlo {

FieldLineEdit::FieldLineEdit(QWidget* parent)
    : QLineEdit(parent) {
    // Assistive technology asks one factory list for the whole process.
    static const bool editedSafely = [] {
        QAccessible::installFactory(accessibleOf<FieldLineEdit, FieldLineEditAccessible>);
        return true;
    }();
    Q_UNUSED(editedSafely);
}

// The menu a line edit opens on a right click is its child; any other popup, like a click
// elsewhere, is the focus leaving.
bool FieldLineEdit::isLeftBy(const QFocusEvent& event) const {
    const QWidget* popup = QApplication::activePopupWidget();
    return event.reason() != Qt::PopupFocusReason || popup == nullptr ||
           popup->parentWidget() != this;
}

} // namespace purlo
