#include "companion/qt/ThemeQColor.h"
#include "settings/controls/ColorDot.h"
#include "settings/controls/FurSwatch.h"
#include "settings/controls/PurloSegmentedControl.h"
#include "tests/settings/SettingsDriving.h"
#include "tests/support/qt/PicturePixels.h"

#include <QAccessible>
#include <QSlider>
#include <cmath>
#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::button;
using testing::click;
using testing::Deliveries;
using testing::PageWindow;
using testing::settingsWith;
using testing::shownTexts;
using testing::shownWidgets;

constexpr auto appearance = SettingsSectionTab::appearance;

TEST(AppearancePage, EachMenuWritesItsOneFieldAndSavesItAtOnce) {
    using enum CatPatternPreset;
    using enum CatEyeColorPreset;
    using enum CatAccessoryPreset;
    const struct {
        const char* menu;
        const char* option;
        CatPatternPreset pattern;
        CatEyeColorPreset eyes;
        CatAccessoryPreset accessory;
        const char* eyeDot;
    } cases[] = {
        {"Pattern", "Stripes", stripes, sky, none, "#b8d7ff"},
        {"Pattern", "Tuxedo", CatPatternPreset::tuxedo, sky, none, "#b8d7ff"},
        {"Eyes", "Honey", solid, honey, none, "#f0f8d4"},
        {"Eyes", "Cocoa", solid, cocoa, none, "#47331f"},
        {"Accessory", "Crown", solid, sky, crown, "#b8d7ff"},
    };
    const PurloSettings before = settingsWith([](PurloSettings& s) {
        s.pattern = solid;
        s.eyeColor = sky;
    });
    for (const auto& c : cases) {
        PageWindow page(appearance, before);
        EXPECT_FALSE(shownTexts(*page.tab).contains("Where she stays")) << "nothing of Behavior";
        auto* menu = page.control<QComboBox>(c.menu);
        ASSERT_NE(menu, nullptr) << c.menu;
        testing::turnWheel(*menu);
        EXPECT_EQ(page.harness.stored(), before) << "the wheel scrolls past the menu";
        testing::choose(*menu, c.option);
        PurloSettings expected = before;
        expected.pattern = c.pattern;
        expected.eyeColor = c.eyes;
        expected.accessory = c.accessory;
        EXPECT_EQ(page.harness.stored(), expected) << c.option;
        const QImage dot = shownWidgets<ColorDot>(*page.tab).value(0)->grab().toImage();
        EXPECT_EQ(dot.pixelColor(dot.rect().center()).name().toStdString(), c.eyeDot) << c.option;
    }
}

// A screen reader announces each menu of the pages by the title of its row, and the
// chosen option as its value.
TEST(SettingsMenus, EachIsAnnouncedByItsRowsTitle) {
    const struct {
        SettingsSectionTab tab;
        QStringList titles;
    } pages[] = {
        {appearance, {"Pattern", "Eyes", "Accessory"}},
        {SettingsSectionTab::behavior, {"Keep Purlo", "Movement"}},
        {SettingsSectionTab::focus, {"Nap length"}},
    };
    const PurloSettings settings =
        settingsWith([](PurloSettings& s) { s.scheduledNap.enabled = true; });
    for (const auto& [tab, titles] : pages) {
        PageWindow page(tab, settings);
        QStringList announced;
        for (QComboBox* menu : shownWidgets<QComboBox>(*page.tab)) {
            QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(menu);
            ASSERT_NE(heard, nullptr);
            EXPECT_EQ(heard->role(), QAccessible::ComboBox);
            EXPECT_EQ(heard->text(QAccessible::Value), menu->currentText());
            const PurloSettingRow* row = page.row(heard->text(QAccessible::Name));
            EXPECT_TRUE(row != nullptr && row->isAncestorOf(menu))
                << heard->text(QAccessible::Name).toStdString();
            announced.push_back(heard->text(QAccessible::Name));
        }
        EXPECT_EQ(announced, titles) << toString(tab);
    }
}

TEST(AppearancePage, SwatchesWriteTheirSkinAlsoWhenItIsTheChosenOne) {
    PageWindow page(appearance, settingsWith([](auto& s) { s.skin = CatSkinPreset::gray; }));
    Deliveries writes(page.harness.runtime().settings());
    QList<FurSwatch*> swatches = shownWidgets<FurSwatch>(*page.tab);
    ASSERT_EQ(swatches.size(), 5);
    EXPECT_TRUE(swatches[3]->isSelected());

    click(*swatches[3], QPointF(swatches[3]->cardRect().left() + 3, swatches[3]->height() / 2.0));
    EXPECT_EQ(writes.count(), 1) << "a click on the card's edge counts";
    click(*swatches[4]);
    EXPECT_EQ(page.harness.stored().skin, CatSkinPreset::midnight);
    EXPECT_TRUE(shownTexts(*page.tab).contains("Midnight")) << "the fur header follows";
    EXPECT_FALSE(swatches[3]->isSelected());
    EXPECT_EQ(QAccessible::queryAccessibleInterface(swatches[4])->state().checked, 1u);
}

