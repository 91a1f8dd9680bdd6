#include "platform/qt/QtScreenSource.h"

#include "platform/DesktopCoordinates.h"
#include "platform/qt/QtGeometry.h"

#include <QGuiApplication>
#include <QScreen>

namespace purlo {

std::vector<Rect> QtScreenSource::visibleFrames() const {
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary) {
        return {};
    }
    const Rect primaryFrame = rectFromQt(primary->geometry());
    std::vector<Rect> frames;
    for (const QScreen* screen : QGuiApplication::screens()) {
        frames.push_back(globalRect(rectFromQt(screen->availableGeometry()), primaryFrame));
    }
    return frames;
}

} // namespace purlo
