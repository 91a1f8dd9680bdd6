#include "settings/AdvancedSettingsTab.h"
#include "settings/SettingsView.h"
#include "tests/support/RuntimeHarness.h"
#include "tests/ui/WidgetDriving.h"
#include "ui/PurloDisclosureGroup.h"
#include "ui/PurloPalette.h"

#include <QAccessible>
#include <QStringList>
#include <functional>
#include <gtest/gtest.h>

namespace purlo {
namespace {

// Every interface in the accessible tree under root that a person could reach, depth
// first; what is hidden, and what only a hidden one holds, is left out.
void walkShown(QAccessibleInterface* root,
               const std::function<void(QAccessibleInterface&)>& visit) {
    if (root == nullptr || root->state().invisible) {
        return;
    }
    visit(*root);
    for (int index = 0; index < root->childCount(); ++index) {
        walkShown(root->child(index), visit);
    }
}

QString described(QAccessibleInterface& control) {
    return QString("%1 \"%2\"")
        .arg(control.object()->metaObject()->className(), control.text(QAccessible::Description));
}

// What a screen reader calls the controls of one tab that take the keyboard, in the
// order it meets them; a control without a name is said as "<unnamed ...>". Each control
// is named once it has the focus too, for the one with the focus is what is read then.
QStringList focusableNames(SettingsView& window) {
    QStringList names;
    std::vector<QWidget*> focusable;
    walkShown(QAccessible::queryAccessibleInterface(&window), [&](QAccessibleInterface& control) {
        auto* widget = qobject_cast<QWidget*>(control.object());
        if (control.state().focusable && widget != nullptr && window.page().isAncestorOf(widget)) {
            const QString name = control.text(QAccessible::Name);
            names.push_back(name.isEmpty() ? "<unnamed " + described(control) + ">" : name);
            focusable.push_back(widget);
        }
    });
    for (QWidget* control : focusable) {
        control->setFocus(Qt::TabFocusReason);
        walkShown(QAccessible::queryAccessibleInterface(&window),
                  [&](QAccessibleInterface& focused) {
                      if (focused.state().focused && focused.text(QAccessible::Name).isEmpty()) {
                          names.push_back("<unnamed with the focus " + described(focused) + ">");
                      }
                  });
    }
    return names;
}

// Every control of every tab that takes the keyboard has a name a screen reader can say,
// and no two on a tab share one: the number fields and text fields by their rows'
// titles, the look-name field by what it is for, a reminder's fields by the reminder,
// the folding headers by their labels, About's two links by what they open. Every row
// that a switch or a fold can show is shown.
TEST(SettingsAccessibleTree, EveryControlThatTakesTheKeyboardHasANameOfItsOwn) {
    const std::pair<SettingsSectionTab, QStringList> named[] = {
        {SettingsSectionTab::appearance, {"Look name", "Use Window seat", "Remove Window seat"}},
        {SettingsSectionTab::behavior,
         {"Distance from screen edges", "Purlo's name", "What should Purlo call you?",
          "Idle note"}},
        {SettingsSectionTab::focus,
         {"Focus length", "Break length", "Stretch reminder", "Encouragement", "Starts", "Ends",
          "Hour", "Minute", "Water interval", "Water message", "Habit name", "Gentle nudge message",
          "Gentle nudge interval"}},
        {SettingsSectionTab::agent, {}},
        {SettingsSectionTab::privacy, {}},
        {SettingsSectionTab::help, {"Create Support Report", "Technical Details"}},
        {SettingsSectionTab::about, {"Open Release Notes", "Open Privacy Policy"}},
    };
    testing::RuntimeHarness harness(testing::settingsWith([](PurloSettings& settings) {
        settings.quietHours.enabled = true;
        settings.scheduledNap.enabled = true;
    }));
    harness.runtime().saveCatProfile("Window seat");
    PurloSettingsRouter router;
    SettingsView window(harness.runtime(), router, harness.appearance);
    window.setPalette(purloPalette(false));
    window.resize(SettingsView::contentSize);
    window.show();
    qsizetype heard = 0;
    for (const auto& [tab, expected] : named) {
        SCOPED_TRACE(toString(tab));
        router.setSelectedTab(tab);
        window.activateWindow();
        testing::settle();
        if (auto* help = qobject_cast<AdvancedSettingsTab*>(&window.page())) {
            help->supportReport().setExpanded(true);
            help->technicalDetails().setExpanded(true);
            testing::settle();
        }
        const QStringList names = focusableNames(window);
        heard += names.size();
        QStringList unnamed;
        QStringList repeated;
        for (const QString& name : names) {
            if (name.startsWith("<unnamed")) {
                unnamed.push_back(name);
            } else if (names.count(name) > 1 && !repeated.contains(name)) {
                repeated.push_back(name);
            }
        }
        EXPECT_EQ(unnamed.join(", ").toStdString(), "");
        EXPECT_EQ(repeated.join(", ").toStdString(), "");
        for (const QString& name : expected) {
            EXPECT_TRUE(names.contains(name))
                << name.toStdString() << " among " << names.join(", ").toStdString();
        }
    }
    EXPECT_GT(heard, 60) << "the walk reaches the controls";
}

} // namespace
} // namespace purlo
