#include "settings/CompanionSettingsBindings.h"
#include "settings/PercentSlider.h"
#include "tests/settings/SettingsDriving.h"
#include "ui/PurloButtonChrome.h"
#include "ui/PurloIntervalField.h"
#include "ui/PurloSettingRow.h"
#include "ui/PurloToggle.h"

#include <QComboBox>
#include <QSlider>
#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::accessible;
using testing::click;
using testing::CompanionTabWindow;
using testing::Deliveries;
using testing::fieldWithPlaceholder;
using testing::pressKey;
using testing::sendFocus;
using testing::settingsWith;
using testing::shownControl;
using testing::shownTexts;
using testing::shownWidgets;
using testing::typeOver;

struct BehaviorWindow : CompanionTabWindow {
    explicit BehaviorWindow(const PurloSettings& settings = {})
        : CompanionTabWindow(settings, CompanionSettingsSection::behavior) {}

    PurloSettingRow* row(const QString& title) const { return testing::rowTitled(*tab, title); }
    PercentSlider& sensitivity() const { return *shownWidgets<PercentSlider>(*tab).value(0); }
    PurloIntervalField& edgeDistance() const {
        return *row("Distance from screen edges")->findChild<PurloIntervalField*>();
    }
};

TEST(BehaviorPage, EachReactionSwitchWritesItsOwnField) {
    const std::pair<const char*, bool PurloSettings::*> switches[] = {
        {"Follow my cursor", &PurloSettings::eyeTrackingEnabled},
        {"Playful reactions", &PurloSettings::reactionsEnabled},
        {"Typing reactions", &PurloSettings::typingReactionsEnabled},
        {"React to coding apps", &PurloSettings::activeAppAwarenessEnabled},
    };
    for (const auto& [title, field] : switches) {
        BehaviorWindow page;
        auto* toggle = shownControl<PurloToggle>(*page.tab, title);
        ASSERT_NE(toggle, nullptr) << title;
        click(*toggle);
        PurloSettings expected;
        expected.*field = false;
        EXPECT_EQ(page.harness.stored(), expected) << title;
    }
}

TEST(BehaviorPage, SensitivityShowsTheStoredIntensityWithinTheSliderAndStoresWhereItMoves) {
    const struct {
        double stored;
        int step;
        const char* percent;
    } cases[] = {
        {0.05, 0, "10%"}, {1.5, 90, "100%"}, {0.5, 40, "50%"}, {0.125, 3, "13%"}, {0.0, 0, "10%"}};
    for (const auto& c : cases) {
        BehaviorWindow page(
            settingsWith([&](PurloSettings& s) { s.reactionIntensity = c.stored; }));
        PercentSlider& sensitivity = page.sensitivity();
        EXPECT_EQ(sensitivity.slider().value(), c.step) << c.stored;
        EXPECT_EQ(sensitivity.percentText(), c.percent) << c.stored;
        EXPECT_EQ(sensitivity.accessibleValue(), c.percent) << c.stored;
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
        Point position;
    } cases[] = {
        {140, "120", "96", 96, {96, 96}},
        {-3, "abc", "0", 0, {30, 30}},
        {8, "4x0", "8", 40, {40, 40}},
    };
    for (const auto& c : cases) {
        BehaviorWindow page(settingsWith([&](PurloSettings& s) {
            s.companionEdgePadding = c.stored;
            s.companionPlacement = CompanionPlacement{30, 30};
        }));
        QLineEdit& field = page.edgeDistance().textField();
        EXPECT_EQ(field.text(), c.shownBefore) << c.stored;
        sendFocus(field, QEvent::FocusIn);
        typeOver(field, c.typed);
        pressKey(field, Qt::Key_Return);
        EXPECT_EQ(page.harness.stored().companionEdgePadding, c.storedAfter) << c.typed;
        EXPECT_EQ(page.harness.scene().position, c.position) << c.typed;
        EXPECT_EQ(page.harness.stored().companionPlacement,
                  (CompanionPlacement{c.position.x, c.position.y}))
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
        {"Purlo", "   ", &PurloSettings::companionName, "Purlo"},
        {"Name", "  Ana ", &PurloSettings::userName, "  Ana "},
        {"Drink some water", " stretch! ", &PurloSettings::pinnedMessage, " stretch! "},
    };
    for (const auto& c : cases) {
        BehaviorWindow page(settingsWith([](PurloSettings& s) { s.companionName = "Nori"; }));
        QLineEdit* field = fieldWithPlaceholder(*page.tab, c.placeholder);
        ASSERT_NE(field, nullptr) << c.placeholder;
        sendFocus(*field, QEvent::FocusIn);
        typeOver(*field, c.typed);
        pressKey(*field, Qt::Key_Return);
        EXPECT_EQ(page.harness.stored().*c.field, c.stored) << c.placeholder << " " << c.typed;
        EXPECT_EQ(field->text().toStdString(), c.stored) << "the field shows what was kept";
    }
}

