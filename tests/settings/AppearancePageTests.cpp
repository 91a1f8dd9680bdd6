#include "settings/ColorDot.h"
#include "settings/FurSwatch.h"
#include "settings/PurloSegmentedControl.h"
#include "tests/settings/SettingsDriving.h"

#include <QAccessible>
#include <QSlider>
#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::button;
using testing::choose;
using testing::click;
using testing::CompanionTabWindow;
using testing::Deliveries;
using testing::pressKey;
using testing::settingsWith;
using testing::shownControl;
using testing::shownTexts;
using testing::shownWidgets;

TEST(AppearancePage, TheAppearanceSectionShowsNothingOfBehavior) {
    CompanionTabWindow appearance;
    const QStringList texts = shownTexts(*appearance.tab);
    EXPECT_TRUE(texts.contains("Saved Looks"));
    EXPECT_FALSE(texts.contains("Where she stays"));
}

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
    for (const auto& c : cases) {
        const PurloSettings before = settingsWith([](PurloSettings& s) {
            s.pattern = solid;
            s.eyeColor = sky;
        });
        CompanionTabWindow page(before);
        auto* menu = shownControl<QComboBox>(*page.tab, c.menu);
        ASSERT_NE(menu, nullptr) << c.menu;
        EXPECT_GE(menu->width(), 116);
        testing::turnWheel(*menu);
        EXPECT_EQ(page.harness.stored(), before) << "the wheel scrolls past the menu";
        choose(*menu, c.option);
        PurloSettings expected = before;
        expected.pattern = c.pattern;
        expected.eyeColor = c.eyes;
        expected.accessory = c.accessory;
        EXPECT_EQ(page.harness.settings(), expected) << c.option;
        EXPECT_EQ(page.harness.stored(), expected) << c.option;
        const QList<ColorDot*> dots = shownWidgets<ColorDot>(*page.tab);
        ASSERT_EQ(dots.size(), 1);
        const QImage dot = dots.front()->grab().toImage();
        EXPECT_EQ(dot.pixelColor(dot.rect().center()).name().toStdString(), c.eyeDot) << c.option;
    }
}

TEST(AppearancePage, SwatchesWriteTheirSkinAlsoWhenItIsTheChosenOne) {
    CompanionTabWindow page(settingsWith([](auto& s) { s.skin = CatSkinPreset::gray; }));
    Deliveries writes(page.harness.runtime().settings());
    QList<FurSwatch*> swatches = shownWidgets<FurSwatch>(*page.tab);
    ASSERT_EQ(swatches.size(), 5);
    EXPECT_TRUE(swatches[3]->isSelected());

    click(*swatches[3], QPointF(swatches[3]->cardRect().left() + 3, swatches[3]->height() / 2.0));
    EXPECT_EQ(writes.count(), 1) << "a click on the card's edge counts";
    EXPECT_EQ(page.harness.stored().skin, CatSkinPreset::gray);
    click(*swatches[4]);
    EXPECT_EQ(page.harness.stored().skin, CatSkinPreset::midnight);
    EXPECT_TRUE(shownTexts(*page.tab).contains("Midnight")) << "the fur header follows";
    EXPECT_FALSE(swatches[3]->isSelected());
    EXPECT_TRUE(swatches[4]->isSelected());
    EXPECT_EQ(QAccessible::queryAccessibleInterface(swatches[4])->state().checked, 1u);
}

TEST(AppearancePage, SizeShowsTheStoredScaleAndWritesOnlyWhenTheSliderMoves) {
    const struct {
        double stored;
        const char* shown;
        Qt::Key key;
        double written;
        const char* after;
    } cases[] = {
        {0.6, "75%", Qt::Key_Right, 0.8, "80%"},   {0.75, "75%", Qt::Key_End, 1.2, "120%"},
        {1.0, "100%", Qt::Key_Left, 0.95, "95%"},  {1.125, "113%", Qt::Key_Right, 1.2, "120%"},
        {1.5, "120%", Qt::Key_Left, 1.15, "115%"},
    };
    for (const auto& c : cases) {
        CompanionTabWindow page(settingsWith([&](auto& s) { s.companionScale = c.stored; }));
        Deliveries writes(page.harness.runtime().settings());
        auto* slider = shownControl<QSlider>(*page.tab, "Purlo size");
        ASSERT_NE(slider, nullptr);
        QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(slider);
        EXPECT_TRUE(shownTexts(*page.tab).contains(c.shown)) << c.stored;
        EXPECT_EQ(spoken->text(QAccessible::Value).toStdString(),
                  QString(c.shown).chopped(1).toStdString() + " percent");
        testing::turnWheel(*slider);
        EXPECT_EQ(writes.count(), 0);
        EXPECT_EQ(page.harness.stored().companionScale, c.stored);

        pressKey(*slider, c.key);
        EXPECT_EQ(page.harness.stored().companionScale, c.written) << c.stored;
        EXPECT_TRUE(shownTexts(*page.tab).contains(c.after)) << c.stored;
        EXPECT_EQ(spoken->text(QAccessible::Value).toStdString(),
                  QString(c.after).chopped(1).toStdString() + " percent");
    }
}

TEST(AppearancePage, BubbleStyleOffersTheFourPacksAndWritesTheChosenOne) {
    CompanionTabWindow page(settingsWith([](auto& s) { s.phrasePack = PurloPhrasePack::focused; }));
    const QList<PurloSegmentedControl*> controls = shownWidgets<PurloSegmentedControl>(*page.tab);
    ASSERT_EQ(controls.size(), 1);
    QStringList titles;
    QStringList chosen;
    for (const QAbstractButton* segment : controls.front()->segments()) {
        titles.push_back(segment->text());
        if (segment->isChecked()) {
            chosen.push_back(segment->text());
        }
    }
    EXPECT_EQ(titles, (QStringList{"Soft", "Focused", "Playful", "Quiet"}));
    EXPECT_EQ(chosen, QStringList{"Focused"});

    Deliveries writes(page.harness.runtime().settings());
    click(*button(*page.tab, "Playful"));
    click(*button(*page.tab, "Playful"));
    EXPECT_EQ(writes.count(), 2) << "the chosen segment writes again";
    EXPECT_EQ(page.harness.stored().phrasePack, PurloPhrasePack::playful);
    EXPECT_TRUE(button(*page.tab, "Playful")->isChecked());
    EXPECT_FALSE(button(*page.tab, "Focused")->isChecked());
}

TEST(PurloSegmentedControl, ShowsNoChosenSegmentForAForeignValueAndOnlyItsTrackWhenEmpty) {
    int stored = 7;
    PurloSegmentedControl foreign(OptionList{{"One", "Two"}, {[&] { return stored; }, {}}});
    for (const QAbstractButton* segment : foreign.segments()) {
        EXPECT_FALSE(segment->isChecked()) << segment->text().toStdString();
    }
    PurloSegmentedControl empty(OptionList{{}, {[] { return -1; }, {}}});
    EXPECT_EQ(empty.sizeHint(), QSize(6, 6));
}

} // namespace
} // namespace purlo
