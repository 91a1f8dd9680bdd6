#pragma once

#include <QAccessible>
#include <QLatin1StringView>

namespace purlo {

// The object a factory is asked about when it is exactly of the class Widget, else null.
// A class derived from it answers for itself, and Qt asks again with each base class's
// name, so only the widget's own name is answered.
template <typename Widget>
Widget* exactly(const QString& className, QObject* object) {
    auto* widget = qobject_cast<Widget*>(object);
    return widget != nullptr && className == QLatin1StringView(widget->metaObject()->className())
               ? widget
               : nullptr;
}

// An accessibility factory that answers for widgets of exactly the class Widget with an
// Interface made over the widget.
template <typename Widget, typename Interface>
QAccessibleInterface* accessibleOf(const QString& className, QObject* object) {
    Widget* widget = exactly<Widget>(className, object);
    return widget != nullptr ? new Interface(*widget) : nullptr;
}

} // namespace purlo
