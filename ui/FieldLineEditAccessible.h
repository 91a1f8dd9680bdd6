#pragma once

#include "ui/AccessibleTextItems.h"

#include <QAccessibleWidget>

class QLineEdit;

namespace purlo {

// A line edit as assistive technology reads and edits it, as Qt's own line edit interface
// does, but for what it takes in and for the items of its text, which it finds itself (see
// AccessibleTextItems.h). Qt's bridge pads the text of an insert out to the length a tool
// gives, which libatspi counts in bytes ("é" says 2), and leaves the padding unfilled: a
// field stored a NUL and the program's memory after what was sent, showed it in her bubble,
// and read only the sent part back. Text from a tool is now taken up to its end and no
// further (the padding starts where the sent string's terminating NUL stood, and no text on
// the bus holds one), and only at places within the field's text. Nor is a character ever
// split: AT-SPI counts places and lengths in characters, the line edit in UTF-16 units, so
// a place could fall between the two halves of one beyond the BMP (an emoji), and a length
// cut one in two; the half left alone was stored as "?".
class FieldLineEditAccessible final : public QAccessibleWidget,
                                      public AccessibleTextItems,
                                      public QAccessibleEditableTextInterface {
public:
    explicit FieldLineEditAccessible(QLineEdit& field);

    QString text(QAccessible::Text kind) const override;
    void setText(QAccessible::Text kind, const QString& text) override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    void selection(int index, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int index) override;
    void setSelection(int index, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString& text) override;
    void replaceText(int startOffset, int endOffset, const QString& text) override;

private:
    QLineEdit& field_;
};

// Has assistive technology read and edit every line edit of the program as above: the
// fields' own, and those in the dialogs Qt makes for it (the save panel's file name), where
// Qt's own interface would answer and freeze her. Later calls do nothing.
void editLineEditsAccessibly();

} // namespace purlo
