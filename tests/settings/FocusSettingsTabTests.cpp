#include "settings/HabitNudgeRow.h"
#include "settings/SettingsView.h"
#include "settings/controls/HabitDraftTextField.h"
#include "settings/controls/SettingsGroup.h"
#include "settings/controls/WidgetOpacity.h"
#include "tests/settings/SettingsDriving.h"
#include "ui/PurloButtonChrome.h"
#include "ui/PurloCard.h"
#include "ui/PurloIntervalField.h"
#include "ui/PurloText.h"
#include "ui/PurloToggle.h"

#include <QPointer>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

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

struct FocusWindow : testing::PageWindow {
    explicit FocusWindow(const PurloSettings& settings = {})
        : PageWindow(SettingsSectionTab::focus, settings) {}

    PurloIntervalField* numberField(const QString& title) const {
        PurloSettingRow* found = row(title);
        return found != nullptr ? found->findChild<PurloIntervalField*>() : nullptr;
    }
    QList<HabitNudgeRow*> habitRows() const { return shownWidgets<HabitNudgeRow>(*tab); }
};

PurloHabitReminder reminder(std::string id, std::string title, bool enabled = true) {
    return {std::move(id), std::move(title), "tiny reset?", 60, enabled};
}

PurloSettings withReminders(std::vector<PurloHabitReminder> reminders) {
    return settingsWith([&](PurloSettings& s) { s.habitReminders = std::move(reminders); });
}

TEST(FocusSettingsTab, NumberFieldsKeepTheDigitsHoldTheRangeAndStoreOnCommit) {
    const struct {
        const char* field;
        const char* typed;
        bool returnKey; // else the field loses focus
        std::int64_t PurloSettings::*stored;
        std::int64_t value;
    } cases[] = {
        {"Break length", "120", true, &PurloSettings::pomodoroBreakMinutes, 30},
        {"Focus length", "", false, &PurloSettings::pomodoroFocusMinutes, 5},
        {"Stretch reminder", "7a5", true, &PurloSettings::stretchReminderMinutes, 75},
        {"Encouragement", "", false, &PurloSettings::kindNudgeMinutes, 0},
    };
    for (const auto& c : cases) {
        FocusWindow focus;
        PurloIntervalField* field = focus.numberField(c.field);
        ASSERT_NE(field, nullptr) << c.field;
        QLineEdit& text = field->textField();
        sendFocus(text, QEvent::FocusIn);
        testing::typeOver(text, c.typed);
        EXPECT_EQ(focus.harness.stored().*c.stored, PurloSettings().*c.stored) << "while typing";
        if (c.returnKey) {
            pressKey(text, Qt::Key_Return);
        } else {
            sendFocus(text, QEvent::FocusOut);
        }
        EXPECT_EQ(focus.harness.stored().*c.stored, c.value) << c.field << " " << c.typed;
        EXPECT_EQ(text.text(), QString::number(c.value)) << c.field << " " << c.typed;
        EXPECT_EQ(field->unitLabel()->text(), "min");
    }
}

TEST(FocusSettingsTab, QuietHoursAndTheNapShowTheirRowsOnlyWhileOnWithTheStoredValues) {
    FocusWindow focus(settingsWith([](PurloSettings& s) { s.scheduledNap.hour = 31; }));
    for (const char* title : {"Starts", "Ends", "Hour", "Minute", "Nap length", "Weekdays only"}) {
        EXPECT_EQ(focus.row(title), nullptr) << title;
    }
    click(*accessible(*focus.tab, "Quiet Hours"));
    click(*accessible(*focus.tab, "Scheduled nap"));
    EXPECT_TRUE(focus.harness.stored().quietHours.enabled);
    const std::pair<const char*, const char*> shown[] = {
        {"Starts", "22"}, {"Ends", "7"}, {"Hour", "31"}, {"Minute", "0"}};
    for (const auto& [title, value] : shown) {
        ASSERT_NE(focus.numberField(title), nullptr) << title;
        EXPECT_EQ(focus.numberField(title)->draft(), value) << title;
    }
    EXPECT_EQ(focus.numberField("Starts")->unitLabel()->text(), "h");
    auto* napLength = focus.control<QComboBox>("Nap length");
    EXPECT_EQ(napLength->currentText(), "20 minutes");
    testing::choose(*napLength, "1 hour");
    EXPECT_EQ(focus.harness.stored().scheduledNap.duration, PurloNapDuration::oneHour);
    EXPECT_TRUE(focus.control<PurloToggle>("Weekdays only")->isChecked());

    click(*accessible(*focus.tab, "Quiet Hours"));
    EXPECT_EQ(focus.row("Starts"), nullptr);
    EXPECT_NE(focus.row("Hour"), nullptr);
}

