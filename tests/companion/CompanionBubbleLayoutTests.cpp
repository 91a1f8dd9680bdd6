#include "companion/CompanionBubbleLayout.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <string>

namespace purlo {
namespace {

std::size_t codePoints(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text) {
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    return count;
}

// A monospaced font: every character 5 points wide at 10 points, lines 12 apart.
const BubbleTextMetrics monospaced{[](std::string_view text, double size) {
                                       return static_cast<double>(codePoints(text)) * 5 * size / 10;
                                   },
                                   [](double size) {
                                       return size + 2;
                                   }};

constexpr double lineWidth = 1.5;

CompanionBubbleLayout layoutOf(const std::string& text, double offeredWidth = 160) {
    return CompanionBubbleLayout::make(text, offeredWidth, monospaced, lineWidth);
}

std::string word(std::size_t length, char letter = 'a') {
    return std::string(length, letter);
}

TEST(CompanionBubbleLayout, ChoosesLinesAndSizeByTheRoomThePanelLeaves) {
    // In the 160-point panel the text may take 160 - 8 (shadow) - 22 (insets) = 130.
    struct Case {
        std::string text;
        double offered;
        std::size_t lines;
        double pointSize;
        double textWidth;
    };
    const Case cases[] = {
        {"mm", 160, 1, 10, 10},
        {word(26), 160, 1, 10, 130},                  // exactly as wide as the room
        {word(13) + " " + word(13), 160, 2, 10, 130}, // one point too wide: wraps
        {word(27) + " " + word(27), 160, 2, 9, 130},  // three lines at 10
        {word(30) + " " + word(30), 160, 2, 8, 130},  // two lines only at 8
        {word(29), 400, 1, 10, 145},                  // a wide panel keeps one line
        {word(30), 400, 2, 10, 148},                  // but wraps within 148
        {word(30), 100, 2, 9, 70},                    // a narrow panel narrows the frame
    };
    for (const Case& c : cases) {
        const CompanionBubbleLayout layout = layoutOf(c.text, c.offered);
        EXPECT_EQ(layout.lines.size(), c.lines) << c.text;
        EXPECT_EQ(layout.textPointSize, c.pointSize) << c.text;
        EXPECT_DOUBLE_EQ(layout.text.width, c.textWidth) << c.text;
        EXPECT_DOUBLE_EQ(layout.lineHeight, c.pointSize + 2) << c.text;
    }
}

TEST(CompanionBubbleLayout, WrapsBetweenWordsAndBreaksOnlyWordsWiderThanALine) {
    EXPECT_EQ(layoutOf("ready to chase the red dot now").lines,
              (std::vector<std::string>{"ready to chase the red dot", "now"}));
    // 30 characters at 10 points: 26 fit on the first line.
    EXPECT_EQ(layoutOf(word(30)).lines, (std::vector<std::string>{word(26), word(4)}));
    // Typographic apostrophes are one character each and are never split.
    const std::string apostrophes = "\u2019\u2019\u2019\u2019\u2019\u2019\u2019\u2019\u2019\u2019"
                                    "\u2019\u2019\u2019\u2019\u2019\u2019\u2019\u2019\u2019\u2019"
                                    "\u2019\u2019\u2019\u2019\u2019\u2019\u2019\u2019";
    const CompanionBubbleLayout layout = layoutOf(apostrophes);
    ASSERT_EQ(layout.lines.size(), 2u);
    EXPECT_EQ(codePoints(layout.lines[0]), 26u);
    EXPECT_EQ(layout.lines[0] + layout.lines[1], apostrophes);
}

TEST(CompanionBubbleLayout, CutsTheSecondLineWithAnEllipsisWhenEvenEightPointsCannotHoldIt) {
    // At 8 points a line holds 130 / 4 = 32 characters.
    const CompanionBubbleLayout layout =
        layoutOf(word(30) + " " + word(30, 'b') + " " + word(30, 'c'));
    EXPECT_EQ(layout.textPointSize, 8);
    EXPECT_EQ(layout.lines, (std::vector<std::string>{word(30), word(30, 'b') + "\u2026"}));

    const CompanionBubbleLayout unbroken = layoutOf(word(100));
    EXPECT_EQ(unbroken.lines, (std::vector<std::string>{word(32), word(31) + "\u2026"}));
}

TEST(CompanionBubbleLayout, NeverLeavesTheOfferedWidthAndSurvivesNoRoomAtAll) {
    const std::string texts[] = {"mm", word(40), word(12) + " " + word(50) + " " + word(9)};
    for (const std::string& text : texts) {
        for (const double offered : {400.0, 160.0, 120.0, 60.0, 30.0}) {
            const CompanionBubbleLayout layout = layoutOf(text, offered);
            EXPECT_GE(layout.body.x, 0) << text << " in " << offered;
            EXPECT_LE(layout.body.x + layout.body.width + CompanionBubbleLayout::shadowOffset,
                      offered)
                << text << " in " << offered;
        }
        for (const double offered : {29.0, 0.0, -20.0, std::nan(""), HUGE_VAL}) {
            const CompanionBubbleLayout layout = layoutOf(text, offered);
            EXPECT_EQ(layout.lines.size(), 2u) << offered;
            EXPECT_TRUE(std::isfinite(layout.body.x) && std::isfinite(layout.height)) << offered;
        }
    }
}

TEST(CompanionBubbleLayout, PlacesTheBodyAboveItsTailAndShadow) {
    const CompanionBubbleLayout layout = layoutOf("mm");
    // Insets of 11 and 8 around 10 x 12 points of text, centred in the panel.
    EXPECT_EQ(layout.body, (CanvasRect{64, 0, 32, 28}));
    EXPECT_EQ(layout.text, (CanvasRect{75, 8, 10, 12}));
    EXPECT_DOUBLE_EQ(layout.tailCentreX, 80);
    EXPECT_DOUBLE_EQ(layout.tailCentreY, 27.5);
    // The tail's point, with the outline's miter, is the lowest thing drawn.
    EXPECT_NEAR(layout.height, 27.5 + 12.5 * std::numbers::sqrt2 / 2, 1e-9);
    EXPECT_NEAR(CompanionBubbleLayout::make("mm", 160, monospaced, 0).height - 28, 7.28, 0.01);
}

} // namespace
} // namespace purlo
