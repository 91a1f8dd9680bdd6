#include "companion/PurloTheme.h"
#include "companion/qt/CompanionBubble.h"
#include "companion/qt/PurloFontRegistrar.h"
#include "companion/qt/ThemeQColor.h"
#include "model/Enumeration.h"
#include "tests/companion/BuildFolder.h"

#include <QImage>
#include <QPainter>
#include <cmath>
#include <gtest/gtest.h>

namespace purlo {
namespace {

constexpr int panelWidth = 160;
constexpr int margin = 20;

// The bubble painted with room around the panel, which sits margin points in.
QImage render(const CompanionBubbleLayout& layout, CompanionMessage::Kind kind, const QFont& font) {
    QImage image(panelWidth + 2 * margin, static_cast<int>(std::ceil(layout.height)) + margin,
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
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

QFont pixelFont(const PurloFontRegistrar& registrar) {
    return registrar.font(PurloFontRegistrar::pixelFontName, 10);
}

TEST(CompanionBubble, DrawsFillOutlineShadowAndTailForEveryKindInEitherFont) {
    PurloFontRegistrar registrar;
    if (const auto resources = testing::programResources()) {
        registrar.registerBundledFonts(*resources);
    }
    const PurloFontRegistrar unregistered;
    for (const QFont& font : {pixelFont(registrar), pixelFont(unregistered)}) {
        for (const auto kind : allCases<CompanionMessage::Kind>()) {
            CompanionBubble bubble({"ready to pounce", kind});
            bubble.setTextFont(font);
            const CompanionBubbleLayout layout = bubble.layoutFor(panelWidth);
            const QImage image = render(layout, kind, font);
            const QColor fill = themeQColor(PurloTheme::bubbleFill(kind));
            const CanvasRect& body = layout.body;
            const double middle = body.height / 2;
            const std::string name =
                std::string(toString(kind)) + " in " + font.family().toStdString();

            EXPECT_EQ(at(image, body.x + 5, middle), fill) << name;
            EXPECT_EQ(at(image, layout.tailCentreX, body.height + 3), fill) << name;
            EXPECT_EQ(at(image, body.x + body.width / 2, 0), themeQColor(PurloTheme::ink)) << name;
            EXPECT_TRUE(isInk(at(image, body.x + body.width - 0.75, middle))) << name;
            EXPECT_TRUE(isInk(at(image, layout.tailCentreX, body.height + 7))) << name;
            const QColor shadow = at(image, body.x + body.width + 2, middle);
            const QColor wanted = themeQColor(PurloTheme::inkShadow);
            for (const auto channel :
                 {&QColor::red, &QColor::green, &QColor::blue, &QColor::alpha}) {
                EXPECT_NEAR((shadow.*channel)(), (wanted.*channel)(), 3) << name;
            }

            int textInk = 0;
            for (double y = layout.text.y; y < layout.text.y + layout.text.height; ++y) {
                for (double x = layout.text.x; x < layout.text.x + layout.text.width; ++x) {
                    textInk += isInk(at(image, x, y)) ? 1 : 0;
                }
            }
            EXPECT_GT(textInk, 20) << name;
        }
    }
}

TEST(CompanionBubble, ALongMessageWrapsAndStaysInsideThePanel) {
    CompanionBubble bubble({"Claude Code needs you: a question waits in the terminal for a while",
                            CompanionMessage::Kind::alert});
    const CompanionBubbleLayout layout = bubble.layoutFor(panelWidth);
    EXPECT_EQ(layout.lines.size(), 2u);
    const int height = bubble.heightForWidth(panelWidth);
    EXPECT_EQ(height, static_cast<int>(std::ceil(layout.height)));

    const QImage image = render(layout, CompanionMessage::Kind::alert, bubble.textFont());
    int outside = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const bool inPanel = x >= margin && x < margin + panelWidth && y < height;
            outside += !inPanel && image.pixelColor(x, y).alpha() != 0 ? 1 : 0;
        }
    }
    EXPECT_EQ(outside, 0);
}

// The bubbles four times enlarged on a desktop blue, for a person to look at.
TEST(CompanionBubble, WritesEveryKindForAPersonToLookAt) {
    const auto folder = testing::artifactsFolder();
    if (!folder) {
        GTEST_SKIP() << "PURLO_BUILD_DIR is not set (ctest sets it): no pictures written";
    }
    PurloFontRegistrar registrar;
    registrar.registerBundledFonts(*testing::programResources());
    const QFont font = pixelFont(registrar);
    const std::pair<const char*, CompanionMessage::Kind> messages[] = {
        {"purr", CompanionMessage::Kind::soft},
        {"focus time", CompanionMessage::Kind::focus},
        {"nice work", CompanionMessage::Kind::happy},
        {"Codex needs you", CompanionMessage::Kind::alert},
        {"Claude Code is thinking about your whole repository", CompanionMessage::Kind::focus},
    };
    constexpr int scale = 4;
    for (const auto& [text, kind] : messages) {
        CompanionBubble bubble({text, kind});
        bubble.setTextFont(font);
        const CompanionBubbleLayout layout = bubble.layoutFor(panelWidth);
        QImage image(QSize(panelWidth, static_cast<int>(std::ceil(layout.height))) * scale,
                     QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(scale);
        image.fill(QColor(0x8f, 0xa6, 0xb8));
        QPainter painter(&image);
        paintCompanionBubble(painter, layout, kind, font, CompanionBubble::defaultCornerRadius,
                             CompanionBubble::defaultLineWidth);
        painter.end();
        const QString name =
            QString("bubble-%1%2.png")
                .arg(QString::fromUtf8(toString(kind).data(),
                                       static_cast<qsizetype>(toString(kind).size())))
                .arg(layout.lines.size() > 1 ? "-long" : "");
        EXPECT_TRUE(image.save(folder->filePath(name), "PNG")) << name.toStdString();
    }
}

} // namespace
} // namespace purlo
