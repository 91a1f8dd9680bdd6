#pragma once

#include <QAccessible>
#include <QLatin1StringView>

namespace purlo {

// An accessibility factory that answers for widgets of exactly the class Widget with an
// Interface made over the widget; a class derived from it answers for itself, and Qt asks
// again with each base class's name, so only the widget's own name is answered.
template <typename Widget, typename Interface>
QAccessibleInterface* accessibleOf(const QString& className, QObject* object) {
    auto* widget = qobject_cast<Widget*>(object);
    if (widget == nullptr || className != QLatin1StringView(widget->metaObject()->className())) {
        return nullptr;
    }
    return new Interface(*widget);
}

} // namespace purlo
