#pragma once

class QWidget;

namespace purlo {

// Draws widget, its children included, at an opacity from 0 to 1; at 1 it is drawn
// as it is, without the cost of drawing it aside first.
void setWidgetOpacity(QWidget& widget, double opacity);
double widgetOpacity(const QWidget& widget);

} // namespace purlo
