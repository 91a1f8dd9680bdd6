#include "ui/TabOrder.h"

#include <QLayout>
#include <QWidget>
#include <algorithm>
#include <utility>
#include <vector>

namespace purlo {
namespace {

// A widget that hands its focus on is reached where the widget that takes it stands.
bool takesTab(const QWidget& widget) {
    return widget.focusProxy() == nullptr && (widget.focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
}

void addLaidOut(const QLayout& layout, QWidgetList& ordered) {
    for (int index = 0; index < layout.count(); ++index) {
        QLayoutItem& item = *layout.itemAt(index);
        if (QWidget* widget = item.widget()) {
            ordered.push_back(widget);
        } else if (const QLayout* inner = item.layout()) {
            addLaidOut(*inner, ordered);
        }
    }
}

// The children in the order the layout places them, then those it does not place by where
// they stand, top to bottom and then left to right.
QWidgetList childrenAsLaidOut(const QWidget& widget) {
    QWidgetList laidOut;
    if (const QLayout* layout = widget.layout()) {
        addLaidOut(*layout, laidOut);
    }
    QWidgetList placed;
    for (QObject* child : widget.children()) {
        auto* childWidget = qobject_cast<QWidget*>(child);
        if (childWidget != nullptr && !childWidget->isWindow() && !laidOut.contains(childWidget)) {
            placed.push_back(childWidget);
        }
    }
    std::ranges::stable_sort(
        placed, {}, [](const QWidget* child) { return std::pair(child->y(), child->x()); });
    return laidOut + placed;
}

// The controls under widget that Tab stops at, in order, with the focused widget in its
// place whether Tab stops at it or not.
void collectStops(const QWidget& window, QWidget& widget, const QWidget* focused,
                  std::vector<QWidget*>& stops) {
    if (!widget.isVisibleTo(&window) || !widget.isEnabled()) {
        return;
    }
    if (&widget == focused || (&widget != &window && takesTab(widget))) {
        stops.push_back(&widget);
    }
    for (QWidget* child : childrenAsLaidOut(widget)) {
        collectStops(window, *child, focused, stops);
    }
}

} // namespace

bool moveFocusAsLaidOut(QWidget& window, bool next) {
    QWidget* focused = window.focusWidget();
    std::vector<QWidget*> stops;
    collectStops(window, window, focused, stops);
    // The way on from the focused widget, all round: the focused one first, then the rest.
    const auto from = std::ranges::find(stops, focused);
    const bool hasFocused = from != stops.end();
    if (hasFocused) {
        std::ranges::rotate(stops, from);
    }
    const auto way = std::ranges::subrange(stops.begin() + (hasFocused ? 1 : 0), stops.end());
    if (!next) {
        std::ranges::reverse(way);
    }
    if (way.empty()) {
        return hasFocused && takesTab(*focused);
    }
    way.front()->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

} // namespace purlo
