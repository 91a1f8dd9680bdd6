#include "platform/qt/QtPointerSource.h"

#include "platform/DesktopCoordinates.h"
#include "platform/qt/QtGeometry.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace purlo {

Point QtPointerSource::location() const {
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary) {
        return Point{};
    }
    const QPoint position = QCursor::pos(primary);
    return globalPointerLocation(
        Point{static_cast<double>(position.x()), static_cast<double>(position.y())},
        rectFromQt(primary->geometry()));
}

} // namespace purlo
