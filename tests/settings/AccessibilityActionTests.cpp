#include "settings/HabitNudgeRow.h"
#include "settings/SettingsTabs.h"
#include "settings/controls/FurSwatch.h"
#include "settings/controls/PurloSegmentedControl.h"
#include "tests/support/RuntimeHarness.h"
#include "tests/ui/WidgetDriving.h"
#include "ui/OnboardingFurPicker.h"
#include "ui/OnboardingView.h"
#include "ui/PurloToggle.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace purlo {
namespace {

using testing::RuntimeHarness;
using testing::shownWidgets;
using Controls = QList<QAbstractButton*>;

std::string onOff(bool on) {
    return on ? "on" : "off";
}

// What the controls show as chosen, to the eye or to a screen reader: the titles of the
// checked ones, or "on" or "off" for a lone switch.
std::string chosen(const Controls& controls, bool heard) {
    QStringList checked;
    for (QAbstractButton* control : controls) {
        if (heard ? bool(QAccessible::queryAccessibleInterface(control)->state().checked)
                  : control->isChecked()) {
            checked.push_back(control->text());
        }
    }
    return controls.size() == 1 ? onOff(!checked.isEmpty()) : checked.join(", ").toStdString();
}

std::function<QWidget*(RuntimeHarness&)> page(SettingsSectionTab tab) {
    return [tab](RuntimeHarness& harness) {
        return makeSettingsTab(tab, harness.runtime());
    };
}

std::function<Controls(const QWidget&)> switchNamed(const char* name) {
    return [name](const QWidget& window) {
        return Controls{qobject_cast<QAbstractButton*>(testing::accessible(window, name))};
    };
}

std::function<std::string(RuntimeHarness&)> stored(bool PurloSettings::*field) {
    return [field](RuntimeHarness& harness) {
        return onOff(harness.stored().*field);
    };
}

// Each kind of control a click chooses or flips, run by a screen reader's "Toggle": the
// action stores and saves what a click would, and the control shows, to the eye and to the
// reader, what is stored, a choice toggled again included.
TEST(AccessibilityActions, EachControlDoesWhatAClickDoesAndShowsWhatIsStored) {
    struct Step {
        const char* control; // the title of one of the row's controls; none for a switch
        const char* shown;   // what is stored, and shown, after it
    };
    const auto swatches = [](const QWidget& window) {
        const QList<FurSwatch*> shown = shownWidgets<FurSwatch>(window);
        return Controls(shown.begin(), shown.end());
    };
    const auto bubbleStyles = [](const QWidget& window) {
        const auto& segments = shownWidgets<PurloSegmentedControl>(window).value(0)->segments();
        return Controls(segments.begin(), segments.end());
    };
    const auto onboardingFurs = [](const QWidget& window) {
        return shownWidgets<OnboardingFurPicker>(window).value(0)->findChildren<QAbstractButton*>();
    };
    const auto reminderSwitch = [](const QWidget& window) {
        return Controls{shownWidgets<HabitNudgeRow>(window).value(0)->findChild<PurloToggle*>()};
    };
    const auto skin = [](RuntimeHarness& harness) {
        return std::string(title(harness.stored().skin));
    };
    const auto loginItem = [](RuntimeHarness& harness) {
        return onOff(harness.loginItem.status() == LoginItemStatus::enabled);
    };
    const auto onboarding = [](RuntimeHarness& harness) -> QWidget* {
        return new OnboardingView(harness.runtime(), harness.appearance, OnboardingView::slideCount,
                                  [] {});
    };
    const struct {
        const char* kind;
        std::function<QWidget*(RuntimeHarness&)> open;
        std::function<Controls(const QWidget&)> controls;
        std::function<std::string(RuntimeHarness&)> stored;
        std::vector<Step> steps;
    } rows[] = {
        {"fur swatches",
         page(SettingsSectionTab::appearance),
         swatches,
         skin,
         {{"Calico", "Calico"}, {"Orange", "Orange"}, {"Orange", "Orange"}}},
        {"bubble styles",
         page(SettingsSectionTab::appearance),
         bubbleStyles,
         [](RuntimeHarness& harness) { return std::string(title(harness.stored().phrasePack)); },
         {{"Playful", "Playful"}, {"Playful", "Playful"}, {"Soft", "Soft"}}},
        {"onboarding's furs",
         onboarding,
         onboardingFurs,
         skin,
         {{"Calico", "Calico"}, {"Orange", "Orange"}, {"Gray", "Gray"}, {"Gray", "Gray"}}},
        {"Follow my cursor",
         page(SettingsSectionTab::behavior),
         switchNamed("Follow my cursor"),
         stored(&PurloSettings::eyeTrackingEnabled),
         {{nullptr, "off"}, {nullptr, "on"}}},
        {"Playful reactions",
         page(SettingsSectionTab::behavior),
         switchNamed("Playful reactions"),
         stored(&PurloSettings::reactionsEnabled),
         {{nullptr, "off"}, {nullptr, "on"}}},
        {"Open Purlo at login",
         page(SettingsSectionTab::behavior),
         switchNamed("Open Purlo at login"),
         loginItem,
         {{nullptr, "on"}, {nullptr, "off"}}},
        {"Open Purlo at login, refused by the desktop",
         [](RuntimeHarness& harness) {
             harness.loginItem.failure = FileError{"Could not write the autostart entry."};
             return makeSettingsTab(SettingsSectionTab::behavior, harness.runtime());
         },
         switchNamed("Open Purlo at login"),
         loginItem,
         {{nullptr, "off"}}},
        {"Quiet Hours",
         page(SettingsSectionTab::focus),
         switchNamed("Quiet Hours"),
         [](RuntimeHarness& harness) { return onOff(harness.stored().quietHours.enabled); },
         {{nullptr, "on"}, {nullptr, "off"}}},
        {"a reminder's switch",
         page(SettingsSectionTab::focus),
         reminderSwitch,
         [](RuntimeHarness& harness) {
             return onOff(harness.stored().habitReminders.at(0).enabled);
         },
         {{nullptr, "on"}, {nullptr, "off"}}},
        {"Agent Reactions",
         page(SettingsSectionTab::agent),
         switchNamed("Agent Reactions"),
         stored(&PurloSettings::localAgentBridgeEnabled),
         {{nullptr, "off"}, {nullptr, "on"}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.kind);
        RuntimeHarness harness;
        const std::unique_ptr<QWidget> window(row.open(harness));
        window->show();
        testing::settle();
        const Controls controls = row.controls(*window);
        ASSERT_FALSE(controls.isEmpty());
        ASSERT_FALSE(controls.contains(nullptr));
        for (const Step& step : row.steps) {
            SCOPED_TRACE(step.control != nullptr ? step.control : "the switch");
            const auto control = std::ranges::find_if(controls, [&step](QAbstractButton* titled) {
                return step.control == nullptr || titled->text() == step.control;
            });
            ASSERT_NE(control, controls.end());
            QAccessibleActionInterface* actions =
                QAccessible::queryAccessibleInterface(*control)->actionInterface();
            ASSERT_EQ(actions->actionNames().value(0), QAccessibleActionInterface::toggleAction());
            actions->doAction(QAccessibleActionInterface::toggleAction());
            testing::settle();
            EXPECT_EQ(row.stored(harness), step.shown);
            EXPECT_EQ(chosen(controls, false), step.shown) << "to the eye";
            EXPECT_EQ(chosen(controls, true), step.shown) << "to a screen reader";
        }
    }
}

} // namespace
} // namespace purlo
