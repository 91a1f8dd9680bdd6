#include "settings/controls/ProfileChip.h"
#include "settings/controls/PurloSegmentedControl.h"
#include "tests/settings/SettingsDriving.h"

#include <QApplication>
#include <algorithm>
#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::button;
using testing::click;
using testing::PageWindow;
using testing::settingsWith;
using testing::shownTexts;
using testing::shownWidgets;

constexpr auto appearance = SettingsSectionTab::appearance;
const QString caption = QStringLiteral("Save Purlo's current look to use it again later.");

// The names on the chips as a person reads them: row by row, left to right.
std::vector<std::string> chipNames(const QWidget& root) {
    QApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QList<ProfileChip*> chips = shownWidgets<ProfileChip>(root);
    std::ranges::sort(chips, {},
                      [](const ProfileChip* chip) { return std::pair(chip->y(), chip->x()); });
    std::vector<std::string> names;
    for (const ProfileChip* chip : chips) {
        names.push_back(chip->profile().name);
    }
    return names;
}

void saveLook(const PageWindow& page, const QString& name) {
    testing::typeOver(*page.field("Look name"), name);
    click(*button(*page.tab, "Save Look"));
}

TEST(SavedLooks, TheButtonWaitsForANameWithSomethingVisibleInIt) {
    PageWindow page(appearance);
    const std::pair<QString, bool> cases[] = {
        {"", false},       {"   ", false},
        {" \n\t ", false}, {QStringLiteral("\u00A0\u2003\u2028"), false},
        {" a ", true},
    };
    for (const auto& [name, enabled] : cases) {
        testing::typeOver(*page.field("Look name"), name);
        EXPECT_EQ(button(*page.tab, "Save Look")->isEnabled(), enabled) << name.toStdString();
    }
}

TEST(SavedLooks, SavingTrimsTheNameEmptiesTheFieldAndKeepsLooksInNameOrder) {
    PageWindow page(appearance);
    EXPECT_TRUE(shownTexts(*page.tab).contains(caption));

    saveLook(page, "  Mochi  ");
    EXPECT_EQ(chipNames(*page.tab), std::vector<std::string>{"Mochi"});
    EXPECT_FALSE(shownTexts(*page.tab).contains(caption));
    EXPECT_TRUE(page.field("Look name")->text().isEmpty());
    EXPECT_FALSE(button(*page.tab, "Save Look")->isEnabled());

    for (const char* name : {"zebra", "MOCHI", "Apple", "M\u00F3chi", "banana"}) {
        saveLook(page, name);
    }
    EXPECT_EQ(chipNames(*page.tab),
              (std::vector<std::string>{"Apple", "banana", "M\u00F3chi", "zebra"}))
        << "a name differing in case or accents replaces its look";
    EXPECT_EQ(page.harness.stored().savedCatProfiles.size(), 4u);
}

TEST(SavedLooks, AChipDescribesItsLookAndAppliesItAndTheCardsShowItAtOnce) {
    PageWindow page(appearance, settingsWith([](PurloSettings& s) {
                        s.skin = CatSkinPreset::calico;
                        s.pattern = CatPatternPreset::tuxedo;
                        s.eyeColor = CatEyeColorPreset::honey;
                        s.phrasePack = PurloPhrasePack::quiet;
                    }));
    saveLook(page, "Sunny");
    saveLook(page, "Zed");
    const QList<ProfileChip*> chips = shownWidgets<ProfileChip>(*page.tab);
    ASSERT_EQ(chips.size(), 2);
    EXPECT_EQ(chips[0]->toolTip().toStdString(),
              "Calico tuxedo, Honey eyes, no accessory, 100%, Quiet");
    // The pointer comes into the window from outside it, as the desktop announces it.
    testing::pointAt(QPoint(-100, -100));
    testing::pointAt(chips[0]->mapToGlobal(
        testing::shownControl<QAbstractButton>(*chips[0], "Remove Sunny")->geometry().center()));
    EXPECT_TRUE(chips[0]->hovering()) << "over the cross too";
    EXPECT_FALSE(chips[1]->hovering());
    testing::movePointerAway();

    page.harness.change([](PurloSettings& s) {
        s.skin = CatSkinPreset::gray;
        s.pattern = CatPatternPreset::solid;
        s.phrasePack = PurloPhrasePack::soft;
    });
    EXPECT_EQ(page.control<QComboBox>("Pattern")->currentText(), "Solid");
    click(*page.control<QAbstractButton>("Use Sunny"));
    EXPECT_EQ(page.harness.stored().skin, CatSkinPreset::calico);
    EXPECT_EQ(page.harness.stored().pattern, CatPatternPreset::tuxedo);
    EXPECT_EQ(page.control<QComboBox>("Pattern")->currentText(), "Tuxedo");
    EXPECT_TRUE(button(*page.tab, "Quiet")->isChecked());
    EXPECT_TRUE(shownTexts(*page.tab).contains("Calico"));
}

TEST(SavedLooks, RemovingTheLastChipBringsTheCaptionBack) {
    PageWindow page(appearance);
    saveLook(page, "Mochi");
    saveLook(page, "Nori");
    page.harness.change([](PurloSettings& s) { s.skin = CatSkinPreset::midnight; });
    click(*page.control<QAbstractButton>("Remove Mochi"));
    EXPECT_EQ(chipNames(*page.tab), std::vector<std::string>{"Nori"});
    EXPECT_EQ(page.harness.stored().skin, CatSkinPreset::midnight) << "removing applies nothing";
    EXPECT_FALSE(shownTexts(*page.tab).contains(caption));
    click(*page.control<QAbstractButton>("Remove Nori"));
    QApplication::processEvents();
    EXPECT_TRUE(page.harness.stored().savedCatProfiles.empty());
    EXPECT_TRUE(shownTexts(*page.tab).contains(caption));
}

} // namespace
} // namespace purlo
