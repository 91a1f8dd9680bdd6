#pragma once

#include "platform/Cancellable.h"
#include "runtime/PurloRuntime.h"
#include "ui/Binding.h"
#include "ui/IntervalDraft.h"

#include <QWidget>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class QVBoxLayout;

namespace purlo {

class HabitNudgeRow;
class PurloDivider;
class PurloIntervalField;
class PurloToggle;
class SettingsMenuPicker;

// The Focus tab: the Pomodoro lengths, the stretch and encouragement intervals, quiet
// hours, the daily nap and the habit reminders, as four labelled cards one under the
// other. It keeps no copy of the settings: every control shows what the runtime
// publishes and stores its edit through the runtime, which saves it; the runtime's
// timers take the new values from their next tick. The rows that only matter while
// quiet hours or the nap are on show only then. Habit reminders are known by their
// id, never by their place in the list, so a row keeps what the user is typing while
// other reminders come and go.
class FocusSettingsTab final : public QWidget {
    Q_OBJECT

public:
    explicit FocusSettingsTab(PurloRuntime& runtime, QWidget* parent = nullptr);

private:
    struct HabitEntry {
        std::string id;
        PurloDivider* divider;
        HabitNudgeRow* row;
    };

    QWidget* timersCard();
    QWidget* remindersCard();
    QWidget* scheduledNapCard();
    QWidget* habitRemindersCard();
    PurloIntervalField* numberField(Binding<std::int64_t> value, IntervalRange range,
                                    const QString& unit);
    QWidget* switchRow(Binding<bool> isOn, const QString& title,
                       const std::optional<QString>& subtitle = std::nullopt);
    HabitNudgeRow* habitRow(const PurloHabitReminder& habit);
    void addHabitReminder();
    void deleteHabitReminder(const std::string& id);
    void showSettings(const PurloSettings& settings);
    void showHabitReminders(const std::vector<PurloHabitReminder>& reminders);
    void arrangeHabitEntries(std::vector<HabitEntry> entries);

    PurloRuntime& runtime_;
    // The controls that show the stored values again after every write.
    std::vector<PurloIntervalField*> numberFields_;
    std::vector<PurloToggle*> switches_;
    SettingsMenuPicker* napLength_ = nullptr;
    QWidget* quietHoursTimes_ = nullptr;
    QWidget* napDetails_ = nullptr;
    QVBoxLayout* habitList_ = nullptr;
    std::vector<HabitEntry> habitEntries_;
    Cancellable settingsSubscription_;
};

} // namespace purlo
