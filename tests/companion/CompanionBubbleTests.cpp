#include "base/Enumeration.h"
#include "companion/CompanionBubbleLayout.h"
#include "companion/FontPostScriptName.h"
#include "companion/PurloTheme.h"
#include "companion/qt/CompanionBubble.h"
#include "companion/qt/PurloFontRegistrar.h"
#include "companion/qt/ThemeQColor.h"
#include "tests/companion/BuildFolder.h"
#include "tests/support/TemporaryFolder.h"

#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <gtest/gtest.h>
#include <tuple>

namespace purlo {
namespace {

using Lines = std::vector<std::string>;

std::size_t codePoints(std::string_view text) {
    return static_cast<std::size_t>(std::ranges::count_if(
        text, [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

constexpr std::string_view zeroWidthSpace = "\u200B";

std::size_t zeroWidthSpaces(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t at = text.find(zeroWidthSpace); at != std::string_view::npos;
         at = text.find(zeroWidthSpace, at + 1)) {
        ++count;
    }
    return count;
}

// A monospaced font: every character 5 points wide at 10 points but the zero-width space,
// which takes no room; lines 12 apart.
CompanionBubbleLayout layoutOf(const std::string& text, double offeredWidth = 160) {
    const BubbleTextMetrics monospaced{
        [](std::string_view text, double size) {
            return (codePoints(text) - zeroWidthSpaces(text)) * 5 * size / 10;
        },
        [](double size) { return size + 2; },
    };
    return CompanionBubbleLayout::make(text, offeredWidth, monospaced, 1.5);
}

std::string word(std::size_t length, char letter = 'a') {
    return std::string(length, letter);
}

TEST(CompanionBubbleLayout, OneLineWhenItFitsElseTwoShrinkingToEightPointsWithinTheOffer) {
    // In the 160-point panel the text may take 160 - 8 (shadow) - 22 (insets) = 130.
    // Text, offered width; then lines, point size and text width.
    const std::tuple<std::string, double, std::size_t, double, double> cases[] = {
        {"mm", 160, 1, 10, 10},
        {word(26), 160, 1, 10, 130},                  // exactly as wide as the room
        {word(13) + " " + word(13), 160, 2, 10, 130}, // one point too wide: wraps
        {word(27) + " " + word(27), 160, 2, 9, 130},  // three lines at 10
        {word(30) + " " + word(30), 160, 2, 8, 130},  // two lines only at 8
        {word(29), 400, 1, 10, 145},                  // a wide panel keeps one line
        {word(30), 400, 2, 10, 148},                  // but wraps within 148
        {word(30), 100, 2, 9, 70},                    // a narrow panel narrows the frame
    };
    for (const auto& [text, offered, lines, pointSize, textWidth] : cases) {
        const CompanionBubbleLayout layout = layoutOf(text, offered);
        EXPECT_EQ(layout.lines.size(), lines) << text;
        EXPECT_EQ(layout.textPointSize, pointSize) << text;
        EXPECT_DOUBLE_EQ(layout.text.width, textWidth) << text;
        EXPECT_DOUBLE_EQ(layout.lineHeight, pointSize + 2) << text;
    }
}

TEST(CompanionBubbleLayout, WrapsBetweenWordsBreaksOnlyLongWordsAndCutsWithAnEllipsis) {
    EXPECT_EQ(layoutOf("ready to chase the red dot now").lines,
              (Lines{"ready to chase the red dot", "now"}));
    EXPECT_EQ(layoutOf(word(30)).lines, (Lines{word(26), word(4)}));
    // Typographic apostrophes are one character each and are never split.
    std::string apostrophes;
    for (int i = 0; i < 28; ++i) {
        apostrophes += "\u2019";
    }
    const CompanionBubbleLayout layout = layoutOf(apostrophes);
    ASSERT_EQ(layout.lines.size(), 2u);
    EXPECT_EQ(codePoints(layout.lines[0]), 26u);
    EXPECT_EQ(layout.lines[0] + layout.lines[1], apostrophes);
    // At 8 points a line holds 130 / 4 = 32 characters.
    const CompanionBubbleLayout cut = layoutOf(word(30) + " " + word(30, 'b') + " " + word(30));
    EXPECT_EQ(cut.textPointSize, 8);
    EXPECT_EQ(cut.lines, (Lines{word(30), word(30, 'b') + "\u2026"}));
    EXPECT_EQ(layoutOf(word(100)).lines, (Lines{word(32), word(31) + "\u2026"}));
}

// However long a note, the bubble shows what two lines hold and cuts it with an ellipsis.
// A text still within two lines where its laying out stops, of characters that take no
// room, ends there in the ellipsis all the same.
TEST(CompanionBubbleLayout, ANoteOfAnyLengthShowsTwoLinesCutWithAnEllipsis) {
    std::string purrs;
    for (int i = 0; i < 8000; ++i) {
        purrs += "purr ";
    }
    std::string invisible;
    for (int i = 0; i < 40000; ++i) {
        invisible += zeroWidthSpace;
    }
    const std::string purrLine = "purr purr purr purr purr purr";
    // Text; then its lines and point size.
    const std::tuple<std::string, Lines, double> cases[] = {
        {word(40000), {word(32), word(31) + "\u2026"}, 8},
        {purrs, {purrLine, purrLine + " p\u2026"}, 8},
    };
    for (const auto& [text, lines, pointSize] : cases) {
        const CompanionBubbleLayout layout = layoutOf(text);
        EXPECT_EQ(layout.lines, lines) << text.substr(0, 40);
        EXPECT_EQ(layout.textPointSize, pointSize) << text.substr(0, 40);
    }
    const CompanionBubbleLayout hidden = layoutOf(invisible + "hello");
    ASSERT_EQ(hidden.lines.size(), 1u);
    EXPECT_TRUE(hidden.lines[0].ends_with("\u2026"));
}

TEST(CompanionBubbleLayout, NeverLeavesTheOfferedWidthAndSurvivesNoRoomAtAll) {
    for (const std::string& text : {std::string("mm"), word(40), word(12) + " " + word(50)}) {
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

constexpr int panelWidth = 160, margin = 20;

// The bubble painted with room around the panel, which sits margin points in.
QImage render(const CompanionBubbleLayout& layout, CompanionMessage::Kind kind, const QFont& font,
              int scale = 1, QColor background = Qt::transparent) {
    const int height = static_cast<int>(std::ceil(layout.height));
    QImage image(QSize(panelWidth + 2 * margin, height + margin) * scale,
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(background);
    QPainter painter(&image);
    painter.translate(margin, 0);
    paintCompanionBubble(painter, layout, kind, font, CompanionBubble::defaultCornerRadius,
                         CompanionBubble::defaultLineWidth);
    return image;
}

QColor at(const QImage& image, double x, double y) {
    return image.pixelColor(static_cast<int>(std::floor(x + margin)), static_cast<int>(y));
}

bool isInk(const QColor& color) {
    return color.alpha() > 100 && color.lightness() < 128;
}

QFont pixelFont(bool registered) {
    PurloFontRegistrar registrar;
    if (const auto resources = testing::programResources(); registered && resources) {
        registrar.registerBundledFonts(*resources);
    }
    return registrar.font(PurloFontRegistrar::pixelFontName, 10);
}

TEST(CompanionBubble, DrawsFillOutlineShadowAndTailForEveryKindInEitherFont) {
    for (const QFont& font : {pixelFont(true), pixelFont(false)}) {
        for (const auto kind : allCases<CompanionMessage::Kind>()) {
            CompanionBubble bubble({"ready to pounce", kind});
            bubble.setTextFont(font);
            const CompanionBubbleLayout layout = bubble.layoutFor(panelWidth);
            const QImage image = render(layout, kind, font);
            const QColor fill = themeQColor(PurloTheme::bubbleFill(kind));
            const CanvasRect& body = layout.body;
            const double middle = body.height / 2;
            SCOPED_TRACE(std::string(toString(kind)) + " in " + font.family().toStdString());

            EXPECT_EQ(at(image, body.x + 5, middle), fill);
            EXPECT_EQ(at(image, layout.tailCentreX, body.height + 3), fill);
            EXPECT_EQ(at(image, body.x + body.width / 2, 0), themeQColor(PurloTheme::ink));
            EXPECT_TRUE(isInk(at(image, body.x + body.width - 0.75, middle)));
            EXPECT_TRUE(isInk(at(image, layout.tailCentreX, body.height + 7)));
            const QColor shadow = at(image, body.x + body.width + 2, middle);
            const QColor wanted = themeQColor(PurloTheme::inkShadow);
            for (const auto channel :
                 {&QColor::red, &QColor::green, &QColor::blue, &QColor::alpha}) {
                EXPECT_NEAR((shadow.*channel)(), (wanted.*channel)(), 3);
            }
            int textInk = 0;
            for (double y = layout.text.y; y < layout.text.y + layout.text.height; ++y) {
                for (double x = layout.text.x; x < layout.text.x + layout.text.width; ++x) {
                    textInk += isInk(at(image, x, y)) ? 1 : 0;
                }
            }
            EXPECT_GT(textInk, 20);
        }
    }
}

// The widget keeps its drawing between paints; whatever changes what it shows must show.
TEST(CompanionBubble, ARepaintShowsTheMessageAndTheStepOfItsComingThatAreSetNow) {
    const auto shown = [](const CompanionMessage& message, double opacity, double scale) {
        CompanionBubble bubble(message);
        bubble.resize(panelWidth, bubble.heightForWidth(panelWidth));
        bubble.setPresentation(opacity, scale);
        return bubble.grab().toImage();
    };
    const CompanionMessage hello{"hello", CompanionMessage::Kind::soft};
    const CompanionMessage done{"all done!", CompanionMessage::Kind::happy};
    CompanionBubble bubble(hello);
    bubble.resize(panelWidth, bubble.heightForWidth(panelWidth));
    const std::tuple<const char*, CompanionMessage, double, double> steps[] = {
        {"first", hello, 1, 1},
        {"a new message", done, 1, 1},
        {"half come", done, 0.5, 0.95},
        {"there again", done, 1, 1},
    };
    for (const auto& [name, message, opacity, scale] : steps) {
        bubble.setMessage(message);
        bubble.setPresentation(opacity, scale);
        EXPECT_EQ(bubble.grab().toImage(), shown(message, opacity, scale)) << name;
    }
    EXPECT_NE(shown(hello, 1, 1), shown(done, 1, 1));
}

// Where the pixels at least half opaque lie, and the most opaque of them.
std::pair<QRect, int> opaqueExtent(const QImage& image) {
    QRect bounds;
    int mostOpaque = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int alpha = qAlpha(image.pixel(x, y));
            mostOpaque = std::max(mostOpaque, alpha);
            if (alpha >= 128) {
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return {bounds, mostOpaque};
}

// At rest the widget shows exactly the bubble's drawing. On its way it shows that picture
// faded as one (its shadow never shows through its fill) and scaled about the bottom
// centre of its body.
TEST(CompanionBubble, AtRestItIsItsDrawingAndOnItsWayThatPictureFadedAndScaledAboutItsFoot) {
    CompanionBubble bubble({"ready to pounce", CompanionMessage::Kind::happy});
    bubble.resize(panelWidth, bubble.heightForWidth(panelWidth));
    const CompanionBubbleLayout layout = bubble.layout();
    // On a dense screen the widget shows device pixels; the drawing is made at the same
    // density, and every place below is in device pixels.
    const double ratio = bubble.devicePixelRatioF();
    QImage drawn(bubble.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    drawn.setDevicePixelRatio(ratio);
    drawn.fill(Qt::transparent);
    {
        QPainter painter(&drawn);
        paintCompanionBubble(painter, layout, CompanionMessage::Kind::happy, bubble.textFont(),
                             CompanionBubble::defaultCornerRadius,
                             CompanionBubble::defaultLineWidth);
    }
    const auto shown = [&](double opacity, double scale) {
        bubble.setPresentation(opacity, scale);
        return bubble.grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    };
    EXPECT_EQ(shown(1, 1), drawn);

    const auto [restBounds, restAlpha] = opaqueExtent(drawn);
    ASSERT_EQ(restAlpha, 255);
    const QPointF foot =
        QPointF(layout.body.x + layout.body.width / 2, layout.body.y + layout.body.height) * ratio;
    const auto moved = [&](double edge, double anchor, double scale) {
        return anchor + (edge - anchor) * scale;
    };
    // Opacity, scale; then the most opaque pixel.
    const std::tuple<double, double, int> steps[] = {
        {0.25, 1, 64}, {1, 0.9, 255}, {0.6, 0.95, 153}, {1, 1.02, 255}};
    for (const auto& [opacity, scale, alpha] : steps) {
        SCOPED_TRACE(::testing::Message() << opacity << " at " << scale);
        const QImage image = shown(opacity, scale);
        const auto [bounds, mostOpaque] = opaqueExtent(opacity < 1 ? shown(1, scale) : image);
        EXPECT_NEAR(opaqueExtent(image).second, alpha, 1);
        EXPECT_NEAR(bounds.left(), moved(restBounds.left(), foot.x(), scale), 1.5 * ratio);
        EXPECT_NEAR(bounds.right(), moved(restBounds.right(), foot.x(), scale), 1.5 * ratio);
        EXPECT_NEAR(bounds.top(), moved(restBounds.top(), foot.y(), scale), 1.5 * ratio);
        if (scale == 1) {
            // Faded as one: every pixel is the picture at rest, less opaque.
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    ASSERT_NEAR(qAlpha(image.pixel(x, y)), qAlpha(drawn.pixel(x, y)) * opacity, 1)
                        << x << "," << y;
                }
            }
        }
    }
}

TEST(CompanionBubble, WritesEveryKindForAPersonToLookAt) {
    const auto folder = testing::artifactsFolder();
    if (!folder) {
        GTEST_SKIP() << "PURLO_BUILD_DIR is not set (ctest sets it): no pictures written";
    }
    const QFont font = pixelFont(true);
    using enum CompanionMessage::Kind;
    const std::pair<const char*, CompanionMessage::Kind> messages[] = {
        {"purr", soft},
        {"focus time", focus},
        {"nice work", happy},
        {"Codex needs you", alert},
        {"Claude Code is thinking about your whole repository", focus}};
    for (const auto& [text, kind] : messages) {
        CompanionBubble bubble({text, kind});
        bubble.setTextFont(font);
        const CompanionBubbleLayout layout = bubble.layoutFor(panelWidth);
        const QString name = QString("bubble-%1%2.png")
                                 .arg(QString::fromStdString(std::string(toString(kind))))
                                 .arg(layout.lines.size() > 1 ? "-long" : "");
        EXPECT_TRUE(render(layout, kind, font, 4, QColor(0x8f, 0xa6, 0xb8))
                        .save(folder->filePath(name), "PNG"))
            << name.toStdString();
    }
}

TEST(PurloTheme, TextOnTheAccentIsReadableAndTheWashChangesOnlyItsOpacity) {
    const std::tuple<AppearanceColor, bool, const char*> cases[] = {
        {PurloTheme::onAccent, false, "#ffffffff"},   {PurloTheme::accent, false, "#ff202322"},
        {PurloTheme::onAccent, true, "#ff202322"},    {PurloTheme::accent, true, "#fff1df74"},
        {PurloTheme::accentWash, false, "#73f1df74"}, {PurloTheme::accentWash, true, "#29f1df74"}};
    for (const auto& [color, dark, argb] : cases) {
        EXPECT_EQ(themeQColor(color, dark).name(QColor::HexArgb), argb) << dark;
    }
}

using Paths = std::vector<std::filesystem::path>;

std::string bigEndian(std::initializer_list<unsigned> values, int bytes) {
    std::string out;
    for (const unsigned value : values) {
        for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8) {
            out.push_back(static_cast<char>((value >> shift) & 0xff));
        }
    }
    return out;
}

// A font file cut down to one "name" table: a family name in Macintosh bytes, then
// the PostScript name in Windows UTF-16.
std::string fontNamed(const std::string& postScriptName) {
    std::string utf16;
    for (const char c : postScriptName) {
        utf16 += std::string{'\0', c};
    }
    const auto size = static_cast<unsigned>(utf16.size());
    const std::string table =
        bigEndian({0, 2, 30, 1, 0, 0, 1, 5, 0, 3, 1, 0, 6, size, 5}, 2) + "Pixel" + utf16;
    return bigEndian({0x10000}, 4) + bigEndian({1, 16, 0, 0}, 2) + "name" +
           bigEndian({0, 28, 35 + size}, 4) + table;
}

TEST(FontPostScriptName, ReadsTheNameAndNothingPastTheEnd) {
    const std::string font = fontNamed("Pixel-Regular");
    EXPECT_EQ(fontPostScriptName(font), "Pixel-Regular");
    for (std::size_t length = 0; length < font.size(); ++length) {
        EXPECT_EQ(fontPostScriptName(font.substr(0, length)), std::nullopt) << length;
    }
    EXPECT_EQ(fontPostScriptName(fontNamed("Pixel Regular")), std::nullopt);
    EXPECT_EQ(fontPostScriptName(std::string(64, '\xff')), std::nullopt);
}

TEST(PurloFontRegistrar, RegistersTheFontsFolderFirstThenTheTopAndOnlyOnce) {
    const testing::TemporaryFolder resources;
    std::filesystem::create_directories(resources / "Fonts" / "Nested.ttf");
    for (const char* name : {"Fonts/b.ttf", "Fonts/a.ttf", "Fonts/Upper.TTF", "d.ttf", "c.ttf",
                             "e.otf", "Info.json"}) {
        testing::writeFile(resources / name, "font");
    }
    Paths registered;
    const auto record = [&](const std::filesystem::path& file) {
        registered.push_back(file);
        return QStringList{"Some Family"};
    };
    PurloFontRegistrar registrar(record);
    registrar.registerBundledFonts(resources.path());
    registrar.registerBundledFonts(resources.path());
    EXPECT_EQ(registered, (Paths{resources / "Fonts" / "a.ttf", resources / "Fonts" / "b.ttf",
                                 resources / "c.ttf", resources / "d.ttf"}));
    // Files that are no fonts have no name to be found by.
    EXPECT_EQ(registrar.family("a"), std::nullopt);
    // A first call that found nothing is not repeated either.
    registered.clear();
    const testing::TemporaryFolder empty;
    PurloFontRegistrar second(record);
    second.registerBundledFonts(empty.path());
    second.registerBundledFonts(resources.path());
    EXPECT_EQ(registered, Paths{});
}

TEST(PurloFontRegistrar, FindsThePixelFontByItsPostScriptNameAndElseGivesTheDefault) {
    const auto resources = testing::programResources();
    if (!resources || !std::filesystem::exists(*resources / "Fonts" / "Silkscreen-Regular.ttf")) {
        GTEST_SKIP() << "the pixel font is not in the build (scripts/setup.sh installs it)";
    }
    PurloFontRegistrar registrar;
    registrar.registerBundledFonts(*resources);
    EXPECT_EQ(registrar.family(PurloFontRegistrar::pixelFontName), QString("Silkscreen"));
    const QFont pixelFont = registrar.font(PurloFontRegistrar::pixelFontName, 10);
    EXPECT_EQ(QFontInfo(pixelFont).family(), QString("Silkscreen"));
    EXPECT_EQ(pixelFont.pixelSize(), 10);
    const QFont fallback = PurloFontRegistrar().font(PurloFontRegistrar::pixelFontName, 10);
    EXPECT_EQ(fallback.family(), QFont().family());
    EXPECT_EQ(fallback.pixelSize(), 10);
}

} // namespace
} // namespace purlo
