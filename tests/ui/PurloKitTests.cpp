#include "companion/qt/ThemeQColor.h"
#include "tests/ui/WidgetDriving.h"
#include "ui/PurloComponents.h"

#include <QEnterEvent>
#include <QImage>
#include <gtest/gtest.h>

namespace purlo {
namespace {

using Kind = PurloButtonChrome::Kind;
using testing::click;

TEST(PurloButtonChrome, StatesChangeOpacityLiftShadowAndOutlineByTheirOwnRules) {
    struct Case {
        Kind kind;
        bool enabled, hovering, pressed;
        double opacity, lift;
        bool shadow;
        std::optional<AppearanceColor> outline;
    };
    const Case cases[] = {
        {Kind::primary, true, false, false, 1.0, 0, true, std::nullopt},
        {Kind::primary, true, true, false, 1.0, 1, true, std::nullopt},
        {Kind::primary, true, true, true, 0.85, 0, true, std::nullopt},
        {Kind::primary, false, true, false, 0.45, 0, false, std::nullopt},
        {Kind::primary, false, true, true, 0.45, 0, false, std::nullopt},
        {Kind::ghost, true, false, false, 1.0, 0, false, PurloTheme::border},
        {Kind::ghost, true, true, false, 1.0, 1, false, PurloTheme::accent},
        {Kind::ghost, true, false, true, 0.85, 0, false, PurloTheme::border},
        // The outline follows the pointer alone, a disabled button's too.
        {Kind::ghost, false, true, false, 0.45, 0, false, PurloTheme::accent},
    };
    for (const Case& c : cases) {
        for (const bool compact : {false, true}) {
            const auto look =
                PurloButtonChrome::look(c.kind, compact, c.enabled, c.hovering, c.pressed);
            const std::string label = std::string(c.kind == Kind::primary ? "primary" : "ghost") +
                                      " enabled " + std::to_string(c.enabled) + " hovering " +
                                      std::to_string(c.hovering) + " pressed " +
                                      std::to_string(c.pressed);
            EXPECT_EQ(look.opacity, c.opacity) << label;
            EXPECT_EQ(look.lift, c.lift) << label;
            EXPECT_EQ(look.shadow, c.shadow) << label;
            EXPECT_EQ(look.outline, c.outline) << label;
            EXPECT_EQ(look.fill,
                      c.kind == Kind::primary ? PurloTheme::accent : PurloTheme::controlBackground);
            EXPECT_EQ(look.fontSize, compact ? 13.5 : 14.5);
            EXPECT_EQ(look.horizontalPadding, compact ? 14 : 18);
            EXPECT_EQ(look.verticalPadding, compact ? 9 : 11);
        }
    }
}

TEST(PurloButtonChrome, FollowsThePointerAndTheAppearanceOfItsWindow) {
    for (const bool dark : {false, true}) {
        QWidget window;
        window.setPalette(purloPalette(dark));
        PurloButtonChrome* button = PurloPrimaryButtonStyle{}.makeBody("Continue", &window);
        button->adjustSize();
        const QImage face = button->grab().toImage();
        EXPECT_EQ(face.pixelColor(6, face.height() / 2).rgb(),
                  themeQColor(PurloTheme::accent, dark).rgb())
            << (dark ? "dark" : "light");

        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(button, &enter);
        EXPECT_EQ(button->currentLook().lift, 1);
        button->setEnabled(false);
        EXPECT_EQ(button->currentLook().lift, 0) << "a disabled button never lifts";
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(button, &leave);
        EXPECT_FALSE(button->hovering());
    }
}

TEST(PurloDisclosureGroup, TheWholeHeaderRowFoldsAndOpensTheContent) {
    auto* label = new QLabel("Diagnostics");
    auto* content = new QLabel("Details");
    std::unique_ptr<PurloDisclosureGroup> group(
        PurloTrailingDisclosureGroupStyle{}.makeBody(label, content));
    group->resize(400, 80);
    group->show();
    EXPECT_FALSE(content->isVisible());
    EXPECT_EQ(group->header().accessibleDescription(), "Collapsed");

    // The empty middle of the row, between the label and the chevron.
    click(group->header(), QPointF(250, group->header().height() / 2.0));
    EXPECT_TRUE(group->isExpanded());
    EXPECT_TRUE(content->isVisible());
    EXPECT_EQ(group->header().accessibleDescription(), "Expanded");

    click(group->header(), QPointF(5, 5));
    EXPECT_FALSE(content->isVisible());
    EXPECT_EQ(group->header().accessibleDescription(), "Collapsed");
}

TEST(PurloDisclosureGroup, KeepsItsGapBeforeTheChevronHoweverLongTheLabel) {
    auto* label = new QLabel(QString(60, QChar('x')));
    std::unique_ptr<PurloDisclosureGroup> group(
        PurloTrailingDisclosureGroupStyle{}.makeBody(label, new QLabel("Details")));
    group->resize(group->minimumSizeHint().width(), 40);
    group->show();
    const int gap = group->chevron().geometry().left() - label->geometry().right() - 1;
    EXPECT_GE(gap, 3 * 12);
}

TEST(PurloToggle, StoresEveryFlipAndShowsWhatWasStored) {
    bool stored = false;
    bool refuse = false;
    int writes = 0;
    PurloToggle toggle({[&] { return stored; },
                        [&](bool on) {
                            ++writes;
                            if (!refuse) {
                                stored = on;
                            }
                        }},
                       "Eye tracking");
    toggle.resize(toggle.sizeHint());
    EXPECT_EQ(toggle.accessibleName(), "Eye tracking");
    EXPECT_TRUE(toggle.text().isEmpty()) << "the label is for assistive technology only";

    click(toggle);
    EXPECT_TRUE(stored);
    EXPECT_TRUE(toggle.isChecked());

    refuse = true;
    click(toggle);
    EXPECT_EQ(writes, 2);
    EXPECT_TRUE(toggle.isChecked()) << "the owner kept it on";

    stored = false;
    toggle.refresh();
    EXPECT_FALSE(toggle.isChecked());
}

} // namespace
} // namespace purlo
