#include "ui/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace purlo {
namespace {

// The screen the window is on, else the primary one; null without any screen.
const QScreen* screenOf(const QWidget& window) {
    const QScreen* screen = window.screen();
    return screen != nullptr ? screen : QGuiApplication::primaryScreen();
}

// The height the window itself may take there: the free area's, less the frame's.
int roomOnScreen(const QWidget& window, const QScreen& screen) {
    const int frame = window.frameGeometry().height() - window.height();
    return screen.availableGeometry().height() - frame;
}

} // namespace

void centerOnScreen(QWidget& window) {
    const QScreen* screen = screenOf(window);
    if (screen == nullptr) {
        return;
    }
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

void fitHeightToScreen(QWidget& window, int designedHeight) {
    if (const QScreen* screen = screenOf(window)) {
        window.setFixedHeight(std::min(designedHeight, roomOnScreen(window, *screen)));
    }
}

bool tallerThanScreen(const QWidget& window) {
    const QScreen* screen = screenOf(window);
    return screen != nullptr && window.height() > roomOnScreen(window, *screen);
}

void bringToFront(QWidget& window) {
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace purlo
