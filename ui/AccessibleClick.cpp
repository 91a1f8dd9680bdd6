#include "ui/AccessibleClick.h"

#include <QAccessibleWidget>

namespace purlo {
namespace {

class ClickedButtonAccessible final : public QAccessibleWidget {
public:
    explicit ClickedButtonAccessible(QAbstractButton& button)
        : QAccessibleWidget(&button, QAccessible::CheckBox)
        , button_(button) {}

    // Named by its text where it has no name of its own, as Qt names a button.
    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name && button_.accessibleName().isEmpty()) {
            return button_.text();
        }
        return QAccessibleWidget::text(kind);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = button_.isChecked();
        state.pressed = button_.isDown();
        return state;
    }
    QStringList actionNames() const override {
        const QStringList own = button_.isEnabled() ? QStringList{toggleAction()} : QStringList();
        return own + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == toggleAction() || action == pressAction()) {
            button_.click();
        } else {
            QAccessibleWidget::doAction(action);
        }
    }

private:
    QAbstractButton& button_;
};

} // namespace

QAccessibleInterface* accessibleClickedButton(QAbstractButton& button) {
    return new ClickedButtonAccessible(button);
}

} // namespace purlo
