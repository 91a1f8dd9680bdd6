#include "settings/CompanionSettingsBindings.h"
#include "settings/controls/PercentSlider.h"
#include "tests/settings/SettingsDriving.h"
#include "ui/PurloButtonChrome.h"
#include "ui/PurloIntervalField.h"
#include "ui/PurloToggle.h"

#include <QAccessible>
#include <QSlider>
#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::click;
using testing::commitText;
using testing::Deliveries;
using testing::settingsWith;
using testing::shownTexts;

struct BehaviorWindow : testing::PageWindow {
    explicit BehaviorWindow(const PurloSettings& settings = {})
        : PageWindow(SettingsSectionTab::behavior, settings) {}

    PercentSlider& sensitivity() const { return *testing::shownWidgets<PercentSlider>(*tab)[0]; }
    QLineEdit& edgeDistance() const {
        return row("Distance from screen edges")->findChild<PurloIntervalField*>()->textField();
    }
};

TEST(BehaviorPage, SensitivityShowsTheStoredIntensityWithinTheSliderAndStoresWhereItMoves) {
    const struct {
        double stored;
        int step;
        const char* percent;
    } cases[] = {{0.05, 0, "10%"}, {1.5, 90, "100%"}, {0.0, 0, "10%"}, {0.125, 3, "13%"}};
    for (const auto& c : cases) {
        BehaviorWindow page(
            settingsWith([&](PurloSettings& s) { s.reactionIntensity = c.stored; }));
        EXPECT_EQ(page.sensitivity().slider().value(), c.step) << c.stored;
        EXPECT_EQ(page.sensitivity().percentText(), c.percent) << c.stored;
        EXPECT_EQ(page.sensitivity().accessibleValue(), c.percent) << c.stored;
        const QAccessibleValueInterface& heard =
            *QAccessible::queryAccessibleInterface(&page.sensitivity().slider())->valueInterface();
        EXPECT_EQ(heard.currentValue().toString().toStdString() + "%", c.percent) << c.stored;
        EXPECT_EQ(heard.minimumValue().toInt(), 10);
        EXPECT_EQ(heard.maximumValue().toInt(), 100);
        EXPECT_EQ(page.harness.stored().reactionIntensity, c.stored) << "shown, not written";
    }
    BehaviorWindow page;
    Deliveries writes(page.harness.runtime().settings());
    page.sensitivity().slider().setValue(63);
    EXPECT_EQ(page.harness.stored().reactionIntensity, 0.73);
    EXPECT_EQ(page.sensitivity().percentText(), "73%");
    EXPECT_EQ(writes.count(), 1);
}

TEST(BehaviorPage, EdgeDistanceShowsThePaddingWithin0To96AndACommitMovesHerInside) {
    const struct {
        std::int64_t stored;
        const char* typed;
        const char* shownBefore;
        std::int64_t storedAfter;
        double position;
    } cases[] = {
        {140, "120", "96", 96, 96},
        {-3, "abc", "0", 0, 30},
    };
    for (const auto& c : cases) {
        BehaviorWindow page(settingsWith([&](PurloSettings& s) {
            s.companionEdgePadding = c.stored;
            s.companionPlacement = CompanionPlacement{30, 30};
        }));
        EXPECT_EQ(page.edgeDistance().text(), c.shownBefore) << c.stored;
        commitText(page.edgeDistance(), c.typed);
        EXPECT_EQ(page.harness.stored().companionEdgePadding, c.storedAfter) << c.typed;
        EXPECT_EQ(page.harness.scene().position, (Point{c.position, c.position})) << c.typed;
        EXPECT_EQ(page.harness.stored().companionPlacement,
                  (CompanionPlacement{c.position, c.position}))
            << c.typed;
    }
}

TEST(BehaviorPage, TheCompanionsNameIsStoredTrimmedOrPurloTheOtherTextsAsTyped) {
    const struct {
        const char* placeholder;
        const char* typed;
        std::string PurloSettings::*field;
        const char* stored;
    } cases[] = {
        {"Purlo", "", &PurloSettings::companionName, "Purlo"},
        {"Purlo", "  Mochi \n", &PurloSettings::companionName, "Mochi"},
        {"Name", "  Ana ", &PurloSettings::userName, "  Ana "},
        {"Drink some water", " stretch! ", &PurloSettings::pinnedMessage, " stretch! "},
    };
    for (const auto& c : cases) {
        BehaviorWindow page(settingsWith([](PurloSettings& s) { s.companionName = "Nori"; }));
        QLineEdit* field = page.field(c.placeholder);
        ASSERT_NE(field, nullptr) << c.placeholder;
        commitText(*field, c.typed);
        EXPECT_EQ(page.harness.stored().*c.field, c.stored) << c.placeholder << " " << c.typed;
        EXPECT_EQ(field->text().toStdString(), c.stored) << "the field shows what was kept";
    }
}

