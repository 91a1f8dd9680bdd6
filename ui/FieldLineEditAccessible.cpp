#include "ui/FieldLineEditAccessible.h"

#include "ui/AccessibleFactory.h"
#include "ui/FieldLineEdit.h"
#include "ui/WholeCharacters.h"

#include <QFontMetrics>
#include <algorithm>

namespace purlo {
namespace {

// What a tool sent: up to the NUL where the bridge's padding starts, and without the half of
// a character that the bridge's cut at a length counted otherwise leaves alone.
QString sentPart(const QString& text) {
    const qsizetype end = text.indexOf(QChar(u'\0'));
    return withoutLoneHalves(end < 0 ? text : text.left(end));
}

// A place within text that never falls between the two halves of a character. A tool counts
// places in characters and the line edit in UTF-16 units, so the place a tool means is never
// before the one it names here: a place inside a pair moves past it.
int wholeCharacterPlace(const QString& text, int offset) {
    const auto place = std::clamp<qsizetype>(offset, 0, text.size());
    const bool insidePair = place > 0 && place < text.size() && text[place].isLowSurrogate() &&
                            text[place - 1].isHighSurrogate();
    return static_cast<int>(insidePair ? place + 1 : place);
}

} // namespace

FieldLineEditAccessible::FieldLineEditAccessible(QLineEdit& field)
    : QAccessibleWidget(&field, QAccessible::EditableText)
    , field_(field) {
    addControllingSignal(QStringLiteral("textChanged(const QString&)"));
    addControllingSignal(QStringLiteral("returnPressed()"));
}

// Its value is the text it shows; without a name or description of its own, the
// placeholder describes it.
QString FieldLineEditAccessible::text(QAccessible::Text kind) const {
    QString text = kind == QAccessible::Value ? field_.displayText() : QString();
    if (text.isEmpty()) {
        text = QAccessibleWidget::text(kind);
    }
    if (text.isEmpty() && kind == QAccessible::Description) {
        text = field_.placeholderText();
    }
    return text;
}

void FieldLineEditAccessible::setText(QAccessible::Text kind, const QString& text) {
    if (kind == QAccessible::Value) {
        field_.setText(sentPart(text));
    } else {
        QAccessibleWidget::setText(kind, text);
    }
}

QAccessible::State FieldLineEditAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = true;
    state.readOnly = field_.isReadOnly();
    state.passwordEdit = field_.echoMode() != QLineEdit::Normal;
    state.selectableText = true;
    return state;
}

void* FieldLineEditAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface) {
        return static_cast<QAccessibleTextInterface*>(this);
    }
    if (type == QAccessible::EditableTextInterface) {
        return static_cast<QAccessibleEditableTextInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

void FieldLineEditAccessible::selection(int index, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
    if (index == 0) {
        *startOffset = field_.selectionStart();
        *endOffset = field_.selectionEnd();
    }
}

int FieldLineEditAccessible::selectionCount() const {
    return field_.hasSelectedText() ? 1 : 0;
}

void FieldLineEditAccessible::addSelection(int startOffset, int endOffset) {
    setSelection(0, startOffset, endOffset);
}

void FieldLineEditAccessible::removeSelection(int index) {
    if (index == 0) {
        field_.deselect();
    }
}

void FieldLineEditAccessible::setSelection(int index, int startOffset, int endOffset) {
    if (index == 0) {
        const int start = wholeCharacterPlace(field_.text(), startOffset);
        field_.setSelection(start, wholeCharacterPlace(field_.text(), endOffset) - start);
    }
}

int FieldLineEditAccessible::cursorPosition() const {
    return field_.cursorPosition();
}

// Typing there would split a character as an edit there would.
void FieldLineEditAccessible::setCursorPosition(int position) {
    field_.setCursorPosition(wholeCharacterPlace(field_.text(), position));
}

QString FieldLineEditAccessible::text(int startOffset, int endOffset) const {
    return startOffset > endOffset ? QString()
                                   : field_.displayText().mid(startOffset, endOffset - startOffset);
}

int FieldLineEditAccessible::characterCount() const {
    return static_cast<int>(field_.displayText().size());
}

// The line edit keeps to itself where its scrolled text begins; the cursor's place, which
// it tells input methods, and the advances from there place every other character.
QRect FieldLineEditAccessible::characterRect(int offset) const {
    const QString shown = field_.displayText();
    if (offset < 0 || offset >= shown.size()) {
        return {};
    }
    const QFontMetrics metrics(field_.font());
    const QRect cursor = field_.inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const int x = cursor.center().x() + metrics.horizontalAdvance(shown.left(offset)) -
                  metrics.horizontalAdvance(shown.left(field_.cursorPosition()));
    const QRect character(x, cursor.top(), metrics.horizontalAdvance(shown.mid(offset, 1)),
                          metrics.height());
    return {field_.mapToGlobal(character.topLeft()), character.size()};
}

int FieldLineEditAccessible::offsetAtPoint(const QPoint& point) const {
    return field_.cursorPositionAt(field_.mapFromGlobal(point));
}

void FieldLineEditAccessible::scrollToSubstring(int startIndex, int endIndex) {
    setCursorPosition(endIndex);
    setCursorPosition(startIndex);
}

QString FieldLineEditAccessible::attributes(int offset, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = offset;
    return {};
}

void FieldLineEditAccessible::deleteText(int startOffset, int endOffset) {
    replaceText(startOffset, endOffset, {});
}

void FieldLineEditAccessible::insertText(int offset, const QString& text) {
    replaceText(offset, offset, text);
}

// Only places within the text: Qt's own would fill the way to a place past its end with
// spaces nobody sent.
void FieldLineEditAccessible::replaceText(int startOffset, int endOffset, const QString& text) {
    QString edited = field_.text();
    const int from = wholeCharacterPlace(edited, startOffset);
    const int to = std::max(from, wholeCharacterPlace(edited, endOffset));
    field_.setText(edited.replace(from, to - from, sentPart(text)));
}

void editLineEditsAccessibly() {
    // Assistive technology asks one factory list for the whole process.
    static const bool edited = [] {
        QAccessible::installFactory(accessibleOf<FieldLineEdit, FieldLineEditAccessible>);
        QAccessible::installFactory(accessibleOf<QLineEdit, FieldLineEditAccessible>);
        return true;
    }();
    Q_UNUSED(edited);
}

} // namespace purlo
