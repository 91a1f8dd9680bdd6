#include "settings/FocusSettingsTab.h"
#include "settings/HabitDraftTextField.h"
#include "settings/HabitNudgeRow.h"
#include "settings/SettingsGroup.h"
#include "settings/SettingsView.h"
#include "settings/WidgetOpacity.h"
#include "tests/settings/SettingsDriving.h"
#include "ui/PurloButtonChrome.h"
#include "ui/PurloCard.h"
#include "ui/PurloDivider.h"
#include "ui/PurloIntervalField.h"
#include "ui/PurloSettingRow.h"
#include "ui/PurloText.h"
#include "ui/PurloToggle.h"

#include <QComboBox>
#include <QPointer>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <set>

namespace purlo {
namespace {

using testing::accessible;
using testing::button;
using testing::click;
using testing::Deliveries;
using testing::pressKey;
using testing::sendFocus;
using testing::settingsWith;
using testing::shownTexts;
using testing::shownWidgets;
using testing::typeOver;

// The Focus tab in a themed window, on a runtime over fakes, as the Settings window
// shows it.
struct FocusTabWindow {
    explicit FocusTabWindow(const PurloSettings& settings = {})
        : harness(settings) {
        window.setPalette(purloPalette(false));
        auto* stack = new QVBoxLayout(&window);
        tab = new FocusSettingsTab(harness.runtime());
        stack->addWidget(tab);
        window.resize(712, 1400);
        window.show();
    }

    // The shown row under that title.
    PurloSettingRow* row(const QString& title) const { return testing::rowTitled(*tab, title); }
    PurloIntervalField* numberField(const QString& title) const {
        PurloSettingRow* found = row(title);
        return found != nullptr ? found->findChild<PurloIntervalField*>() : nullptr;
    }
    // The card under the group label of that title.
    PurloCard& card(const QString& title) const {
        for (SettingsGroup* group : shownWidgets<SettingsGroup>(*tab)) {
            if (shownTexts(*group).value(0) == title) {
                return group->card();
            }
        }
        ADD_FAILURE() << "no group " << title.toStdString();
        return *tab->findChild<PurloCard*>();
    }
    QList<HabitNudgeRow*> habitRows() const { return shownWidgets<HabitNudgeRow>(*tab); }
    const std::vector<PurloHabitReminder>& reminders() { return harness.settings().habitReminders; }

