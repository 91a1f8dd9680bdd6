#pragma once

#include <QAccessibleTextInterface>

namespace purlo {

// A text interface that finds for itself the character, word, sentence or line before, at
// or after an offset, from the whole of its text. Qt 6.4's own search for the word or
// sentence at the end of a text walks on past the end and never returns, and a screen
// reader asks just that as the caret moves by word in a field: she froze for good, deaf
// even to SIGTERM. These answer at once at every offset and for every kind: at the end
// there is nothing, before the end the last item; a single-line text is its own line; -1
// is the end and -2 the caret, and an offset outside the text is an error (-1, -1).
class AccessibleTextItems : public QAccessibleTextInterface {
public:
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                             int* endOffset) const final;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                         int* endOffset) const final;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                            int* endOffset) const final;

private:
    enum class Side { before, at, after };

    QString item(int offset, QAccessible::TextBoundaryType boundary, Side side, int* startOffset,
                 int* endOffset) const;
};

} // namespace purlo