TEST(FocusSettingsTab, AddReminderMakesANewCustomReminderEachTimeAndSavesIt) {
    FocusWindow focus;
    click(*button(*focus.tab, "Add Reminder"));
    click(*button(*focus.tab, "Add Reminder"));
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
    EXPECT_EQ(focus.habitRows().value(5)->habit(), stored[5]) << "the new row comes last";
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
        FocusWindow focus(withReminders({reminder(c.id, "Stretch"), reminder("eyes", "Eyes")}));
        HabitNudgeRow& row = *focus.habitRows().value(0);
        EXPECT_NE(accessible(row, "Stretch nudge"), nullptr) << c.id;
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

// A reminder's switch is heard as its nudge with the word said once, as the row is made
// and after the reminder is renamed.
TEST(FocusSettingsTab, AReminderSwitchIsHeardAsItsNudgeWithTheWordOnce) {
    const std::pair<const char*, const char*> cases[] = {
        {"Water", "Water nudge"},       {"Gentle nudge", "Gentle nudge"},
        {"Tea NUDGE", "Tea NUDGE"},     {"Nudge", "Nudge"},
        {"Nudge me", "Nudge me nudge"}, {"Gentlenudge", "Gentlenudge nudge"},
    };
    for (const auto& [title, heard] : cases) {
        FocusWindow focus(withReminders({reminder("water", title), reminder("custom-1", "Tea")}));
        focus.harness.change([&](PurloSettings& s) { s.habitReminders[1].title = title; });
        for (HabitNudgeRow* row : focus.habitRows()) {
            EXPECT_NE(qobject_cast<PurloToggle*>(accessible(*row, heard)), nullptr)
                << title << " in " << row->habit().id;
        }
    }
}

TEST(FocusSettingsTab, AnOffReminderIsFadedAndTakesNoInputButItsSwitchTurnsItOn) {
    FocusWindow focus(withReminders({reminder("custom-1", "Tea", false)}));
    HabitNudgeRow& row = *focus.habitRows().value(0);
    const QList<HabitDraftTextField*> fields = row.findChildren<HabitDraftTextField*>();
    auto* interval = row.findChild<PurloIntervalField*>();
    const auto expectOn = [&](bool on) {
        for (HabitDraftTextField* field : fields) {
            EXPECT_EQ(field->isEnabled(), on);
            EXPECT_DOUBLE_EQ(widgetOpacity(*field), on ? 1.0 : 0.55);
            EXPECT_DOUBLE_EQ(widgetOpacity(*field->parentWidget()), on ? 1.0 : 0.45);
        }
        EXPECT_EQ(interval->isEnabled(), on);
        EXPECT_DOUBLE_EQ(widgetOpacity(*interval), on ? 1.0 : 0.45);
    };
    expectOn(false);
    pressKey(fields.value(0)->lineEdit(), Qt::Key_X, "x");
    EXPECT_EQ(fields.value(0)->lineEdit().text(), "Tea") << "a faded field takes no keys";

    click(*accessible(row, "Tea nudge"));
    EXPECT_TRUE(focus.harness.stored().habitReminders[0].enabled);
    expectOn(true);
}

TEST(FocusSettingsTab, AnEmptyListShowsOnlyTheRuleAndTheButton) {
    // The fourth group of the page.
    const auto habitCard = [](const FocusWindow& focus) -> PurloCard& {
        return shownWidgets<SettingsGroup>(*focus.tab).value(3)->card();
    };
    FocusWindow empty(withReminders({}));
    EXPECT_TRUE(shownWidgets<HabitNudgeRow>(habitCard(empty)).isEmpty());
    EXPECT_EQ(shownWidgets<PurloDivider>(habitCard(empty)).size(), 1);
    EXPECT_EQ(shownWidgets<PurloButtonChrome>(habitCard(empty)).size(), 1);
    EXPECT_NE(button(habitCard(empty), "Add Reminder"), nullptr);

    FocusWindow full;
    EXPECT_EQ(shownWidgets<PurloDivider>(habitCard(full)).size(), 4)
        << "one between each two rows and one above the button";
}

TEST(FocusSettingsTab, ARowWritesItsOwnReminderOnceAndKeepsItsDraftWhileOthersComeAndGo) {
    const std::vector before{reminder("custom-a", "Tea"), reminder("custom-b", "Walk"),
                             reminder("water", "Water")};
    FocusWindow focus(withReminders(before));
    QPointer<HabitNudgeRow> second = focus.habitRows()[1];
    auto* titleField = second->findChild<HabitDraftTextField*>();
    ASSERT_FALSE(titleField->compact());
    QLineEdit& title = titleField->lineEdit();
    Deliveries writes(focus.harness.runtime().settings());
    testing::commitText(title, "Walk outside");
    pressKey(title, Qt::Key_Return);
    std::vector<PurloHabitReminder> expected = before;
    expected[1].title = "Walk outside";
    EXPECT_EQ(focus.harness.stored().habitReminders, expected);
    EXPECT_EQ(writes.count(), 1);

    testing::typeOver(title, "Walk far");
    focus.harness.change([](PurloSettings& s) {
        s.habitReminders.erase(s.habitReminders.begin());
        s.habitReminders[0].title = "Run";
    });
    testing::settle();
    ASSERT_FALSE(second.isNull()) << "the reminder keeps its row";
    EXPECT_EQ(focus.habitRows().first(), second.get());
    EXPECT_EQ(title.text(), "Walk far") << "what is being typed stays";
    sendFocus(title, QEvent::FocusOut);
    EXPECT_EQ(focus.harness.stored().habitReminders,
              (std::vector{reminder("custom-b", "Walk far"), reminder("water", "Water")}));
}

TEST(FocusSettingsTab, SwitchingToAnotherTabWritesWhatWasBeingTypedOnce) {
    testing::RuntimeHarness harness;
    PurloSettingsRouter router;
    router.setSelectedTab(SettingsSectionTab::focus);
    SettingsView view(harness.runtime(), router, harness.appearance);
    view.show();
    HabitNudgeRow& water = *shownWidgets<HabitNudgeRow>(view).value(0);
    QLineEdit& message = water.findChildren<HabitDraftTextField*>().value(0)->lineEdit();
    click(*accessible(water, "Water nudge")); // a reminder that is off takes no typing
    sendFocus(message, QEvent::FocusIn);
    testing::typeOver(message, "drink up");
    Deliveries writes(harness.runtime().settings());
    router.setSelectedTab(SettingsSectionTab::behavior);
    EXPECT_EQ(harness.stored().habitReminders[0].message, "drink up");
    EXPECT_EQ(writes.count(), 1);
}

} // namespace
} // namespace purlo
