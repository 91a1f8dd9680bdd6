#include "app/MainMenu.h"

#include <QAction>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

namespace purlo {
namespace {

QAction* item(QWidget& window, const QString& title) {
    for (QAction* action : window.actions()) {
        if (action->text() == title) {
            return action;
        }
    }
    return nullptr;
}

TEST(MainMenu, HasTheProgramsItemsWithTheirKeys) {
    using enum MainMenuAction;
    const std::vector<MainMenuItem> expected{
        {"", "Quit Purlo", terminate, "q"}, {"Edit", "Undo", undo, "z"},
        {"Edit", "Redo", redo, "Z"},        {"Edit", "", separator, ""},
        {"Edit", "Cut", cut, "x"},          {"Edit", "Copy", copy, "c"},
        {"Edit", "Paste", paste, "v"},      {"Edit", "Select All", selectAll, "a"},
        {"Window", "Close", close, "w"},
    };
    EXPECT_EQ(makeMainMenu(), expected);

    const struct {
        const char* key;
        const char* shortcut;
    } keys[] = {{"q", "Ctrl+Q"}, {"z", "Ctrl+Z"}, {"Z", "Ctrl+Shift+Z"}, {"w", "Ctrl+W"}, {"", ""},
                {"zz", ""},      {"1", ""}};
    for (const auto& [key, shortcut] : keys) {
        EXPECT_EQ(shortcutFor(key), QKeySequence(shortcut)) << key;
    }
}

TEST(MainMenu, ItsShortcutsEditTheFocusedFieldAndCloseTheWindow) {
    QWidget window;
    auto* field = new QLineEdit(&window);
    (new QVBoxLayout(&window))->addWidget(field);
    installMainMenuShortcuts(window);
    window.show();
    field->setFocus();
    field->insert("purr");

    ASSERT_NE(item(window, "Redo"), nullptr);
    EXPECT_EQ(item(window, "Redo")->shortcut(), QKeySequence("Ctrl+Shift+Z"));
    EXPECT_EQ(item(window, ""), nullptr) << "a separator is no shortcut";

    item(window, "Undo")->trigger();
    EXPECT_EQ(field->text(), "");
    item(window, "Redo")->trigger();
    EXPECT_EQ(field->text(), "purr");
    item(window, "Select All")->trigger();
    EXPECT_EQ(field->selectedText(), "purr");

    item(window, "Close")->trigger();
    EXPECT_FALSE(window.isVisible());
}

} // namespace
} // namespace purlo
