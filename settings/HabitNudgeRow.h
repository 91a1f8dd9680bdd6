#pragma once

// The reminder comes by way of the settings: moc cannot read the reminder's own header
// when it is the first to bring in <compare>.
#include "model/PurloSettings.h"
#include "ui/Binding.h"
#include "ui/IntervalDraft.h"

#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>

namespace purlo {

class HabitDraftTextField;
class PurloButtonChrome;
class PurloIntervalField;
class PurloText;
class PurloToggle;

// One habit reminder in the Focus tab's list: its title and message on the leading
// side, its interval, its switch and (for the user's own reminders) a delete button on
// the trailing side. The built-in reminders show their title as fixed text and cannot
// be deleted. While the reminder is off, everything but its switch is faded and takes
// no input. The row keeps no settings of its own: every value comes and goes through
// the bindings it is given.
class HabitNudgeRow final : public QWidget {
    Q_OBJECT

public:
    static constexpr double offOpacity = 0.45;
    // From a few minutes to a working day's half.
    static constexpr IntervalRange intervalRange{5, 240};

    // habit: the reminder as the list held it when the row was made.
    HabitNudgeRow(PurloHabitReminder habit, Binding<std::string> title,
                  Binding<std::string> message, Binding<std::int64_t> intervalMinutes,
                  Binding<bool> enabled, std::function<void()> remove, QWidget* parent = nullptr);

    // Shows the reminder as the list holds it now, and its bound values again.
    void refresh(const PurloHabitReminder& habit);

    const PurloHabitReminder& habit() const { return habit_; }
    bool isCustom() const { return PurloHabitReminder::isCustomIdentifier(habit_.id); }

private:
    QWidget* textColumn();
    QWidget* controls();
    void nameControls();
    void showEnabled();

    PurloHabitReminder habit_;
    Binding<bool> enabled_;
    std::function<void()> remove_;
    HabitDraftTextField* titleField_ = nullptr;
    PurloText* fixedTitle_ = nullptr;
    HabitDraftTextField* messageField_;
    QWidget* textColumn_ = nullptr;
    PurloIntervalField* interval_;
    PurloToggle* toggle_;
    PurloButtonChrome* deleteButton_ = nullptr;
};

} // namespace purlo
