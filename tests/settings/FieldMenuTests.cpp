#include "tests/settings/SettingsDriving.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPointer>
#include <algorithm>
#include <gtest/gtest.h>
#include <string>

namespace purlo {
namespace {

using testing::PageWindow;
using testing::RuntimeHarness;

// The field's own right-click menu, opened as a right click opens it.
QMenu* openFieldMenu(QLineEdit& field) {
    const QPoint middle = field.rect().center();
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, middle, field.mapToGlobal(middle));
    QApplication::sendEvent(&field, &rightClick);
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

// Runs the action of the field's own right-click menu that shows that text, as a right click and a
// choice in the menu do, and closes the menu.
void chooseFromFieldMenu(QLineEdit& field, const char* action) {
    QMenu* menu = openFieldMenu(field);
    ASSERT_NE(menu, nullptr);
    const QList<QAction*> actions = menu->actions();
    const auto chosen = std::ranges::find_if(actions, [&](const QAction* shown) {
        return shown->text().section(u'\t', 0, 0) == QLatin1StringView(action);
    });
    ASSERT_NE(chosen, actions.end()) << action;
    EXPECT_TRUE((*chosen)->isEnabled()) << action;
    (*chosen)->trigger();
    menu->close();
    testing::settle();
}

// What the runtime stored of a number setting, as text.
std::function<std::string(RuntimeHarness&)> storedNumber(std::int64_t PurloSettings::*setting) {
    return [setting](RuntimeHarness& harness) {
        return std::to_string(harness.stored().*setting);
    };
}

// A field's own right-click menu is not the focus leaving: its Paste and Delete act on the
// selection, as Ctrl+V and Delete do, and the field commits only as the focus leaves it.
// Opening the menu committed the field and showed the stored text again, so the selection
// was gone: Paste went to the end ("512", stored as the maximum) and Delete had nothing.
TEST(FieldMenu, PasteAndDeleteActOnTheSelectionAndTheFieldCommitsAsTheFocusLeaves) {
    const PurloSettings settings = testing::settingsWith([](PurloSettings& settings) {
        settings.pomodoroFocusMinutes = 25;
        settings.pomodoroBreakMinutes = 25;
        settings.stretchReminderMinutes = 45;
    });
    const struct {
        const char* field;
        SettingsSectionTab page;
        const char* typed; // over what it holds, before the menu; nothing for none
        int selectionStart;
        int selectionLength; // -1: all of it
        const char* action;
        const char* clipboard;
        std::function<std::string(RuntimeHarness&)> stored;
        const char* kept;
    } rows[] = {
        {"Focus length", SettingsSectionTab::focus, nullptr, 0, -1, "&Paste", "12",
         storedNumber(&PurloSettings::pomodoroFocusMinutes), "12"},
        {"Break length", SettingsSectionTab::focus, nullptr, 0, 1, "Delete", "",
         storedNumber(&PurloSettings::pomodoroBreakMinutes), "5"},
        {"Stretch reminder", SettingsSectionTab::focus, nullptr, 0, 1, "&Paste", "12",
         storedNumber(&PurloSettings::stretchReminderMinutes), "125"},
        // Stored trimmed, the typed name would have been shown again as the menu opened.
        {"Purlo's name", SettingsSectionTab::behavior, "  Luna", 0, -1, "&Paste", "Mochi",
         [](RuntimeHarness& harness) { return harness.stored().companionName; }, "Mochi"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.field << ", " << row.action);
        PageWindow page(row.page, settings);
        page.window.show();
        page.window.activateWindow();
        auto* field = testing::fieldHeardAs(*page.tab, row.field);
        ASSERT_NE(field, nullptr);
        field->setFocus(Qt::MouseFocusReason);
        testing::settle();
        ASSERT_TRUE(field->hasFocus());
        if (row.typed != nullptr) {
            testing::typeOver(*field, row.typed);
        }
        field->setSelection(row.selectionStart, row.selectionLength < 0
                                                    ? static_cast<int>(field->text().size())
                                                    : row.selectionLength);
        QApplication::clipboard()->setText(row.clipboard);
        chooseFromFieldMenu(*field, row.action);
        field->clearFocus();
        EXPECT_EQ(row.stored(page.harness), row.kept);
        EXPECT_EQ(field->text().toStdString(), row.kept) << "what the field shows";
    }
}

// What was typed is kept however the field's window goes, its menu open or not: a window
// closed from outside while the menu is open sends the field no loss of focus, and a
// number field, which commits only as the focus leaves, lost what it held. The menu goes
// with the window, so that nothing edits a field out of sight.
TEST(FieldMenu, WhatWasTypedIsKeptWhenTheWindowGoesWithTheFieldsMenuOpen) {
    const struct {
        const char* field;
        SettingsSectionTab page;
        const char* typed;
        bool menuOpen;
        void (QWidget::*goes)();
        std::function<std::string(RuntimeHarness&)> stored;
    } rows[] = {
        {"Break length", SettingsSectionTab::focus, "16", true, &QWidget::hide,
         storedNumber(&PurloSettings::pomodoroBreakMinutes)},
        {"Focus length", SettingsSectionTab::focus, "40", true, &QWidget::showMinimized,
         storedNumber(&PurloSettings::pomodoroFocusMinutes)},
        {"Break length", SettingsSectionTab::focus, "16", false, &QWidget::hide,
         storedNumber(&PurloSettings::pomodoroBreakMinutes)},
        {"Purlo's name", SettingsSectionTab::behavior, "Mochi", true, &QWidget::hide,
         [](RuntimeHarness& harness) {
             return harness.stored().companionName;
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.field << (row.menuOpen ? ", menu open" : ""));
        PageWindow page(row.page);
        page.window.activateWindow();
        auto* field = testing::fieldHeardAs(*page.tab, row.field);
        ASSERT_NE(field, nullptr);
        field->setFocus(Qt::MouseFocusReason);
        testing::settle();
        testing::typeOver(*field, row.typed);
        QPointer<QMenu> menu = row.menuOpen ? openFieldMenu(*field) : nullptr;
        ASSERT_EQ(menu != nullptr, row.menuOpen);
        (page.window.*row.goes)();
        testing::settle();
        EXPECT_EQ(row.stored(page.harness), row.typed);
        EXPECT_TRUE(menu.isNull() || !menu->isVisible()) << "the menu stays behind";
    }
}

// A field that holds the focus is being typed in, however it came to hold it. A window
// closed from outside while a field's menu is open, after the window system took its
// activation (Qt moves no focus while a menu is open), leaves the field Qt's focus; shown
// again, the field was sent no focus-in and took every key as a change made elsewhere:
// "23" over 16 stored 5 and then 30, and "Ana Bel" was stored as "AnaBel".
TEST(FieldMenu, AFieldShownAgainHoldingTheFocusKeepsItsDraftUntilTheFocusLeaves) {
    const auto name = [](RuntimeHarness& harness) {
        return harness.stored().companionName;
    };
    const struct {
        const char* field;
        SettingsSectionTab page;
        const char* typed;
        std::function<std::string(RuntimeHarness&)> stored;
    } rows[] = {
        {"Break length", SettingsSectionTab::focus, "23",
         storedNumber(&PurloSettings::pomodoroBreakMinutes)},
        {"Purlo's name", SettingsSectionTab::behavior, "Ana Bel", name},
    };
    for (const auto& row : rows) {
        PageWindow page(row.page);
        page.window.activateWindow();
        auto* field = testing::fieldHeardAs(*page.tab, row.field);
        field->setFocus(Qt::MouseFocusReason);
        testing::settle();
        ASSERT_NE(openFieldMenu(*field), nullptr);
        QApplication::setActiveWindow(nullptr);
        page.window.hide();
        page.window.show();
        page.window.activateWindow();
        testing::settle();
        field->selectAll();
        testing::typeInto(*field, row.typed);
        field->clearFocus();
        EXPECT_EQ(row.stored(page.harness), row.typed);
        EXPECT_EQ(field->text().toStdString(), row.typed) << "what the field shows";
    }
}

} // namespace
} // namespace purlo
