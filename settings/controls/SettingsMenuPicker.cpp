#include "settings/controls/SettingsMenuPicker.h"

#include "settings/controls/MenuOptionsAccessible.h"
#include "ui/AccessibleFactory.h"
#include "ui/AccessibleTextItems.h"
#include "ui/FocusRing.h"
#include "ui/KitFont.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QWheelEvent>
#include <utility>

namespace purlo {
namespace {

// The rounding of the style's menu face, which the focus ring follows.
constexpr double focusCornerRadius = 4;

// How a screen reader meets the menu: by its title, as the row shows it, with the chosen
// option as its value and as its text. Qt's own combo box answers with the chosen option as
// its name on Linux, so "Stripes, combo box" would be heard rather than "Pattern"; and Qt's
// bridge there hands a reader no value of a combo box, so the chosen option is also the
// menu's text, a line that cannot be edited.
class TitledMenuAccessible final : public QAccessibleWidget, public AccessibleTextItems {
public:
    explicit TitledMenuAccessible(QComboBox& menu)
        : QAccessibleWidget(&menu, QAccessible::ComboBox) {}

    QString text(QAccessible::Text kind) const override {
        switch (kind) {
        case QAccessible::Name:
            return widget()->accessibleName();
        case QAccessible::Value:
            return menu().currentText();
        default:
            return QAccessibleWidget::text(kind);
        }
    }

    // The list of options, as it opens.
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(menu().view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child != nullptr && child->object() == menu().view() ? 0 : -1;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface*>(this)
                                                  : QAccessibleWidget::interface_cast(type);
    }
    QString text(int start, int end) const override {
        return menu().currentText().mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(menu().currentText().size()); }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    int selectionCount() const override { return 0; }
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

    QStringList actionNames() const override {
        return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == showMenuAction() || action == pressAction()) {
            menu().showPopup();
        } else {
            QAccessibleWidget::doAction(action);
        }
    }

private:
    QComboBox& menu() const { return *static_cast<QComboBox*>(widget()); }
};

} // namespace

SettingsMenuPicker::SettingsMenuPicker(const QString& title, OptionList options, QWidget* parent)
    : QComboBox(parent)
    , selection_(std::move(options.selection)) {
    // Assistive technology asks one factory list for the whole process.
    static const bool titledForAssistiveTechnology = [] {
        QAccessible::installFactory(accessibleOf<SettingsMenuPicker, TitledMenuAccessible>);
        QAccessible::installFactory(accessibleMenuOptions);
        return true;
    }();
    Q_UNUSED(titledForAssistiveTechnology);
    setAccessibleName(title);
    setFont(kitFont(13.5));
    for (const std::string& option : options.titles) {
        addItem(QString::fromStdString(option));
    }
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
    setMinimumWidth(minimumPickerWidth);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    // The style's own menu shows no focus: the kit's ring goes round it.
    showFocusAround(*this, *this, focusCornerRadius);
    // Only the user's choice writes; showing the stored option does not.
    connect(this, &QComboBox::activated, this, &SettingsMenuPicker::choose);
    refresh();
    // Qt tells a reader that the chosen option changed, as the value of the menu; a reader
    // that keeps the menu's text is told here what it now reads instead.
    connect(this, &QComboBox::currentTextChanged, this,
            [this, heard = currentText()](const QString& shown) mutable {
                QAccessibleTextUpdateEvent update(this, 0, std::exchange(heard, shown), shown);
                QAccessible::updateAccessibility(&update);
            });
}

void SettingsMenuPicker::refresh() {
    setCurrentIndex(selection_());
}

void SettingsMenuPicker::choose(int index) {
    hidePopup();
    selection_.set(index);
    refresh();
}

void SettingsMenuPicker::wheelEvent(QWheelEvent* event) {
    event->ignore();
}

} // namespace purlo
