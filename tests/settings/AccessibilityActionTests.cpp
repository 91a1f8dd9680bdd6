#include "settings/HabitNudgeRow.h"
#include "settings/SettingsTabs.h"
#include "settings/controls/FurSwatch.h"
#include "settings/controls/PurloSegmentedControl.h"
#include "tests/settings/ToldToAScreenReader.h"
#include "tests/support/RuntimeHarness.h"
#include "tests/ui/WidgetDriving.h"
#include "ui/OnboardingFurPicker.h"
#include "ui/OnboardingView.h"
#include "ui/PurloToggle.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QComboBox>
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

// What a screen reader reads of a menu: its text, and the options its list marks selected.
std::string heardText(QAccessibleInterface& menu) {
    const QAccessibleTextInterface* text = menu.textInterface();
    return text != nullptr ? text->text(0, text->characterCount()).toStdString() : "(no text)";
}

std::string heardSelected(QAccessibleInterface& menu) {
    QAccessibleInterface* list = menu.child(0);
    QStringList selected;
    for (int index = 0; list != nullptr && index < list->childCount(); ++index) {
        if (list->child(index)->state().selected) {
            selected.push_back(list->child(index)->text(QAccessible::Name));
        }
    }
    return selected.join(", ").toStdString();
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

// Each menu as a screen reader meets it: it reads the stored option as the menu's text and
// as the one selected option of its list; every action an option offers chooses it as a
// click does, closes the menu, stores it and shows it, and the reader is told of each
// change and only of a change. Down on the closed menu is heard the same way.
TEST(AccessibilityActions, EachMenuChoosesOnAnOptionsActionAndIsHeardWithWhatIsStored) {
    using enum SettingsSectionTab;
    const struct {
        const char* menu;
        SettingsSectionTab tab;
        std::string shown;
        std::vector<std::string> chosen; // by an option's action, the first on the open menu
        std::string down;                // after them
    } rows[] = {
        {"Pattern", appearance, "Tuxedo", {"Stripes", "Stripes", "Classic"}, "Solid"},
        {"Eyes", appearance, "Honey", {"Cocoa", "Cocoa", "Sky"}, "Honey"},
        {"Accessory", appearance, "None", {"Tie", "Bell", "Bell"}, "Scarf"},
        {"Keep Purlo",
         behavior,
         "Float above apps",
         {"Float above apps", "Stay on desktop"},
         "Auto-hide behind apps"},
        {"Movement", behavior, "Free range", {"Stay put", "Free range"}, "Roam when I'm away"},
        {"Nap length", focus, "20 minutes", {"1 hour", "1 hour", "15 minutes"}, "20 minutes"},
    };
    const PurloSettings napOn =
        testing::settingsWith([](auto& s) { s.scheduledNap.enabled = true; });
    for (const auto& row : rows) {
        SCOPED_TRACE(row.menu);
        RuntimeHarness harness(napOn);
        const auto menuOn = [&row](const QWidget& page) {
            return qobject_cast<QComboBox*>(testing::accessible(page, row.menu));
        };
        // What the menu of a page made afresh over the stored settings shows.
        const auto stored = [&] {
            RuntimeHarness again(harness.stored());
            const std::unique_ptr<QWidget> page(makeSettingsTab(row.tab, again.runtime()));
            return menuOn(*page)->currentText().toStdString();
        };
        const std::unique_ptr<QWidget> window(makeSettingsTab(row.tab, harness.runtime()));
        window->show();
        testing::settle();
        QComboBox* menu = menuOn(*window);
        ASSERT_NE(menu, nullptr);
        QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(menu);
        const auto expectStoredShownAndHeard = [&](const std::string& option) {
            EXPECT_EQ(stored(), option);
            EXPECT_EQ(menu->currentText().toStdString(), option) << "to the eye";
            EXPECT_EQ(heardText(*heard), option) << "to a screen reader";
            EXPECT_EQ(heardSelected(*heard), option) << "to a screen reader";
        };
        expectStoredShownAndHeard(row.shown);
        testing::ToldToAScreenReader told(*menu);
        for (const std::string& chosen : row.chosen) {
            SCOPED_TRACE(chosen);
            QAccessibleInterface* list = heard->child(0);
            QAccessibleInterface* option = nullptr;
            for (int index = 0; list != nullptr && index < list->childCount(); ++index) {
                if (list->child(index)->text(QAccessible::Name).toStdString() == chosen) {
                    option = list->child(index);
                }
            }
            ASSERT_NE(option, nullptr);
            if (&chosen == &row.chosen.front()) {
                menu->showPopup();
            }
            const QStringList actions = option->actionInterface()->actionNames();
            EXPECT_FALSE(actions.isEmpty()) << "a reader can choose it";
            for (const QString& action : actions) {
                SCOPED_TRACE(action.toStdString());
                const std::string before = menu->currentText().toStdString();
                option->actionInterface()->doAction(action);
                testing::settle();
                expectStoredShownAndHeard(chosen);
                EXPECT_FALSE(menu->view()->isVisible()) << "the menu closes";
                EXPECT_EQ(told.take(), before == chosen ? "" : before + " → " + chosen + "; value");
            }
        }
        SCOPED_TRACE("Down");
        const std::string before = menu->currentText().toStdString();
        testing::pressKey(*menu, Qt::Key_Down);
        expectStoredShownAndHeard(row.down);
        EXPECT_EQ(told.take(), before + " → " + row.down + "; value");
    }
}

} // namespace
} // namespace purlo
