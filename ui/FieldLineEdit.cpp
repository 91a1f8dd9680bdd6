#include "ui/FieldLineEdit.h"

#include "ui/FieldLineEditAccessible.h"
#include "ui/WholeCharacters.h"

#include <QApplication>
#include <QFocusEvent>

namespace purlo {

FieldLineEdit::FieldLineEdit(QWidget* parent)
    : QLineEdit(parent) {
    setValidator(new WholeCharacters(this));
    editLineEditsAccessibly();
}

bool FieldLineEdit::isEnteredBy(const QEvent& event) const {
    return event.type() == QEvent::FocusIn || (event.type() == QEvent::Show && hasFocus());
}

// A popup other than its own menu, like a click elsewhere, is the focus leaving.
bool FieldLineEdit::isLeftBy(const QEvent& event) const {
    if (event.type() == QEvent::Hide) {
        return true;
    }
    return event.type() == QEvent::FocusOut &&
           (static_cast<const QFocusEvent&>(event).reason() != Qt::PopupFocusReason ||
            openMenu() == nullptr);
}

void FieldLineEdit::hideEvent(QHideEvent* event) {
    QLineEdit::hideEvent(event);
    if (QWidget* menu = openMenu()) {
        menu->close();
    }
}

// The menu a line edit opens on a right click is its child.
QWidget* FieldLineEdit::openMenu() const {
    QWidget* popup = QApplication::activePopupWidget();
    return popup != nullptr && popup->parentWidget() == this ? popup : nullptr;
}

} // namespace purlo
