#include "ui/PurloScrollArea.h"

#include "ui/AccessibleFactory.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QScrollBar>

namespace purlo {
namespace {

class ScrollAreaAccessible final : public QAccessibleWidget {
public:
    explicit ScrollAreaAccessible(QScrollArea& area)
        : QAccessibleWidget(&area, QAccessible::Client) {}

    int childCount() const override { return static_cast<int>(children().size()); }
    QAccessibleInterface* child(int index) const override {
        const QWidgetList all = children();
        return index >= 0 && index < all.size() ? QAccessible::queryAccessibleInterface(all[index])
                                                : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child != nullptr ? static_cast<int>(children().indexOf(child->object())) : -1;
    }

private:
    QWidgetList children() const {
        const auto& area = *static_cast<const QScrollArea*>(widget());
        return {area.viewport(), area.horizontalScrollBar()->parentWidget(),
                area.verticalScrollBar()->parentWidget()};
    }
};

} // namespace

PurloScrollArea::PurloScrollArea(QWidget* parent)
    : QScrollArea(parent) {
    // Assistive technology asks one factory list for the whole process.
    static const bool answeredSafely = [] {
        QAccessible::installFactory(accessibleOf<PurloScrollArea, ScrollAreaAccessible>);
        return true;
    }();
    Q_UNUSED(answeredSafely);
}

} // namespace purlo
