#include "settings/HabitDraftTextField.h"
#include "settings/HabitNudgeRow.h"
#include "settings/WidgetOpacity.h"
#include "tests/settings/SettingsDriving.h"
#include "ui/PurloIntervalField.h"
#include "ui/PurloToggle.h"

#include <QLineEdit>
#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::accessible;
using testing::click;
using testing::pressKey;

// One reminder kept the way the Focus tab keeps it, counting the writes.
struct StoredReminder {
    PurloHabitReminder reminder{"custom-1", "Tea", "sip?", 60, true};
    int writes = 0;

    template <typename Field>
    Binding<Field> binding(Field PurloHabitReminder::*field) {
        return {[this, field] { return reminder.*field; },
                [this, field](Field value) {
                    ++writes;
                    reminder.*field = std::move(value);
                }};
    }
};

TEST(HabitNudgeRow, AnOffReminderIsFadedAndTakesNoInputButItsSwitchTurnsItOn) {
    StoredReminder owner;
    owner.reminder.enabled = false;
    QWidget window;
    HabitNudgeRow row(
        owner.reminder, owner.binding(&PurloHabitReminder::title),
        owner.binding(&PurloHabitReminder::message),
        owner.binding(&PurloHabitReminder::intervalMinutes),
        owner.binding(&PurloHabitReminder::enabled), [] {}, &window);
    window.show();
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

    auto* toggle = qobject_cast<PurloToggle*>(accessible(row, "Tea nudge"));
    ASSERT_NE(toggle, nullptr);
    click(*toggle);
    EXPECT_TRUE(owner.reminder.enabled);
    row.refresh(owner.reminder);
    expectOn(true, "turned on");
    EXPECT_EQ(owner.writes, 1);
}

} // namespace
} // namespace purlo
