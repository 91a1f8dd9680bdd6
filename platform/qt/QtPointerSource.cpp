#include "platform/qt/QtPointerSource.h"

#include "platform/DesktopCoordinates.h"
#include "platform/qt/QtGeometry.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace purlo {
namespace {

// A device pixel in Qt's points, the way Qt turns its own pointer readings: by the
// screen the pixel lies on, scaled about that screen's top-left corner, which device
// pixels and points share.
QPointF pointsOfDevicePixel(Point pixel, const QScreen& fallback) {
    const QPointF position(pixel.x, pixel.y);
    const QScreen* found = &fallback;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRectF points = screen->geometry();
        const QRectF pixels(points.topLeft(), points.size() * screen->devicePixelRatio());
        if (pixels.contains(position)) {
            found = screen;
            break;
        }
    }
    const QPointF origin = found->geometry().topLeft();
    return (position - origin) / found->devicePixelRatio() + origin;
}

} // namespace

QtPointerSource::QtPointerSource(DevicePosition devicePosition)
    : devicePosition_(std::move(devicePosition)) {}

Point QtPointerSource::location() const {
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary) {
        return Point{};
    }
    const std::optional<Point> device = devicePosition_ ? devicePosition_() : std::nullopt;
    const QPoint position =
        device ? pointsOfDevicePixel(*device, *primary).toPoint() : QCursor::pos(primary);
    return globalPointerLocation(
        Point{static_cast<double>(position.x()), static_cast<double>(position.y())},
        rectFromQt(primary->geometry()));
}

} // namespace purlo
