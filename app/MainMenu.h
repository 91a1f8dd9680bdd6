#pragma once

#include <QKeySequence>
#include <string>
#include <string_view>
#include <vector>

class QWidget;

namespace purlo {

// What a main-menu item does to the window the user is in.
enum class MainMenuAction { terminate, undo, redo, cut, copy, paste, selectAll, close, separator };

struct MainMenuItem {
    std::string menu; // empty for the application's own menu
    std::string title;
    MainMenuAction action;
    // A letter pressed with Control; an upper-case letter adds Shift.
    std::string keyEquivalent;

    friend bool operator==(const MainMenuItem&, const MainMenuItem&) = default;
};

// The program's main menu, in order: "Quit Purlo"; "Edit" with Undo, Redo, Cut, Copy,
// Paste and Select All; "Window" with Close.
std::vector<MainMenuItem> makeMainMenu();

// The shortcut of a key equivalent: "q" is Ctrl+Q, "Z" is Ctrl+Shift+Z.
QKeySequence shortcutFor(std::string_view keyEquivalent);

// A program without a main window gets no menu bar on Linux, so each of the program's
// own windows carries the main menu's items as shortcuts instead. The editing items act
// on the window's focused text field, when it takes them and has not already handled
// the key itself; Close closes the window; Quit ends the program.
void installMainMenuShortcuts(QWidget& window);

} // namespace purlo
