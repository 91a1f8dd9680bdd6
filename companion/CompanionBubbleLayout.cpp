#include "companion/CompanionBubbleLayout.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace purlo {
namespace {

constexpr std::string_view ellipsis = "\u2026";

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

// The byte offset of the code point that ends at offset.
std::size_t previousCodePoint(std::string_view text, std::size_t offset) {
    --offset;
    while (offset > 0 && isContinuationByte(text[offset])) {
        --offset;
    }
    return offset;
}

std::size_t skipSpaces(std::string_view text, std::size_t offset) {
    while (offset < text.size() && text[offset] == ' ') {
        ++offset;
    }
    return offset;
}

class Wrapper {
public:
    Wrapper(std::string_view text, double maxWidth, double pointSize,
            const BubbleTextMetrics& metrics)
        : text_(text)
        , maxWidth_(maxWidth)
        , pointSize_(pointSize)
        , metrics_(metrics) {}

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
                end = nextCodePoint(text_, start);
                while (end < wordEnd &&
                       fits(text_.substr(start, nextCodePoint(text_, end) - start))) {
                    end = nextCodePoint(text_, end);
                }
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
        std::string_view rest = text_.substr(start);
        if (fits(rest)) {
            return std::string(rest);
        }
        while (!rest.empty()) {
            rest = rest.substr(0, previousCodePoint(rest, rest.size()));
            while (!rest.empty() && rest.back() == ' ') {
                rest.remove_suffix(1);
            }
            std::string candidate = std::string(rest) + std::string(ellipsis);
            if (fits(candidate)) {
                return candidate;
            }
        }
        return std::string(ellipsis);
    }

private:
    std::string_view text_;
    double maxWidth_;
    double pointSize_;
    const BubbleTextMetrics& metrics_;
};

struct WrappedText {
    std::vector<std::string> lines;
    double pointSize;
};

WrappedText wrappedText(std::string_view message, double maxWidth,
                        const BubbleTextMetrics& metrics) {
    using Layout = CompanionBubbleLayout;
    for (double size = Layout::pointSize; size >= Layout::minimumPointSize; size -= 1) {
        const Wrapper wrapper(message, maxWidth, size, metrics);
        const auto [starts, rest] = wrapper.lineStarts(Layout::maximumLines);
        if (rest >= message.size()) {
            WrappedText wrapped{{}, size};
            for (const std::size_t start : starts) {
                wrapped.lines.push_back(wrapper.line(start));
            }
            return wrapped;
        }
    }
    const Wrapper wrapper(message, maxWidth, Layout::minimumPointSize, metrics);
    const auto [starts, rest] = wrapper.lineStarts(Layout::maximumLines);
    WrappedText wrapped{{}, Layout::minimumPointSize};
    for (std::size_t i = 0; i + 1 < starts.size(); ++i) {
        wrapped.lines.push_back(wrapper.line(starts[i]));
    }
    wrapped.lines.push_back(wrapper.cutLine(starts.back()));
    return wrapped;
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

    double textWidth = metrics.width(message, pointSize);
    if (textWidth <= widestText) {
        layout.lines = {std::string(message)};
    } else {
        WrappedText wrapped = wrappedText(message, widestText, metrics);
        layout.lines = std::move(wrapped.lines);
        layout.textPointSize = wrapped.pointSize;
        textWidth = widestText;
    }
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
