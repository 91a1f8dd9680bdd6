#include "tests/app/MenuBarHarness.h"
#include "tests/ui/WidgetDriving.h"
#include "ui/MenuRow.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace purlo {
namespace {

using Titles = std::vector<std::string>;

// The popover opened from the paw, as a keyboard or screen-reader user finds it.
struct OpenPopover : testing::MenuBarHarness {
    OpenPopover() {
        testing::movePointerAway();
        controller.togglePopover();
    }
    PurloMenuBarView& popover() { return controller.popover(); }
    // A key as the window system hands it to the popover's window.
    void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        const QString text = key == Qt::Key_Space ? QStringLiteral(" ") : QString();
        QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
        QApplication::sendEvent(popover().windowHandle(), &press);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
        QApplication::sendEvent(popover().windowHandle(), &release);
    }
    std::string focusedRow() const {
        const auto* row = qobject_cast<const MenuRow*>(QApplication::focusWidget());
        return row != nullptr ? row->text().toStdString() : "";
    }
};

// What a screen reader finds of one shown thing.
struct Found {
    QAccessible::Role role;
    std::string name;
    std::string description;

    friend bool operator==(const Found&, const Found&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Found& found) {
        return out << found.role << " \"" << found.name << "\" \"" << found.description << '"';
    }
};

// The texts and buttons shown under node, in the order they are read.
void readOut(QAccessibleInterface& node, std::vector<Found>& found) {
    for (int index = 0; index < node.childCount(); ++index) {
        QAccessibleInterface* child = node.child(index);
        if (child == nullptr || child->state().invisible) {
            continue;
        }
        if (child->role() == QAccessible::StaticText || child->role() == QAccessible::Button) {
            found.push_back({child->role(), child->text(QAccessible::Name).toStdString(),
                             child->text(QAccessible::Description).toStdString()});
        }
        readOut(*child, found);
    }
}

// The program's windows with that name, as assistive technology lists them.
std::vector<QAccessibleInterface*> programWindows(const QString& name) {
    std::vector<QAccessibleInterface*> windows;
    QAccessibleInterface* program = QAccessible::queryAccessibleInterface(qApp);
    for (int index = 0; program != nullptr && index < program->childCount(); ++index) {
        QAccessibleInterface* window = program->child(index);
        if (window != nullptr && window->text(QAccessible::Name) == name) {
            windows.push_back(window);
        }
    }
    return windows;
}

TEST(PopoverWithoutAMouse, TheOpenPopoverIsAWindowOfTheProgramWithItsHeaderAndRowsNamed) {
    using Role = QAccessible::Role;
    OpenPopover open;
    testing::press(open.popover(), "Nap");
    const auto windows = programWindows("Purlo");
    ASSERT_EQ(windows.size(), 1u) << "the open popover is among the program's windows";
    QAccessibleInterface& window = *windows.front();
    EXPECT_EQ(window.role(), Role::Window);
    EXPECT_EQ(window.object(), &open.popover());
    EXPECT_EQ(QAccessible::queryAccessibleInterface(qApp)->indexOfChild(&window),
              QAccessible::queryAccessibleInterface(qApp)->childCount() - 1);
    EXPECT_EQ(window.parent(), QAccessible::queryAccessibleInterface(qApp));

    std::vector<Found> found;
    readOut(window, found);
    const std::vector<Found> expected{
        {Role::StaticText, "Purlo", ""},
        {Role::StaticText, "purring along", ""},
        {Role::Button, "Hide Purlo", "Ctrl+H"},
        {Role::Button, "Pet Purlo", ""},
        {Role::Button, "Agent done", ""},
        {Role::Button, "Mark small win", ""},
        {Role::Button, "Nap", ""},
        {Role::Button, "Quick catnap · 20m", ""},
        {Role::Button, "Proper nap · 1h", ""},
        {Role::Button, "Until I wake her", ""},
        {Role::Button, "Stretch now", ""},
        {Role::Button, "Reset position", ""},
        {Role::Button, "Start focus", ""},
        {Role::Button, "Settings…", "Ctrl+,"},
        {Role::Button, "Quit Purlo", "Ctrl+Q"},
    };
    EXPECT_EQ(found, expected);

    open.controller.togglePopover();
    EXPECT_TRUE(programWindows("Purlo").empty()) << "a closed popover is no window";
}

