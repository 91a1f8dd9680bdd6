#include "app/MainMenu.h"

#include <QAction>
#include <QCoreApplication>
#include <QMetaObject>
#include <QWidget>
#include <cctype>

namespace purlo {
namespace {

// The slot of the focused widget that carries out an editing item.
const char* editingSlot(MainMenuAction action) {
    switch (action) {
    case MainMenuAction::undo:
        return "undo";
    case MainMenuAction::redo:
        return "redo";
    case MainMenuAction::cut:
        return "cut";
    case MainMenuAction::copy:
        return "copy";
    case MainMenuAction::paste:
        return "paste";
    case MainMenuAction::selectAll:
        return "selectAll";
    case MainMenuAction::terminate:
    case MainMenuAction::separator:
    case MainMenuAction::close:
        break;
    }
    return nullptr;
}

void perform(MainMenuAction action, QWidget& window) {
    if (action == MainMenuAction::terminate) {
        QCoreApplication::quit();
        return;
    }
    if (action == MainMenuAction::close) {
        window.close();
        return;
    }
    QWidget* focused = window.focusWidget();
    const char* slot = editingSlot(action);
    if (!focused || !slot) {
        return;
    }
    const QByteArray signature = QByteArray(slot) + "()";
    if (focused->metaObject()->indexOfMethod(signature.constData()) >= 0) {
        QMetaObject::invokeMethod(focused, slot);
    }
}

} // namespace

std::vector<MainMenuItem> makeMainMenu() {
    using enum MainMenuAction;
    return {
        {"", "Quit Purlo", terminate, "q"}, {"Edit", "Undo", undo, "z"},
        {"Edit", "Redo", redo, "Z"},        {"Edit", "", separator, ""},
        {"Edit", "Cut", cut, "x"},          {"Edit", "Copy", copy, "c"},
        {"Edit", "Paste", paste, "v"},      {"Edit", "Select All", selectAll, "a"},
        {"Window", "Close", close, "w"},
    };
}

QKeySequence shortcutFor(std::string_view keyEquivalent) {
    if (keyEquivalent.size() != 1 || !std::isalpha(static_cast<unsigned char>(keyEquivalent[0]))) {
        return {};
    }
    const char letter = keyEquivalent[0];
    const auto key = static_cast<Qt::Key>(Qt::Key_A + (std::toupper(letter) - 'A'));
    const Qt::KeyboardModifiers modifiers = std::isupper(static_cast<unsigned char>(letter))
                                                ? Qt::ControlModifier | Qt::ShiftModifier
                                                : Qt::ControlModifier;
    return QKeySequence(QKeyCombination(modifiers, key));
}

void installMainMenuShortcuts(QWidget& window) {
    for (const MainMenuItem& item : makeMainMenu()) {
        if (item.action == MainMenuAction::separator) {
            continue;
        }
        auto* action = new QAction(QString::fromStdString(item.title), &window);
        action->setShortcut(shortcutFor(item.keyEquivalent));
        action->setShortcutContext(Qt::WindowShortcut);
        QObject::connect(action, &QAction::triggered, &window,
                         [&window, what = item.action] { perform(what, window); });
        window.addAction(action);
    }
}

} // namespace purlo
