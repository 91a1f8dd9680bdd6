#include "ui/AccessibleTextItems.h"

#include <QTextBoundaryFinder>
#include <algorithm>
#include <optional>
#include <vector>

namespace purlo {
namespace {

std::optional<QTextBoundaryFinder::BoundaryType> finderKind(QAccessible::TextBoundaryType kind) {
    switch (kind) {
    case QAccessible::CharBoundary:
        return QTextBoundaryFinder::Grapheme;
    case QAccessible::WordBoundary:
        return QTextBoundaryFinder::Word;
    case QAccessible::SentenceBoundary:
        return QTextBoundaryFinder::Sentence;
    default:
        return std::nullopt;
    }
}

// Where the items of a kind begin and end, in order, from the start to the end of text. The
// spaces and punctuation between two words make one item, as a caret moving by word sees
// them. Past the end the finder answers -1 ever after, so the walk stops at the end.
std::vector<qsizetype> itemEdges(const QString& text, QTextBoundaryFinder::BoundaryType kind) {
    std::vector<qsizetype> edges{0};
    QTextBoundaryFinder finder(kind, text);
    for (qsizetype at = finder.toNextBoundary(); at > 0 && at < text.size();
         at = finder.toNextBoundary()) {
        if (finder.boundaryReasons() &
            (QTextBoundaryFinder::StartOfItem | QTextBoundaryFinder::EndOfItem)) {
            edges.push_back(at);
        }
    }
    if (!text.isEmpty()) {
        edges.push_back(text.size());
    }
    return edges;
}

QString answer(const QString& text, qsizetype start, qsizetype end, int* startOffset,
               int* endOffset) {
    *startOffset = static_cast<int>(start);
    *endOffset = static_cast<int>(end);
    return text.mid(start, end - start);
}

} // namespace

QString AccessibleTextItems::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary,
                                              int* startOffset, int* endOffset) const {
    return item(offset, boundary, Side::before, startOffset, endOffset);
}

QString AccessibleTextItems::textAtOffset(int offset, QAccessible::TextBoundaryType boundary,
                                          int* startOffset, int* endOffset) const {
    return item(offset, boundary, Side::at, startOffset, endOffset);
}

QString AccessibleTextItems::textAfterOffset(int offset, QAccessible::TextBoundaryType boundary,
                                             int* startOffset, int* endOffset) const {
    return item(offset, boundary, Side::after, startOffset, endOffset);
}

QString AccessibleTextItems::item(int offset, QAccessible::TextBoundaryType boundary, Side side,
                                  int* startOffset, int* endOffset) const {
    const QString whole = text(0, characterCount());
    const qsizetype end = whole.size();
    const qsizetype place = offset == -2 ? cursorPosition() : offset == -1 ? end : offset;
    if (place < 0 || place > end) {
        *startOffset = *endOffset = -1;
        return {};
    }
    const auto kind = finderKind(boundary);
    // A line, a paragraph or all of it: the one line of the text, the caret at its end too.
    if (!kind) {
        const qsizetype start = side == Side::after ? end : 0;
        return answer(whole, start, side == Side::at ? end : start, startOffset, endOffset);
    }
    const std::vector<qsizetype> edges = itemEdges(whole, *kind);
    // The item at the place runs from the last edge at or before it to the next edge.
    const auto next = std::upper_bound(edges.begin(), edges.end(), place);
    const qsizetype itemStart = place == end ? end : *std::prev(next);
    const qsizetype itemEnd = place == end ? end : *next;
    switch (side) {
    case Side::before: {
        const auto edge = std::lower_bound(edges.begin(), edges.end(), itemStart);
        return answer(whole, itemStart == 0 ? 0 : *std::prev(edge), itemStart, startOffset,
                      endOffset);
    }
    case Side::at:
        return answer(whole, itemStart, itemEnd, startOffset, endOffset);
    case Side::after: {
        const auto edge = std::upper_bound(edges.begin(), edges.end(), itemEnd);
        return answer(whole, itemEnd, itemEnd == end ? end : *edge, startOffset, endOffset);
    }
    }
    return {};
}

} // namespace purlo
