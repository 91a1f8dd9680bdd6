#pragma once

class QWidget;

namespace purlo {

// Centres the window, frame and all, in the free area of the screen it is on, else of
// the primary screen; without any screen it stays where it is.
void centerOnScreen(QWidget& window);

// Shows the window in front of the others and gives it the keyboard.
void bringToFront(QWidget& window);

} // namespace purlo
