#include "settings/SettingsWindowChrome.h"

#include "settings/SettingsToolbar.h"

#include <QAction>
#include <QEvent>
#include <QToolBar>

namespace purlo {
namespace {

// A Qt toolbar's actions as toolbar items, each identified by its object name.
class QtToolbarItems final : public SettingsToolbar {
public:
    explicit QtToolbarItems(QToolBar& toolbar)
        : toolbar_(toolbar) {}

    std::vector<std::string> itemIdentifiers() const override {
        std::vector<std::string> identifiers;
        for (const QAction* action : toolbar_.actions()) {
            identifiers.push_back(action->objectName().toStdString());
        }
        return identifiers;
    }

    void removeItem(std::size_t index) override {
        const QList<QAction*> actions = toolbar_.actions();
        if (index < static_cast<std::size_t>(actions.size())) {
            toolbar_.removeAction(actions[static_cast<qsizetype>(index)]);
        }
    }

private:
    QToolBar& toolbar_;
};

} // namespace

SettingsWindowChrome::SettingsWindowChrome(QWidget* parent)
    : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    resize(0, 0);
    refresh();
}

// The later pass is posted to this view: when the view is gone by then, so is the pass,
// so it never keeps a closed window's content alive nor reaches into it.
void SettingsWindowChrome::refresh() {
    removeSidebarToggle();
    QMetaObject::invokeMethod(
        this, [this] { removeSidebarToggle(); }, Qt::QueuedConnection);
}

bool SettingsWindowChrome::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::ParentChange) {
        refresh();
    }
    return handled;
}

// A view on its own is in no window; a window's toolbar is one of its own children.
void SettingsWindowChrome::removeSidebarToggle() {
    if (parentWidget() == nullptr) {
        return;
    }
    auto* toolbar = window()->findChild<QToolBar*>(QString(), Qt::FindDirectChildrenOnly);
    if (toolbar == nullptr) {
        return;
    }
    QtToolbarItems items(*toolbar);
    purlo::removeSidebarToggle(items);
}

} // namespace purlo
