#include "settings/controls/WidgetOpacity.h"

#include <QGraphicsOpacityEffect>
#include <QWidget>

namespace purlo {

void setWidgetOpacity(QWidget& widget, double opacity) {
    if (opacity >= 1) {
        widget.setGraphicsEffect(nullptr);
        return;
    }
    auto* effect = qobject_cast<QGraphicsOpacityEffect*>(widget.graphicsEffect());
    if (effect == nullptr) {
        effect = new QGraphicsOpacityEffect(&widget);
        widget.setGraphicsEffect(effect);
    }
    effect->setOpacity(opacity);
}

double widgetOpacity(const QWidget& widget) {
    const auto* effect = qobject_cast<const QGraphicsOpacityEffect*>(widget.graphicsEffect());
    return effect != nullptr ? effect->opacity() : 1.0;
}

} // namespace purlo