TEST(PopoverWithoutAMouse, TheKeysMoveOneHighlightOverTheRowsAndReturnOrSpaceRunsTheRow) {
    OpenPopover open;
    PurloMenuBarView& popover = open.popover();
    EXPECT_EQ(open.focusedRow(), "") << "opened with the mouse, no row is chosen";
    EXPECT_EQ(testing::litRows(popover), Titles{});
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        const char* focused;
    } steps[] = {
        {Qt::Key_Down, Qt::NoModifier, "Hide Purlo"},
        {Qt::Key_Up, Qt::NoModifier, "Quit Purlo"},
        {Qt::Key_Down, Qt::NoModifier, "Hide Purlo"},
        {Qt::Key_Tab, Qt::NoModifier, "Pet Purlo"},
        {Qt::Key_Tab, Qt::NoModifier, "Agent done"},
        {Qt::Key_Backtab, Qt::ShiftModifier, "Pet Purlo"},
        {Qt::Key_Down, Qt::NoModifier, "Agent done"},
        {Qt::Key_Down, Qt::NoModifier, "Mark small win"},
        {Qt::Key_Down, Qt::NoModifier, "Nap"},
        {Qt::Key_Return, Qt::NoModifier, "Nap"},
        {Qt::Key_Down, Qt::NoModifier, "Quick catnap · 20m"},
        // The nap starts, the choices fold, and the highlight stays in the nap's place.
        {Qt::Key_Return, Qt::NoModifier, "Wake Purlo"},
        {Qt::Key_Up, Qt::NoModifier, "Mark small win"},
        {Qt::Key_Space, Qt::NoModifier, "Mark small win"},
    };
    for (const auto& [key, modifiers, focused] : steps) {
        open.key(key, modifiers);
        EXPECT_EQ(open.focusedRow(), focused) << focused;
        EXPECT_EQ(testing::litRows(popover), Titles{focused}) << focused;
    }
    const PurloSettings& settings = open.harness.settings();
    ASSERT_TRUE(settings.nap.until.has_value()) << "Return on \"Quick catnap\" starts the nap";
    EXPECT_EQ(std::lround(settings.nap.until->secondsSinceReferenceDate -
                          open.harness.clock.now().secondsSinceReferenceDate),
              20 * 60);
    EXPECT_EQ(settings.completionStreak.totalCompletions, 1) << "Space logged the win once";
    EXPECT_EQ(popover.statusText(), "proud of you!");
}

TEST(PopoverWithoutAMouse, ThePointerAndTheKeysShareOneHighlight) {
    OpenPopover open;
    PurloMenuBarView& popover = open.popover();
    const auto pointAt = [&](const QString& title) {
        const QAbstractButton* row = testing::button(popover, title);
        testing::pointAt(row->mapToGlobal(row->rect().center()));
    };
    pointAt("Agent done");
    EXPECT_EQ(testing::litRows(popover), Titles{"Agent done"});
    open.key(Qt::Key_Down);
    EXPECT_EQ(open.focusedRow(), "Mark small win") << "the keys go on from the pointer's row";
    EXPECT_EQ(testing::litRows(popover), Titles{"Mark small win"});
    pointAt("Stretch now");
    EXPECT_EQ(testing::litRows(popover), Titles{"Stretch now"}) << "the pointer takes it back";
    open.key(Qt::Key_Up);
    EXPECT_EQ(open.focusedRow(), "Nap");
    EXPECT_EQ(testing::litRows(popover), Titles{"Nap"});
    testing::movePointerAway();
}

} // namespace
} // namespace purlo
