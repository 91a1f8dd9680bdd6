#pragma once

class QWidget;

namespace purlo {

// Centres the window, frame and all, in the free area of the screen it is on, else of
// the primary screen; without any screen it stays where it is.
void centerOnScreen(QWidget& window);

// A window of fixed size keeps the height it was designed with where the free area of its
// screen holds it, frame and all, and takes the height there is where it does not.
void fitHeightToScreen(QWidget& window, int designedHeight);

// Whether the window, frame and all, is taller than the free area of its screen.
bool tallerThanScreen(const QWidget& window);

// Shows the window in front of the others and gives it the keyboard.
void bringToFront(QWidget& window);

} // namespace purlo