// The fur previews are drawn alike in both appearances; the chosen tile takes the accent.
TEST(AppearancePage, FurPreviewsShowTheirBandsAndTheChosenTileTakesTheAccent) {
    for (const bool dark : {false, true}) {
        PageWindow page(appearance, settingsWith([](auto& s) { s.skin = CatSkinPreset::tuxedo; }));
        page.window.setPalette(purloPalette(dark));
        const QImage picture = page.window.grab().toImage();
        const QList<FurSwatch*> swatches = shownWidgets<FurSwatch>(*page.tab);
        // A point of a preview at an angle clockwise from the right, 9 points out.
        const auto previewAt = [&](const FurSwatch* swatch, double degrees) {
            const QPointF centre(swatch->cardRect().center().x(),
                                 swatch->cardRect().top() + 11 + FurSwatch::previewDiameter / 2);
            const double radians = degrees * M_PI / 180;
            const QPointF point = centre + 9 * QPointF(std::cos(radians), std::sin(radians));
            return testing::pixelAt(picture, swatch->mapTo(&page.window, point.toPoint()));
        };
        const struct {
            int swatch;
            double degrees;
            std::uint32_t fur;
        } probes[] = {
            {0, 260, 0xE8A13C}, {0, 0, 0x2B2B2F},   {0, 60, 0x2B2B2F}, {0, 135, 0xF3EFE7},
            {0, 190, 0xF3EFE7}, {1, 225, 0x2B2B2F}, {1, 45, 0xF3EFE7}, {2, 90, 0xD9882F},
            {3, 90, 0x8D8F93},  {4, 90, 0x23262B},
        };
        for (const auto& probe : probes) {
            EXPECT_EQ(previewAt(swatches[probe.swatch], probe.degrees),
                      themeQColor(ThemeColor{hexColor(probe.fur)}).rgb())
                << "swatch " << probe.swatch << " at " << probe.degrees << " dark " << dark;
        }
        const auto cardEdge = [&](const FurSwatch* swatch) {
            const QRectF card = swatch->cardRect();
            return testing::pixelAt(
                picture,
                swatch->mapTo(&page.window, QPointF(card.left(), card.center().y()).toPoint()));
        };
        EXPECT_EQ(cardEdge(swatches[1]), themeQColor(PurloTheme::accent, dark).rgb()) << dark;
        EXPECT_EQ(cardEdge(swatches[2]), themeQColor(PurloTheme::controlBorder, dark).rgb())
            << dark;
    }
}

TEST(AppearancePage, SizeShowsTheStoredScaleAndWritesOnlyWhenTheSliderMoves) {
    const struct {
        double stored;
        const char* shown;
        Qt::Key key;
        double written;
        const char* after;
    } cases[] = {
        {0.6, "75", Qt::Key_Right, 0.8, "80"},   {0.75, "75", Qt::Key_End, 1.2, "120"},
        {1.0, "100", Qt::Key_Left, 0.95, "95"},  {1.125, "113", Qt::Key_Right, 1.2, "120"},
        {1.5, "120", Qt::Key_Left, 1.15, "115"},
    };
    for (const auto& c : cases) {
        PageWindow page(appearance, settingsWith([&](auto& s) { s.companionScale = c.stored; }));
        Deliveries writes(page.harness.runtime().settings());
        auto* slider = page.control<QSlider>("Purlo size");
        ASSERT_NE(slider, nullptr);
        // On the screen, and to a screen reader in words and as a number between the
        // percentages of the slider's ends.
        const auto shows = [&](const QString& percent) {
            QAccessibleInterface& heard = *QAccessible::queryAccessibleInterface(slider);
            const QAccessibleValueInterface& value = *heard.valueInterface();
            return shownTexts(*page.tab).contains(percent + "%") &&
                   heard.text(QAccessible::Value) == percent + " percent" &&
                   value.currentValue() == percent.toInt() && value.minimumValue() == 75 &&
                   value.maximumValue() == 120 && value.minimumStepSize() == 5;
        };
        EXPECT_TRUE(shows(c.shown)) << c.stored;
        testing::turnWheel(*slider);
        EXPECT_EQ(writes.count(), 0) << c.stored;

        testing::pressKey(*slider, c.key);
        EXPECT_EQ(page.harness.stored().companionScale, c.written) << c.stored;
        EXPECT_TRUE(shows(c.after)) << c.stored;
    }
    // A screen reader that sets the value sets the percentage it hears.
    PageWindow page(appearance);
    QAccessible::queryAccessibleInterface(page.control<QSlider>("Purlo size"))
        ->valueInterface()
        ->setCurrentValue(110);
    EXPECT_EQ(page.harness.stored().companionScale, 1.1);
}

TEST(AppearancePage, BubbleStyleOffersTheFourPacksAndWritesTheChosenOneAgainToo) {
    PageWindow page(appearance,
                    settingsWith([](auto& s) { s.phrasePack = PurloPhrasePack::focused; }));
    const auto segments = [&page] {
        QStringList shown;
        for (const QAbstractButton* segment :
             shownWidgets<PurloSegmentedControl>(*page.tab).value(0)->segments()) {
            shown.push_back(segment->text() + (segment->isChecked() ? "*" : ""));
        }
        return shown;
    };
    EXPECT_EQ(segments(), (QStringList{"Soft", "Focused*", "Playful", "Quiet"}));
    EXPECT_NE(testing::rowTitled(*page.tab, "Bubble style"), nullptr);

    Deliveries writes(page.harness.runtime().settings());
    click(*button(*page.tab, "Playful"));
    click(*button(*page.tab, "Playful"));
    EXPECT_EQ(writes.count(), 2);
    EXPECT_EQ(page.harness.stored().phrasePack, PurloPhrasePack::playful);
    EXPECT_EQ(segments(), (QStringList{"Soft", "Focused", "Playful*", "Quiet"}));

    PurloSegmentedControl foreign(OptionList{{"One", "Two"}, {[] { return -1; }, {}}});
    for (const QAbstractButton* segment : foreign.segments()) {
        EXPECT_FALSE(segment->isChecked()) << "a value none of the options is shows none";
    }
}

} // namespace
} // namespace purlo