TEST(BehaviorPage, TheLoginSwitchShowsWhatTheDesktopSaysAndWhyAChangeFailed) {
    BehaviorWindow page;
    auto* toggle = shownControl<PurloToggle>(*page.tab, "Open Purlo at login");
    ASSERT_NE(toggle, nullptr);
    page.harness.loginItem.failure = FileError{"Could not write the autostart entry."};
    click(*toggle);
    EXPECT_FALSE(toggle->isChecked());
    EXPECT_EQ(page.harness.loginItem.changes, 1);
    EXPECT_EQ(shownTexts(*page.row("Open Purlo at login")),
              (QStringList{"Open Purlo at login", "Could not write the autostart entry."}));

    launchAtLoginBinding(page.harness.runtime()).set(false);
    EXPECT_EQ(page.harness.loginItem.changes, 1) << "already off: nothing to ask the desktop";
    EXPECT_EQ(shownTexts(*page.row("Open Purlo at login")), QStringList{"Open Purlo at login"});

    page.harness.loginItem.failure.reset();
    click(*toggle);
    EXPECT_TRUE(toggle->isChecked());
    EXPECT_EQ(page.harness.loginItem.status(), LoginItemStatus::enabled);
    EXPECT_EQ(page.harness.stored(), PurloSettings()) << "no setting is written";
}

TEST(BehaviorPage, MenusStoreTheChosenModeAndFollowChangesMadeElsewhere) {
    BehaviorWindow page;
    auto* keep = shownControl<QComboBox>(*page.tab, "Keep Purlo");
    auto* movement = shownControl<QComboBox>(*page.tab, "Movement");
    ASSERT_TRUE(keep != nullptr && movement != nullptr);
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
    const struct {
        const char* title;
        Point origin;
    } cases[] = {
        // The second screen, 1920 x 1080 right of the first, inset 20 on every side.
        {"Top left", {1460, 856}},
        {"Top right", {3180, 856}},
        {"Bottom left", {1460, 20}},
        {"Bottom right", {3180, 20}},
    };
    for (const auto& c : cases) {
        BehaviorWindow page(settingsWith([](PurloSettings& s) {
            s.companionEdgePadding = 20;
            s.companionMovementMode = CompanionMovementMode::stayPut;
        }));
        page.harness.screens.frames = {Rect{{0, 0}, {1440, 900}}, Rect{{1440, 0}, {1920, 1080}}};
        page.harness.pointer.position = {2000, 500};
        auto* corner = shownControl<PurloButtonChrome>(*page.tab, c.title);
        ASSERT_NE(corner, nullptr) << c.title;
        EXPECT_EQ(corner->toolTip(), c.title);
        click(*corner);
        EXPECT_EQ(page.harness.scene().position, c.origin) << c.title;
        EXPECT_EQ(page.harness.stored().companionPlacement,
                  (CompanionPlacement{c.origin.x, c.origin.y}))
            << c.title;
    }
}

} // namespace
} // namespace purlo
