#include "companion/CompanionBubbleLayout.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace purlo {
namespace {

using Layout = CompanionBubbleLayout;

constexpr std::string_view ellipsis = "\u2026";

// A long text is laid out from its first code points, this many first and twice as many
// at each next try, until a part needs a third line at the smallest size. Where that line
// starts within the part, every break before it and the cut of the second line were
// decided by measuring the part alone, and a longer text is only wider: the whole text
// shows just as the part does.
constexpr std::size_t firstCodePoints = 64;

// Two lines of anything that takes room hold far fewer code points than this: a text
// still within two lines here is made of characters that take none, or of long runs of
// spaces. It is cut here with the ellipsis, so that no text costs more than this much.
constexpr std::size_t mostCodePoints = 2048;

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The byte offset just past the code point at offset.
std::size_t nextCodePoint(std::string_view text, std::size_t offset) {
    ++offset;
    while (offset < text.size() && isContinuationByte(text[offset])) {
        ++offset;
    }
    return offset;
}

// The byte offset of the code point that holds the byte at offset.
std::size_t codePointStart(std::string_view text, std::size_t offset) {
    while (offset > 0 && isContinuationByte(text[offset])) {
        --offset;
    }
    return offset;
}

// The byte offset just past the first count code points of text, or its size.
std::size_t afterCodePoints(std::string_view text, std::size_t count) {
    std::size_t offset = 0;
    for (; count > 0 && offset < text.size(); --count) {
        offset = nextCodePoint(text, offset);
    }
    return offset;
}

std::size_t skipSpaces(std::string_view text, std::size_t offset) {
    while (offset < text.size() && text[offset] == ' ') {
        ++offset;
    }
    return offset;
}

std::string_view withoutTrailingSpaces(std::string_view text) {
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

// The last code point boundary from low up to high at which holds is true, given that it
// is true at low and false at high. Every try measures text, so each halves the range.
template <typename Holds>
std::size_t lastHolding(std::string_view text, std::size_t low, std::size_t high,
                        const Holds& holds) {
    while (true) {
        const std::size_t next = nextCodePoint(text, low);
        if (next >= high) {
            return low;
        }
        const std::size_t middle = std::max(next, codePointStart(text, low + (high - low) / 2));
        (holds(middle) ? low : high) = middle;
    }
}

class Wrapper {
public:
    Wrapper(std::string_view text, double maxWidth, double pointSize,
            const BubbleTextMetrics& metrics)
        : text_(text)
        , maxWidth_(maxWidth)
        , pointSize_(pointSize)
        , metrics_(metrics) {}

    double maxWidth() const { return maxWidth_; }
    double pointSize() const { return pointSize_; }

    bool fits(std::string_view candidate) const {
        return metrics_.width(candidate, pointSize_) <= maxWidth_;
    }

    // Greedy lines of whole words from start; a word wider than a line is broken
    // between code points, and every line takes at least one, so wrapping always ends.
    std::size_t lineEnd(std::size_t start) const {
        std::size_t end = start;
        std::size_t wordStart = start;
        while (wordStart < text_.size()) {
            const std::size_t wordEnd = std::min(text_.find(' ', wordStart), text_.size());
            if (fits(text_.substr(start, wordEnd - start))) {
                end = wordEnd;
                wordStart = skipSpaces(text_, wordEnd);
                continue;
            }
            if (end == start) {
                end = lastHolding(text_, nextCodePoint(text_, start), wordEnd,
                                  [&](std::size_t candidate) {
                                      return fits(text_.substr(start, candidate - start));
                                  });
            }
            break;
        }
        return end;
    }

    // The starts of the first lines, up to limit of them, and where the text left over
    // after them begins.
    std::pair<std::vector<std::size_t>, std::size_t> lineStarts(std::size_t limit) const {
        std::vector<std::size_t> starts;
        std::size_t offset = skipSpaces(text_, 0);
        while (offset < text_.size() && starts.size() < limit) {
            starts.push_back(offset);
            offset = skipSpaces(text_, lineEnd(offset));
        }
        return {starts, offset};
    }

    std::string line(std::size_t start) const {
        return std::string(text_.substr(start, lineEnd(start) - start));
    }

    // The rest of the text from start on one line, cut at its end with an ellipsis.
    std::string cutLine(std::size_t start) const {
        const std::string_view rest = text_.substr(start);
        if (fits(rest)) {
            return std::string(rest);
        }
        const auto cutAt = [&](std::size_t end) {
            return std::string(withoutTrailingSpaces(text_.substr(start, end - start))) +
                   std::string(ellipsis);
        };
        return cutAt(lastHolding(text_, start, text_.size(),
                                 [&](std::size_t end) { return fits(cutAt(end)); }));
    }

private:
    std::string_view text_;
    double maxWidth_;
    double pointSize_;
    const BubbleTextMetrics& metrics_;
};

// What the bubble shows of a text: its lines at their size, and the width they are centred
// across.
struct ShownText {
    std::vector<std::string> lines;
    double pointSize;
    double width;
};

// The lines from starts, the last of them cut with an ellipsis.
ShownText cutShort(const Wrapper& wrapper, const std::vector<std::size_t>& starts) {
    ShownText shown{{}, wrapper.pointSize(), wrapper.maxWidth()};
    for (std::size_t i = 0; i + 1 < starts.size(); ++i) {
        shown.lines.push_back(wrapper.line(starts[i]));
    }
    shown.lines.push_back(wrapper.cutLine(starts.back()));
    return shown;
}

// The whole of text, on one line at its natural width when that fits, else wrapped.
ShownText laidOut(std::string_view text, double maxWidth, const BubbleTextMetrics& metrics) {
    const double width = metrics.width(text, Layout::pointSize);
    if (width <= maxWidth) {
        return {{std::string(text)}, Layout::pointSize, width};
    }
    for (double size = Layout::pointSize; size >= Layout::minimumPointSize; size -= 1) {
        const Wrapper wrapper(text, maxWidth, size, metrics);
        const auto [starts, rest] = wrapper.lineStarts(Layout::maximumLines);
        if (rest >= text.size()) {
            ShownText shown{{}, size, maxWidth};
            for (const std::size_t start : starts) {
                shown.lines.push_back(wrapper.line(start));
            }
            return shown;
        }
    }
    const Wrapper smallest(text, maxWidth, Layout::minimumPointSize, metrics);
    return cutShort(smallest, smallest.lineStarts(Layout::maximumLines).first);
}

// What the bubble shows of message, laid out from no more of it than could show.
ShownText shownText(std::string_view message, double maxWidth, const BubbleTextMetrics& metrics) {
    for (std::size_t count = firstCodePoints;; count *= 2) {
        const std::string_view part = message.substr(0, afterCodePoints(message, count));
        if (part.size() == message.size()) {
            return laidOut(message, maxWidth, metrics);
        }
        const Wrapper smallest(part, maxWidth, Layout::minimumPointSize, metrics);
        const auto [starts, rest] = smallest.lineStarts(Layout::maximumLines);
        if (rest < part.size()) {
            return cutShort(smallest, starts);
        }
        if (count >= mostCodePoints) {
            return laidOut(std::string(part) + std::string(ellipsis), maxWidth, metrics);
        }
    }
}

double finiteOrZero(double value) {
    return std::isfinite(value) ? value : 0.0;
}

} // namespace

CompanionBubbleLayout CompanionBubbleLayout::make(std::string_view message, double offeredWidth,
                                                  const BubbleTextMetrics& metrics,
                                                  double lineWidth) {
    CompanionBubbleLayout layout;
    layout.width = std::max(0.0, finiteOrZero(offeredWidth));
    const double widestBody = layout.width - 2 * shadowOffset;
    const double widestText = std::clamp(widestBody - 2 * horizontalInset, 0.0, wrapWidth);

    ShownText shown = shownText(message, widestText, metrics);
    layout.lines = std::move(shown.lines);
    layout.textPointSize = shown.pointSize;
    const double textWidth = shown.width;
    layout.lineHeight = metrics.lineHeight(layout.textPointSize);

    const double textHeight = layout.lineHeight * static_cast<double>(layout.lines.size());
    const double bodyWidth = textWidth + 2 * horizontalInset;
    layout.body = {(layout.width - bodyWidth) / 2, 0, bodyWidth, textHeight + 2 * verticalInset};
    layout.text = {layout.body.x + horizontalInset, verticalInset, textWidth, textHeight};

    const double bodyBottom = layout.body.y + layout.body.height;
    layout.tailCentreX = layout.body.x + bodyWidth / 2;
    layout.tailCentreY = bodyBottom - tailSide / 2 + tailDrop;
    // The tail is the square turned by 45 degrees; its outline's miter juts out by half
    // the line width times the square root of two.
    const double tailPoint =
        layout.tailCentreY + (tailSide + std::max(0.0, lineWidth)) * std::numbers::sqrt2 / 2;
    layout.height = std::max(bodyBottom + shadowOffset, tailPoint);
    return layout;
}

} // namespace purlo
