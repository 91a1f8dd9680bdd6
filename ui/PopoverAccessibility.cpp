#include "ui/PopoverAccessibility.h"

#include "ui/AccessibleFactory.h"
#include "ui/MenuLine.h"
#include "ui/PurloMenuBarView.h"

#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QGuiApplication>
#include <QWindow>
#include <algorithm>

namespace purlo {
namespace {

// The popups that are windows to assistive technology, while they show.
QList<QAccessibleInterface*> shownPopupWindows() {
    QList<QAccessibleInterface*> windows;
    for (QWindow* window : QGuiApplication::topLevelWindows()) {
        if (window->type() != Qt::Popup) {
            continue;
        }
        QAccessibleInterface* root = window->accessibleRoot();
        if (root != nullptr && root->role() == QAccessible::Window && !root->state().invisible) {
            windows.push_back(root);
        }
    }
    return windows;
}

// The program: the windows Qt lists, then the popups that are windows.
class ProgramAccessible final : public QAccessibleApplication {
public:
    int childCount() const override {
        return QAccessibleApplication::childCount() + static_cast<int>(shownPopupWindows().size());
    }

    QAccessibleInterface* child(int index) const override {
        const int windows = QAccessibleApplication::childCount();
        if (index < windows) {
            return QAccessibleApplication::child(index);
        }
        const QList<QAccessibleInterface*> popups = shownPopupWindows();
        return index - windows < popups.size() ? popups.at(index - windows) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        if (const int window = QAccessibleApplication::indexOfChild(child); window >= 0) {
            return window;
        }
        const QList<QAccessibleInterface*> popups = shownPopupWindows();
        const auto popup = std::find(popups.begin(), popups.end(), child);
        return popup == popups.end() ? -1
                                     : QAccessibleApplication::childCount() +
                                           static_cast<int>(popup - popups.begin());
    }
};

QAccessibleInterface* popoverAccessible(const QString& className, QObject* object) {
    if (object == qApp && className == QLatin1StringView(qApp->metaObject()->className())) {
        return new ProgramAccessible;
    }
    if (auto* popover = exactly<PurloMenuBarView>(className, object)) {
        return new QAccessibleWidget(popover, QAccessible::Window);
    }
    if (auto* line = exactly<MenuLine>(className, object)) {
        return new QAccessibleWidget(line, QAccessible::StaticText);
    }
    return nullptr;
}

} // namespace

void presentPopoverToAssistiveTechnology() {
    // Assistive technology asks one factory list for the whole process.
    static const bool presented = [] {
        QAccessible::installFactory(popoverAccessible);
        // Qt may have answered for the program before the factory was there: that answer
        // is let go, and the next question gets the program's own.
        QAccessibleInterface* program = QAccessible::queryAccessibleInterface(qApp);
        if (program != nullptr && dynamic_cast<ProgramAccessible*>(program) == nullptr) {
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(program));
        }
        return true;
    }();
    Q_UNUSED(presented);
}

void announcePopoverWindow(QWidget& popover, bool open) {
    if (open) {
        QAccessibleEvent added(&popover, QAccessible::ObjectCreated);
        QAccessible::updateAccessibility(&added);
    }
    QAccessible::State active;
    active.active = true;
    QAccessibleStateChangeEvent activation(&popover, active);
    QAccessible::updateAccessibility(&activation);
    if (!open) {
        QAccessibleEvent removed(&popover, QAccessible::ObjectDestroyed);
        QAccessible::updateAccessibility(&removed);
    }
}

} // namespace purlo
