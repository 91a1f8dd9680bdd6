#include "ui/FieldLineEdit.h"

#include "ui/FieldLineEditAccessible.h"

#include <QApplication>
#include <QFocusEvent>
#include <QValidator>

namespace purlo {
namespace {

// The line edit cuts what a paste, typing or a reader's edit brings at its limit of 32,767
// UTF-16 units, and so can cut a character beyond the BMP (an emoji) in two; the half left
// alone was stored as "?". It is dropped, so the text is cut before the whole character.
class WholeCharacters final : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& text, int& cursor) const override {
        for (qsizetype at = text.size() - 1; at >= 0; --at) {
            const bool paired = text[at].isHighSurrogate()
                                    ? at + 1 < text.size() && text[at + 1].isLowSurrogate()
                                    : at > 0 && text[at - 1].isHighSurrogate();
            if (text[at].isSurrogate() && !paired) {
                text.remove(at, 1);
                cursor -= at < cursor ? 1 : 0;
            }
        }
        return Acceptable;
    }
};

} // namespace

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