TEST(BehaviorPage, TheLoginSwitchShowsWhatTheDesktopSaysAndWhyAChangeFailed) {
    BehaviorWindow page;
    auto* toggle = page.control<PurloToggle>("Open Purlo at login");
    const auto rowTexts = [&page] {
        return shownTexts(*page.row("Open Purlo at login"));
    };
    page.harness.loginItem.failure = FileError{"Could not write the autostart entry."};
    click(*toggle);
    EXPECT_FALSE(toggle->isChecked());
    EXPECT_EQ(rowTexts(),
              (QStringList{"Open Purlo at login", "Could not write the autostart entry."}));

    launchAtLoginBinding(page.harness.runtime()).set(false);
    EXPECT_EQ(page.harness.loginItem.changes, 1) << "already off: nothing to ask the desktop";
    EXPECT_EQ(rowTexts(), QStringList{"Open Purlo at login"});

    page.harness.loginItem.failure.reset();
    click(*toggle);
    EXPECT_TRUE(toggle->isChecked());
    EXPECT_EQ(page.harness.loginItem.status(), LoginItemStatus::enabled);
    EXPECT_EQ(page.harness.stored(), PurloSettings()) << "no setting is written";
}

TEST(BehaviorPage, MenusStoreTheChosenModeAndFollowChangesMadeElsewhere) {
    BehaviorWindow page;
    EXPECT_FALSE(shownTexts(*page.tab).contains("Saved Looks")) << "nothing of Appearance";
    auto* keep = page.control<QComboBox>("Keep Purlo");
    auto* movement = page.control<QComboBox>("Movement");
    const auto options = [](const QComboBox& menu) {
        QStringList texts;
        for (int index = 0; index < menu.count(); ++index) {
            texts.push_back(menu.itemText(index));
        }
        return texts;
    };
    EXPECT_EQ(options(*keep),
              (QStringList{"Float above apps", "Stay on desktop", "Auto-hide behind apps"}));
    EXPECT_EQ(options(*movement), (QStringList{"Free range", "Roam when I'm away", "Stay put"}));

    testing::choose(*keep, "Stay on desktop");
    EXPECT_EQ(page.harness.stored().companionPresenceMode, CompanionPresenceMode::desktopLevel);
    testing::choose(*movement, "Stay put");
    EXPECT_EQ(page.harness.stored().companionMovementMode, CompanionMovementMode::stayPut);
    page.harness.change([](PurloSettings& s) {
        s.companionPresenceMode = CompanionPresenceMode::autoHideWhenAppsActive;
    });
    EXPECT_EQ(keep->currentText(), "Auto-hide behind apps");
}

TEST(BehaviorPage, EachCornerButtonSendsHerToThatCornerOfThePointersScreen) {
    BehaviorWindow page(settingsWith([](PurloSettings& s) {
        s.companionEdgePadding = 20;
        s.companionMovementMode = CompanionMovementMode::stayPut;
    }));
    page.harness.screens.frames = {Rect{{0, 0}, {1440, 900}}, Rect{{1440, 0}, {1920, 1080}}};
    page.harness.pointer.position = {2000, 500};
    // The second screen, 1920 x 1080 right of the first, inset 20 on every side.
    const std::pair<const char*, Point> corners[] = {{"Top left", {1460, 856}},
                                                     {"Top right", {3180, 856}},
                                                     {"Bottom left", {1460, 20}},
                                                     {"Bottom right", {3180, 20}}};
    for (const auto& [title, origin] : corners) {
        auto* corner = page.control<PurloButtonChrome>(title);
        ASSERT_NE(corner, nullptr) << title;
        EXPECT_EQ(corner->toolTip(), title);
        click(*corner);
        EXPECT_EQ(page.harness.scene().position, origin) << title;
        EXPECT_EQ(page.harness.stored().companionPlacement,
                  (CompanionPlacement{origin.x, origin.y}))
            << title;
    }
}

} // namespace
} // namespace purlo
