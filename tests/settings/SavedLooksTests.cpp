#include "settings/ProfileChip.h"
#include "settings/PurloSegmentedControl.h"
#include "settings/SavedLooksCard.h"
#include "tests/settings/SettingsDriving.h"

#include <QApplication>
#include <QCursor>
#include <algorithm>
#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::button;
using testing::click;
using testing::CompanionTabWindow;
using testing::fieldWithPlaceholder;
using testing::settingsWith;
using testing::shownControl;
using testing::shownTexts;
using testing::shownWidgets;
using testing::typeOver;

const QString caption = QStringLiteral("Save Purlo's current look to use it again later.");

// The names on the chips as a person reads them: row by row, left to right.
std::vector<std::string> chipNames(const QWidget& root) {
    QApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QList<ProfileChip*> chips = shownWidgets<ProfileChip>(root);
    std::sort(chips.begin(), chips.end(), [](const ProfileChip* left, const ProfileChip* right) {
        return std::pair(left->y(), left->x()) < std::pair(right->y(), right->x());
    });
    std::vector<std::string> names;
    for (const ProfileChip* chip : chips) {
        names.push_back(chip->profile().name);
    }
    return names;
}

// The pointer comes into the window from outside it, as the desktop announces it.
void movePointer(QPoint global) {
    QCursor::setPos(QPoint(-100, -100));
    QApplication::processEvents();
    QCursor::setPos(global);
    QApplication::processEvents();
}

void saveLook(const QWidget& root, const QString& name) {
    QLineEdit* field = fieldWithPlaceholder(root, "Look name");
    ASSERT_NE(field, nullptr);
    typeOver(*field, name);
    click(*button(root, "Save Look"));
}

TEST(SavedLooks, TheButtonWaitsForANameWithSomethingVisibleInIt) {
    const std::pair<QString, bool> cases[] = {
        {"", false},       {"   ", false},
        {" \n\t ", false}, {QStringLiteral("\u00A0\u2003\u2028"), false},
        {" a ", true},
    };
    for (const auto& [name, enabled] : cases) {
        CompanionTabWindow page;
        QLineEdit* field = fieldWithPlaceholder(*page.tab, "Look name");
        ASSERT_NE(field, nullptr);
        field->insert(name);
        EXPECT_EQ(button(*page.tab, "Save Look")->isEnabled(), enabled) << name.toStdString();
    }
}

TEST(SavedLooks, SavingTrimsTheNameEmptiesTheFieldAndKeepsLooksInNameOrder) {
    CompanionTabWindow page;
    EXPECT_TRUE(shownTexts(*page.tab).contains(caption));

    saveLook(*page.tab, "  Mochi  ");
    EXPECT_EQ(chipNames(*page.tab), std::vector<std::string>{"Mochi"});
    EXPECT_FALSE(shownTexts(*page.tab).contains(caption));
    EXPECT_TRUE(fieldWithPlaceholder(*page.tab, "Look name")->text().isEmpty());
    EXPECT_FALSE(button(*page.tab, "Save Look")->isEnabled());

    for (const char* name : {"zebra", "MOCHI", "Apple", "M\u00F3chi", "banana"}) {
        saveLook(*page.tab, name);
    }
    EXPECT_EQ(chipNames(*page.tab),
              (std::vector<std::string>{"Apple", "banana", "M\u00F3chi", "zebra"}))
        << "a name differing in case or accents replaces its look";
    EXPECT_EQ(page.harness.stored().savedCatProfiles.size(), 4u);
}

TEST(SavedLooks, AChipAppliesItsLookAndTheCardsShowItAtOnce) {
    CompanionTabWindow page(settingsWith([](PurloSettings& s) {
        s.skin = CatSkinPreset::orange;
        s.pattern = CatPatternPreset::spots;
        s.phrasePack = PurloPhrasePack::quiet;
    }));
    saveLook(*page.tab, "Sunny");
    page.harness.change([](PurloSettings& s) {
        s.skin = CatSkinPreset::gray;
        s.pattern = CatPatternPreset::solid;
        s.phrasePack = PurloPhrasePack::soft;
    });
    EXPECT_EQ(shownControl<QComboBox>(*page.tab, "Pattern")->currentText(), "Solid");

    click(*shownControl<QAbstractButton>(*page.tab, "Use Sunny"));
    const PurloSettings& applied = page.harness.stored();
    EXPECT_EQ(applied.skin, CatSkinPreset::orange);
    EXPECT_EQ(applied.pattern, CatPatternPreset::spots);
    EXPECT_EQ(applied.phrasePack, PurloPhrasePack::quiet);
    EXPECT_EQ(shownControl<QComboBox>(*page.tab, "Pattern")->currentText(), "Spots");
    EXPECT_TRUE(button(*page.tab, "Quiet")->isChecked());
    EXPECT_TRUE(shownTexts(*page.tab).contains("Orange"));
}

TEST(SavedLooks, RemovingTheLastChipBringsTheCaptionBack) {
    CompanionTabWindow page;
    saveLook(*page.tab, "Mochi");
    saveLook(*page.tab, "Nori");
    page.harness.change([](PurloSettings& s) { s.skin = CatSkinPreset::midnight; });
    click(*shownControl<QAbstractButton>(*page.tab, "Remove Mochi"));
    EXPECT_EQ(chipNames(*page.tab), std::vector<std::string>{"Nori"});
    EXPECT_EQ(page.harness.stored().skin, CatSkinPreset::midnight) << "removing applies nothing";
    EXPECT_FALSE(shownTexts(*page.tab).contains(caption));
    click(*shownControl<QAbstractButton>(*page.tab, "Remove Nori"));
    QApplication::processEvents();
    EXPECT_TRUE(chipNames(*page.tab).empty());
    EXPECT_TRUE(page.harness.stored().savedCatProfiles.empty());
    EXPECT_TRUE(shownTexts(*page.tab).contains(caption));
}

TEST(ProfileChip, DescribesTheWholeLookAndIsLitOnlyWhereThePointerIs) {
    CompanionTabWindow page(settingsWith([](PurloSettings& s) {
        s.skin = CatSkinPreset::calico;
        s.pattern = CatPatternPreset::tuxedo;
        s.eyeColor = CatEyeColorPreset::honey;
    }));
    saveLook(*page.tab, "A look with a long name");
    saveLook(*page.tab, "B");
    QList<ProfileChip*> chips = shownWidgets<ProfileChip>(*page.tab);
    ASSERT_EQ(chips.size(), 2);
    ProfileChip* shortOne = chips[1];
    EXPECT_EQ(shortOne->toolTip().toStdString(),
              "Calico tuxedo, Honey eyes, no accessory, 100%, Soft");
    EXPECT_FALSE(shortOne->hovering());

    movePointer(shortOne->mapToGlobal(shortOne->removeButton().geometry().center()));
    EXPECT_TRUE(shortOne->hovering()) << "over the cross too";
    EXPECT_FALSE(chips[0]->hovering());

    // The long chip goes; the short one slides out from under a pointer that stood still.
    click(*shownControl<QAbstractButton>(*page.tab, "Remove A look with a long name"));
    QApplication::processEvents();
    ASSERT_EQ(shownWidgets<ProfileChip>(*page.tab), QList<ProfileChip*>{shortOne});
    EXPECT_FALSE(shortOne->hovering());
    movePointer(shortOne->mapToGlobal(QPoint(2, 2)));
    EXPECT_TRUE(shortOne->hovering());
    shortOne->hide();
    EXPECT_FALSE(shortOne->hovering()) << "hidden under the pointer";
    movePointer(QPoint(-100, -100));
}

} // namespace
} // namespace purlo