    testing::RuntimeHarness harness;
    QWidget window;
    FocusSettingsTab* tab;
};

PurloHabitReminder reminder(std::string id, std::string title, bool enabled = true) {
    return {std::move(id), std::move(title), "tiny reset?", 60, enabled};
}

TEST(FocusSettingsTab, NumberFieldsKeepTheDigitsHoldTheRangeAndStoreOnCommit) {
    const struct {
        const char* field;
        const char* typed;
        bool returnKey; // else the field loses focus
        std::int64_t PurloSettings::*stored;
        std::int64_t value;
        const char* shown;
    } cases[] = {
        {"Break length", "120", true, &PurloSettings::pomodoroBreakMinutes, 30, "30"},
        {"Focus length", "", false, &PurloSettings::pomodoroFocusMinutes, 5, "5"},
        {"Stretch reminder", "7a5", true, &PurloSettings::stretchReminderMinutes, 75, "75"},
        {"Encouragement", "", false, &PurloSettings::kindNudgeMinutes, 0, "0"},
        {"Encouragement", "99999999999999999999", true, &PurloSettings::kindNudgeMinutes, 0, "0"},
    };
    for (const auto& c : cases) {
        FocusTabWindow focus;
        PurloIntervalField* field = focus.numberField(c.field);
        ASSERT_NE(field, nullptr) << c.field;
        QLineEdit& text = field->textField();
        sendFocus(text, QEvent::FocusIn);
        typeOver(text, c.typed);
        EXPECT_EQ(focus.harness.stored().*c.stored, PurloSettings().*c.stored) << "while typing";
        if (c.returnKey) {
            pressKey(text, Qt::Key_Return);
        } else {
            sendFocus(text, QEvent::FocusOut);
        }
        EXPECT_EQ(focus.harness.stored().*c.stored, c.value) << c.field << " " << c.typed;
        EXPECT_EQ(text.text().toStdString(), c.shown) << c.field << " " << c.typed;
        EXPECT_EQ(field->unitLabel()->text(), "min");
    }
}

TEST(FocusSettingsTab, QuietHoursAndTheNapShowTheirRowsOnlyWhileOnWithTheStoredValues) {
    FocusTabWindow focus(settingsWith([](PurloSettings& s) { s.scheduledNap.hour = 31; }));
    for (const char* title : {"Starts", "Ends", "Hour", "Minute", "Nap length", "Weekdays only"}) {
        EXPECT_EQ(focus.row(title), nullptr) << title;
    }
    click(*accessible(*focus.tab, "Quiet Hours"));
    click(*accessible(*focus.tab, "Scheduled nap"));
    EXPECT_TRUE(focus.harness.stored().quietHours.enabled);
    EXPECT_TRUE(focus.harness.stored().scheduledNap.enabled);
    const std::pair<const char*, const char*> shown[] = {
        {"Starts", "22"}, {"Ends", "7"}, {"Hour", "31"}, {"Minute", "0"}};
    for (const auto& [title, value] : shown) {
        ASSERT_NE(focus.numberField(title), nullptr) << title;
        EXPECT_EQ(focus.numberField(title)->draft(), value) << title;
    }
    EXPECT_EQ(focus.numberField("Starts")->unitLabel()->text(), "h");
    EXPECT_EQ(focus.numberField("Hour")->unitLabel(), nullptr);
    auto* napLength = qobject_cast<QComboBox*>(accessible(*focus.tab, "Nap length"));
    ASSERT_NE(napLength, nullptr);
    EXPECT_EQ(napLength->currentText(), "20 minutes");
    testing::choose(*napLength, "1 hour");
    EXPECT_EQ(focus.harness.stored().scheduledNap.duration, PurloNapDuration::oneHour);
    EXPECT_TRUE(qobject_cast<PurloToggle*>(accessible(*focus.tab, "Weekdays only"))->isChecked());

    click(*accessible(*focus.tab, "Quiet Hours"));
    EXPECT_EQ(focus.row("Starts"), nullptr);
    EXPECT_EQ(focus.harness.stored().quietHours.startHour, 22) << "kept for the next time";
    EXPECT_NE(focus.row("Hour"), nullptr);
}

TEST(FocusSettingsTab, AddReminderMakesANewCustomReminderEachTimeAndSavesIt) {
    FocusTabWindow focus;
    for (int press = 0; press < 2; ++press) {
        click(*button(*focus.tab, "Add Reminder"));
    }
    const std::vector<PurloHabitReminder> stored = focus.harness.stored().habitReminders;
    ASSERT_EQ(stored.size(), 6u);
    EXPECT_EQ(std::vector(stored.begin(), stored.begin() + 4),
              PurloSettings::builtInHabitReminders());
    for (const PurloHabitReminder& added : {stored[4], stored[5]}) {
        EXPECT_THAT(added.id, ::testing::MatchesRegex("custom-[0-9a-f]{8}-[0-9a-f]{4}-4[0-9a-f]{3}-"
                                                      "[89ab][0-9a-f]{3}-[0-9a-f]{12}"));
        EXPECT_EQ(added, reminder(added.id, "Gentle nudge"));
    }
    EXPECT_NE(stored[4].id, stored[5].id);
    ASSERT_EQ(focus.habitRows().size(), 6);
    EXPECT_EQ(focus.habitRows()[5]->habit(), stored[5]) << "the new row comes last";
}

TEST(FocusSettingsTab, OnlyTheUsersOwnRemindersCanBeRenamedOrDeleted) {
    const struct {
        const char* id;
        bool custom;
    } cases[] = {
        {"custom", true},   {"custom-7", true}, {"custom-", true},  {"Custom", false},
        {"customs", false}, {"custom7", false}, {" custom", false}, {"water", false},
    };
    for (const auto& c : cases) {
        FocusTabWindow focus(settingsWith([&](PurloSettings& s) {
            s.habitReminders = {reminder(c.id, "Stretch"), reminder("eyes", "Eyes")};
        }));
        ASSERT_EQ(focus.habitRows().size(), 2);
        HabitNudgeRow& row = *focus.habitRows()[0];
        EXPECT_EQ(accessible(row, "Stretch nudge") != nullptr, true) << c.id;
        EXPECT_EQ(shownWidgets<HabitDraftTextField>(row).size(), c.custom ? 2 : 1) << c.id;
        EXPECT_EQ(shownTexts(row).contains("Stretch"), !c.custom) << c.id;
        auto* trash = qobject_cast<PurloButtonChrome*>(accessible(row, "Delete Stretch"));
        ASSERT_EQ(trash != nullptr, c.custom) << c.id;
        if (trash != nullptr) {
            EXPECT_EQ(trash->toolTip(), "Delete custom habit");
            click(*trash);
            EXPECT_EQ(focus.harness.stored().habitReminders, std::vector{reminder("eyes", "Eyes")});
            testing::settle();
            EXPECT_EQ(focus.habitRows().size(), 1);
        }
    }
}

TEST(FocusSettingsTab, AnOffReminderIsFadedAndTakesNoInputButItsSwitchTurnsItOn) {
    FocusTabWindow focus(settingsWith(
        [](PurloSettings& s) { s.habitReminders = {reminder("custom-1", "Tea", false)}; }));
    HabitNudgeRow& row = *focus.habitRows().value(0);
    const QList<HabitDraftTextField*> fields = row.findChildren<HabitDraftTextField*>();
    ASSERT_EQ(fields.size(), 2);
    auto* interval = row.findChild<PurloIntervalField*>();
    const auto expectOn = [&](bool on, const char* when) {
        for (HabitDraftTextField* field : fields) {
            EXPECT_EQ(field->isEnabled(), on) << when;
            EXPECT_DOUBLE_EQ(widgetOpacity(*field), on ? 1.0 : 0.55) << when;
            EXPECT_DOUBLE_EQ(widgetOpacity(*field->parentWidget()), on ? 1.0 : 0.45) << when;
        }
        EXPECT_EQ(interval->isEnabled(), on) << when;
        EXPECT_DOUBLE_EQ(widgetOpacity(*interval), on ? 1.0 : 0.45) << when;
    };
    expectOn(false, "off");
    pressKey(fields[0]->lineEdit(), Qt::Key_X, "x");
    EXPECT_EQ(fields[0]->lineEdit().text(), "Tea") << "a faded field takes no keys";

    click(*accessible(row, "Tea nudge"));
    EXPECT_TRUE(focus.harness.stored().habitReminders[0].enabled);
    expectOn(true, "turned on");
}

TEST(FocusSettingsTab, AnEmptyListShowsOnlyTheRuleAndTheButton) {
    FocusTabWindow focus(settingsWith([](PurloSettings& s) { s.habitReminders.clear(); }));
    const PurloCard& card = focus.card("Habit Reminders");
    EXPECT_TRUE(shownWidgets<HabitNudgeRow>(card).isEmpty());
    EXPECT_EQ(shownWidgets<PurloDivider>(card).size(), 1);
    EXPECT_EQ(shownWidgets<PurloButtonChrome>(card).size(), 1);
    EXPECT_NE(button(card, "Add Reminder"), nullptr);

    FocusTabWindow full;
    EXPECT_EQ(shownWidgets<PurloDivider>(full.card("Habit Reminders")).size(), 4)
        << "one between each two rows and one above the button";
}

TEST(FocusSettingsTab, ARowWritesItsOwnReminderOnceAndKeepsItsDraftWhileOthersComeAndGo) {
    const std::vector<PurloHabitReminder> before{
        reminder("custom-a", "Tea"), reminder("custom-b", "Walk"), reminder("water", "Water")};
    FocusTabWindow focus(settingsWith([&](PurloSettings& s) { s.habitReminders = before; }));
    QPointer<HabitNudgeRow> second = focus.habitRows()[1];
    auto* title = second->findChild<HabitDraftTextField*>();
    ASSERT_TRUE(title != nullptr && !title->compact());
    QLineEdit& text = title->lineEdit();
    Deliveries writes(focus.harness.runtime().settings());
    sendFocus(text, QEvent::FocusIn);
    typeOver(text, "Walk outside");
    pressKey(text, Qt::Key_Return);
    pressKey(text, Qt::Key_Return);
    std::vector<PurloHabitReminder> expected = before;
    expected[1].title = "Walk outside";
    EXPECT_EQ(focus.harness.stored().habitReminders, expected);
    EXPECT_EQ(writes.count(), 1);

    typeOver(text, "Walk far");
    focus.harness.change([](PurloSettings& s) {
        s.habitReminders.erase(s.habitReminders.begin());
        s.habitReminders[0].title = "Run";
    });
    testing::settle();
    ASSERT_FALSE(second.isNull()) << "the reminder keeps its row";
    EXPECT_EQ(focus.habitRows().first(), second.get());
    EXPECT_EQ(text.text(), "Walk far") << "what is being typed stays";
    sendFocus(text, QEvent::FocusOut);
    EXPECT_EQ(focus.harness.stored().habitReminders,
              (std::vector{reminder("custom-b", "Walk far"), reminder("water", "Water")}));
}

TEST(FocusSettingsTab, SwitchingToAnotherTabWritesWhatWasBeingTypedOnce) {
    testing::RuntimeHarness harness;
    PurloSettingsRouter router;
    router.setSelectedTab(SettingsSectionTab::focus);
    SettingsView view(harness.runtime(), router, harness.appearance);
    view.show();
    const QList<HabitNudgeRow*> rows = shownWidgets<HabitNudgeRow>(view);
    ASSERT_FALSE(rows.isEmpty());
    auto* message = rows[0]->findChildren<HabitDraftTextField*>().value(0);
    ASSERT_TRUE(message != nullptr && message->compact());
    // A reminder that is off takes no typing.
    click(*accessible(*rows[0], "Water nudge"));
    sendFocus(message->lineEdit(), QEvent::FocusIn);
    typeOver(message->lineEdit(), "drink up");
    Deliveries writes(harness.runtime().settings());
    router.setSelectedTab(SettingsSectionTab::behavior);
    EXPECT_EQ(harness.stored().habitReminders[0].message, "drink up");
    EXPECT_EQ(writes.count(), 1);
}

} // namespace
} // namespace purlo
