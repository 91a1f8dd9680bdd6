#include "settings/FocusSettingsTab.h"

#include "base/RandomUuid.h"
#include "base/UnicodeText.h"
#include "settings/HabitNudgeRow.h"
#include "settings/SettingsFieldBinding.h"
#include "settings/controls/SettingsGroup.h"
#include "settings/controls/SettingsMenuPicker.h"
#include "ui/PurloButtonStyles.h"
#include "ui/PurloDivider.h"
#include "ui/PurloIntervalField.h"
#include "ui/PurloSettingRow.h"
#include "ui/PurloToggle.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>
#include <utility>

namespace purlo {
namespace {

// The rule between two rows that share a line, as tall as a row.
constexpr QSize timeRuleSize{1, 56};
constexpr QMargins addButtonPadding{15, 13, 15, 13};

// Pomodoro phases and reminders in minutes; hours and minutes of the day.
constexpr IntervalRange focusLengthRange{5, 90};
constexpr IntervalRange breakLengthRange{5, 30};
constexpr IntervalRange stretchReminderRange{5, 180};
// 0 is allowed: the cat then keeps her encouragement to herself.
constexpr IntervalRange encouragementRange{0, 240};
constexpr IntervalRange hourRange{0, 23};
constexpr IntervalRange minuteRange{0, 59};

// The fields of the quiet hours and of the daily nap, as picked out of the settings.
constexpr auto quietHoursEnabled = [](auto& settings) -> auto& {
    return settings.quietHours.enabled;
};
constexpr auto quietHoursStart = [](auto& settings) -> auto& {
    return settings.quietHours.startHour;
};
constexpr auto quietHoursEnd = [](auto& settings) -> auto& {
    return settings.quietHours.endHour;
};
constexpr auto napEnabled = [](auto& settings) -> auto& {
    return settings.scheduledNap.enabled;
};
constexpr auto napHour = [](auto& settings) -> auto& {
    return settings.scheduledNap.hour;
};
constexpr auto napMinute = [](auto& settings) -> auto& {
    return settings.scheduledNap.minute;
};
constexpr auto napLength = [](auto& settings) -> auto& {
    return settings.scheduledNap.duration;
};
constexpr auto napOnWeekdaysOnly = [](auto& settings) -> auto& {
    return settings.scheduledNap.weekdaysOnly;
};

QString napDurationLabel(PurloNapDuration duration) {
    switch (duration) {
    case PurloNapDuration::fifteenMinutes:
        return QStringLiteral("15 minutes");
    case PurloNapDuration::twentyMinutes:
        return QStringLiteral("20 minutes");
    case PurloNapDuration::thirtyMinutes:
        return QStringLiteral("30 minutes");
    case PurloNapDuration::oneHour:
        return QStringLiteral("1 hour");
    }
    return {};
}

// Two rows side by side, sharing the width, with an upright rule between them.
QWidget* timeRow(QWidget* leading, QWidget* trailing) {
    auto* rule = rowDivider();
    rule->setFixedSize(timeRuleSize);
    auto* pair = new QWidget;
    auto* line = new QHBoxLayout(pair);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(0);
    line->addWidget(leading, 1);
    line->addWidget(rule, 0, Qt::AlignVCenter);
    line->addWidget(trailing, 1);
    return pair;
}

// A reminder of the user's own, on until they say otherwise, under an id of "custom-"
// and a fresh random UUID in lower case; nothing when the system has no randomness to
// give.
std::optional<PurloHabitReminder> newCustomHabitReminder() {
    const std::optional<std::string> uuid = randomUuid();
    if (!uuid) {
        return std::nullopt;
    }
    return PurloHabitReminder{"custom-" + lowercased(*uuid), "Gentle nudge", "tiny reset?", 60,
                              true};
}

// Changes the first reminder with that id; none with it, nothing changes.
template <typename Change>
void updateHabitReminder(PurloSettings& settings, const std::string& id, Change change) {
    const auto found = std::ranges::find(settings.habitReminders, id, &PurloHabitReminder::id);
    if (found != settings.habitReminders.end()) {
        change(*found);
    }
}

// One field of the reminder with that id, as the runtime publishes it now; fallback
// once no reminder has the id. Every write stores the settings, a reminder that is
// gone included (nothing then changes).
template <typename Field>
Binding<Field> habitReminderBinding(PurloRuntime& runtime, std::string id,
                                    Field PurloHabitReminder::*field, Field fallback) {
    return {[&runtime, id, field, fallback] {
                const auto& reminders = runtime.settings()->habitReminders;
                const auto found = std::ranges::find(reminders, id, &PurloHabitReminder::id);
                return found != reminders.end() ? (*found).*field : fallback;
            },
            [&runtime, id, field](Field value) {
                PurloSettings settings = *runtime.settings();
                updateHabitReminder(settings, id,
                                    [&](PurloHabitReminder& reminder) { reminder.*field = value; });
                runtime.setSettings(std::move(settings));
            }};
}

} // namespace

FocusSettingsTab::FocusSettingsTab(PurloRuntime& runtime, QWidget* parent)
    : QWidget(parent)
    , runtime_(runtime) {
    QVBoxLayout* page = SettingsGroup::makePageColumn(*this);
    page->addWidget(timersCard());
    page->addWidget(remindersCard());
    page->addWidget(scheduledNapCard());
    page->addWidget(habitRemindersCard());

    settingsSubscription_ = runtime_.settings().subscribe(
        [this](const PurloSettings& settings) { showSettings(settings); });
}

PurloIntervalField* FocusSettingsTab::numberField(Binding<std::int64_t> value, IntervalRange range,
                                                  const QString& unit) {
    auto* field = new PurloIntervalField(std::move(value), range, unit);
    numberFields_.push_back(field);
    return field;
}

// A row whose switch, named by the row's title, turns a setting on and off.
QWidget* FocusSettingsTab::switchRow(Binding<bool> isOn, const QString& title,
                                     const std::optional<QString>& subtitle) {
    auto* toggle = new PurloToggle(std::move(isOn), title);
    switches_.push_back(toggle);
    return settingRow(title, toggle, subtitle);
}

QWidget* FocusSettingsTab::timersCard() {
    const auto minutes = QStringLiteral("min");
    return new SettingsGroup(
        QStringLiteral("Timers"), SettingsGroup::Place::first,
        {settingRow(QStringLiteral("Focus length"),
                    numberField(settingsBinding(runtime_, &PurloSettings::pomodoroFocusMinutes),
                                focusLengthRange, minutes)),
         rowDivider(),
         settingRow(QStringLiteral("Break length"),
                    numberField(settingsBinding(runtime_, &PurloSettings::pomodoroBreakMinutes),
                                breakLengthRange, minutes))});
}

QWidget* FocusSettingsTab::remindersCard() {
    const auto minutes = QStringLiteral("min");
    const auto hours = QStringLiteral("h");
    QWidget* starts =
        settingRow(QStringLiteral("Starts"),
                   numberField(settingsFieldBinding(runtime_, quietHoursStart), hourRange, hours));
    QWidget* ends =
        settingRow(QStringLiteral("Ends"),
                   numberField(settingsFieldBinding(runtime_, quietHoursEnd), hourRange, hours));
    // The rows that show only while the switch above them is on, set off from it by a rule.
    quietHoursTimes_ = stackedRows({rowDivider(), timeRow(starts, ends)});
    return new SettingsGroup(
        QStringLiteral("Reminders"), SettingsGroup::Place::later,
        {settingRow(QStringLiteral("Stretch reminder"),
                    numberField(settingsBinding(runtime_, &PurloSettings::stretchReminderMinutes),
                                stretchReminderRange, minutes)),
         rowDivider(),
         settingRow(QStringLiteral("Encouragement"),
                    numberField(settingsBinding(runtime_, &PurloSettings::kindNudgeMinutes),
                                encouragementRange, minutes)),
         rowDivider(),
         switchRow(settingsFieldBinding(runtime_, quietHoursEnabled), QStringLiteral("Quiet Hours"),
                   QStringLiteral("Pause Purlo's automatic reactions on a schedule.")),
         quietHoursTimes_});
}

QWidget* FocusSettingsTab::scheduledNapCard() {
    napLength_ = new SettingsMenuPicker(
        QStringLiteral("Nap length"),
        optionList(settingsFieldBinding(runtime_, napLength), allNapDurations,
                   [](PurloNapDuration option) { return napDurationLabel(option).toStdString(); }));
    QWidget* hour = settingRow(QStringLiteral("Hour"),
                               numberField(settingsFieldBinding(runtime_, napHour), hourRange, {}));
    QWidget* minute =
        settingRow(QStringLiteral("Minute"),
                   numberField(settingsFieldBinding(runtime_, napMinute), minuteRange, {}));
    napDetails_ = stackedRows({rowDivider(), timeRow(hour, minute), rowDivider(),
                               settingRow(QStringLiteral("Nap length"), napLength_), rowDivider(),
                               switchRow(settingsFieldBinding(runtime_, napOnWeekdaysOnly),
                                         QStringLiteral("Weekdays only"))});
    return new SettingsGroup(
        QStringLiteral("Scheduled Nap"), SettingsGroup::Place::later,
        {switchRow(settingsFieldBinding(runtime_, napEnabled), QStringLiteral("Scheduled nap"),
                   QStringLiteral("One quiet nap a day. She asks you to step away, then sleeps.")),
         napDetails_});
}

QWidget* FocusSettingsTab::habitRemindersCard() {
    auto* list = new QWidget;
    habitList_ = new QVBoxLayout(list);
    habitList_->setContentsMargins(0, 0, 0, 0);
    habitList_->setSpacing(0);

    auto* add = PurloGhostButtonStyle{true}.makeBody(QStringLiteral("Add Reminder"), "plus.circle");
    connect(add, &QAbstractButton::clicked, this, [this] { addHabitReminder(); });
    auto* addRow = new QWidget;
    auto* addLine = new QHBoxLayout(addRow);
    addLine->setContentsMargins(addButtonPadding);
    addLine->addWidget(add);
    addLine->addStretch(1);

    return new SettingsGroup(QStringLiteral("Habit Reminders"), SettingsGroup::Place::later,
                             {list, rowDivider(), addRow});
}

// A row whose reminder has gone reads fallbacks until the row goes too; the interval's is
// the last one, held to the field's range.
HabitNudgeRow* FocusSettingsTab::habitRow(const PurloHabitReminder& habit) {
    const std::string& id = habit.id;
    return new HabitNudgeRow(
        habit, habitReminderBinding(runtime_, id, &PurloHabitReminder::title, habit.title),
        habitReminderBinding(runtime_, id, &PurloHabitReminder::message, std::string()),
        habitReminderBinding(runtime_, id, &PurloHabitReminder::intervalMinutes,
                             std::clamp(habit.intervalMinutes,
                                        HabitNudgeRow::intervalRange.lowerBound,
                                        HabitNudgeRow::intervalRange.upperBound)),
        habitReminderBinding(runtime_, id, &PurloHabitReminder::enabled, false),
        [this, id] { deleteHabitReminder(id); });
}

void FocusSettingsTab::addHabitReminder() {
    std::optional<PurloHabitReminder> reminder = newCustomHabitReminder();
    if (!reminder) {
        return;
    }
    PurloSettings settings = *runtime_.settings();
    settings.habitReminders.push_back(std::move(*reminder));
    runtime_.setSettings(std::move(settings));
}

// Only the user's own reminders go; the settings are written either way.
void FocusSettingsTab::deleteHabitReminder(const std::string& id) {
    PurloSettings settings = *runtime_.settings();
    settings.removeCustomHabitReminder(id);
    runtime_.setSettings(std::move(settings));
}

void FocusSettingsTab::showSettings(const PurloSettings& settings) {
    for (PurloIntervalField* field : numberFields_) {
        field->valueDidChange();
    }
    for (PurloToggle* toggle : switches_) {
        toggle->refresh();
    }
    napLength_->refresh();
    quietHoursTimes_->setVisible(settings.quietHours.enabled);
    napDetails_->setVisible(settings.scheduledNap.enabled);
    showHabitReminders(settings.habitReminders);
}

// The same reminders in the same order are only shown again; otherwise each reminder
// keeps the row it had (and with it what is being typed there), new ones get a row and
// the rows of reminders that went go.
void FocusSettingsTab::showHabitReminders(const std::vector<PurloHabitReminder>& reminders) {
    const bool sameList =
        std::ranges::equal(reminders, habitEntries_, {}, &PurloHabitReminder::id, &HabitEntry::id);
    if (sameList) {
        for (std::size_t index = 0; index < reminders.size(); ++index) {
            habitEntries_[index].row->refresh(reminders[index]);
        }
        return;
    }
    std::vector<HabitEntry> previous = std::exchange(habitEntries_, {});
    std::vector<HabitEntry> entries;
    for (const PurloHabitReminder& reminder : reminders) {
        const auto kept = std::ranges::find(previous, reminder.id, &HabitEntry::id);
        if (kept != previous.end()) {
            kept->row->refresh(reminder);
            entries.push_back(*kept);
            previous.erase(kept);
        } else {
            entries.push_back({reminder.id, rowDivider(), habitRow(reminder)});
        }
    }
    arrangeHabitEntries(std::move(entries));
    // Gone only now: a row that goes commits what was typed in it, which writes the
    // settings again and comes back here to a list already in order.
    for (const HabitEntry& gone : previous) {
        gone.divider->hide();
        gone.divider->deleteLater();
        gone.row->hide();
        gone.row->deleteLater();
    }
}

// Every entry is its divider and its row; the first needs no divider.
void FocusSettingsTab::arrangeHabitEntries(std::vector<HabitEntry> entries) {
    while (habitList_->count() > 0) {
        delete habitList_->takeAt(0);
    }
    for (std::size_t index = 0; index < entries.size(); ++index) {
        habitList_->addWidget(entries[index].divider);
        habitList_->addWidget(entries[index].row);
        entries[index].divider->setVisible(index > 0);
        entries[index].row->show();
    }
    habitEntries_ = std::move(entries);
}

} // namespace purlo
