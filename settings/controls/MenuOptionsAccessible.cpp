#include "settings/controls/MenuOptionsAccessible.h"

#include "settings/controls/SettingsMenuPicker.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <algorithm>
#include <map>

namespace purlo {
namespace {

class MenuOptionAccessible final : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    MenuOptionAccessible(SettingsMenuPicker& menu, QAbstractItemView& list, int row)
        : menu_(menu)
        , list_(list)
        , row_(row) {}

    bool isValid() const override { return row_ < menu_.count(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return parent()->window(); }

    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(&list_);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name ? menu_.itemText(row_) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        const QRect shown = list_.visualRect(list_.model()->index(row_, menu_.modelColumn()));
        return {list_.viewport()->mapToGlobal(shown.topLeft()), shown.size()};
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    // Selected is what the menu holds, open or closed; focused is the row the keys are on
    // while it is open.
    QAccessible::State state() const override {
        QAccessible::State state;
        state.selectable = true;
        state.selected = row_ == menu_.currentIndex();
        state.focusable = true;
        state.focused = list_.hasFocus() && list_.currentIndex().row() == row_;
        state.invisible = !list_.isVisible();
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction()) {
            menu_.choose(row_);
        }
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    SettingsMenuPicker& menu_;
    QAbstractItemView& list_;
    int row_;
};

class MenuOptionsAccessible final : public QAccessibleWidget {
public:
    MenuOptionsAccessible(SettingsMenuPicker& menu, QAbstractItemView& list)
        : QAccessibleWidget(&list, QAccessible::List)
        , menu_(menu)
        , list_(list) {}
    // The options are Qt's to keep while the list lives, and go with it.
    ~MenuOptionsAccessible() override {
        for (const auto& [row, id] : options_) {
            QAccessible::deleteAccessibleInterface(id);
        }
    }
    MenuOptionsAccessible(const MenuOptionsAccessible&) = delete;
    MenuOptionsAccessible& operator=(const MenuOptionsAccessible&) = delete;

    // The menu's own list, past the window it opens in.
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(&menu_);
    }
    int childCount() const override { return menu_.count(); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) {
            return nullptr;
        }
        if (!options_.contains(index)) {
            options_[index] = QAccessible::registerAccessibleInterface(
                new MenuOptionAccessible(menu_, list_, index));
        }
        return QAccessible::accessibleInterface(options_.at(index));
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto found = std::ranges::find_if(options_, [child](const auto& option) {
            return QAccessible::accessibleInterface(option.second) == child;
        });
        return found != options_.end() ? found->first : -1;
    }

private:
    SettingsMenuPicker& menu_;
    QAbstractItemView& list_;
    // Made as a reader first asks for them; a reader knows an option by its id.
    mutable std::map<int, QAccessible::Id> options_;
};

} // namespace

// Qt makes the list, of a private class, inside a private window of the menu's, and may
// ask for it before the menu knows its list: the menu is found above it.
QAccessibleInterface* accessibleMenuOptions(const QString&, QObject* object) {
    auto* list = qobject_cast<QAbstractItemView*>(object);
    for (QObject* above = list != nullptr ? list->parent() : nullptr; above != nullptr;
         above = above->parent()) {
        if (auto* menu = qobject_cast<SettingsMenuPicker*>(above)) {
            return new MenuOptionsAccessible(*menu, *list);
        }
    }
    return nullptr;
}

} // namespace purlo
