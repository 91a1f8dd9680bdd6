#include "platform/qt/DesktopPanel.h"

#include "platform/DesktopCoordinates.h"
#include "platform/qt/QtGeometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <cmath>

namespace purlo {
namespace {

// X11 keeps window positions in 16 bits.
constexpr double farthestCoordinate = 32767;

Qt::WindowFlags panelFlags(DesktopPanel::Level level, bool ignoresMouseEvents) {
    Qt::WindowFlags flags = Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                            Qt::NoDropShadowWindowHint;
    flags |= level == DesktopPanel::Level::desktop ? Qt::WindowStaysOnBottomHint
                                                   : Qt::WindowStaysOnTopHint;
    if (ignoresMouseEvents) {
        flags |= Qt::WindowTransparentForInput;
    }
    return flags;
}

Rect primaryScreenGeometry() {
    const QScreen* primary = QGuiApplication::primaryScreen();
    return primary ? rectFromQt(primary->geometry()) : Rect{};
}

int windowCoordinate(double value) {
    return static_cast<int>(
        std::lround(std::clamp(value, -farthestCoordinate, farthestCoordinate)));
}

} // namespace

DesktopPanel::DesktopPanel(Size size, bool ignoresMouseEvents, PanelHints& hints, QWidget* parent)
    : QWidget(parent, panelFlags(Level::floating, ignoresMouseEvents))
    , hints_(hints) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_X11DoNotAcceptFocus);
    setFixedSize(static_cast<int>(size.width), static_cast<int>(size.height));
    // The native window exists from here on, so later flag changes never replace it.
    winId();
}

void DesktopPanel::applyFlags(Qt::WindowFlags flags) {
    if (flags == windowFlags()) {
        return;
    }
    overrideWindowFlags(flags);
    if (QWindow* window = windowHandle()) {
        window->setFlags(flags);
    }
}

void DesktopPanel::setLevel(Level level) {
    if (level == level_) {
        return;
    }
    level_ = level;
    applyFlags(panelFlags(level_, ignoresMouseEvents()));
}

bool DesktopPanel::ignoresMouseEvents() const {
    return windowFlags().testFlag(Qt::WindowTransparentForInput);
}

void DesktopPanel::setIgnoresMouseEvents(bool ignores) {
    applyFlags(panelFlags(level_, ignores));
}

void DesktopPanel::setInputArea(QRect area) {
    if (inputArea_ == area) {
        return;
    }
    inputArea_ = area;
    // Outward to whole device pixels, so no point of the area is left out.
    const double density = devicePixelRatioF();
    const int left = static_cast<int>(std::floor(area.x() * density));
    const int top = static_cast<int>(std::floor(area.y() * density));
    const int right = static_cast<int>(std::ceil((area.x() + area.width()) * density));
    const int bottom = static_cast<int>(std::ceil((area.y() + area.height()) * density));
    hints_.setInputArea(static_cast<std::uint64_t>(winId()),
                        PixelArea{left, top, right - left, bottom - top});
}

Point DesktopPanel::origin() const {
    const Rect topDown{{static_cast<double>(x()), static_cast<double>(y())},
                       {static_cast<double>(width()), static_cast<double>(height())}};
    return globalRect(topDown, primaryScreenGeometry()).origin;
}

void DesktopPanel::setOrigin(Point origin) {
    if (!std::isfinite(origin.x) || !std::isfinite(origin.y)) {
        return;
    }
    const Rect global{origin, {static_cast<double>(width()), static_cast<double>(height())}};
    const Rect topDown = topDownRect(global, primaryScreenGeometry());
    const QPoint place(windowCoordinate(topDown.origin.x), windowCoordinate(topDown.origin.y));
    if (place != pos()) {
        move(place);
    }
}

void DesktopPanel::showPrepared() {
    if (!isVisible()) {
        hints_.prepare(static_cast<std::uint64_t>(winId()));
        show();
    }
}

void DesktopPanel::orderFront() {
    showPrepared();
    if (level_ == Level::floating) {
        raise();
    }
}

void DesktopPanel::orderFrontRegardless() {
    showPrepared();
    raise();
}

void DesktopPanel::orderOut() {
    if (isVisible()) {
        hide();
    }
}

} // namespace purlo
