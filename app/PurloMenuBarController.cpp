#include "app/PurloMenuBarController.h"

#include "app/PopoverPlacement.h"
#include "app/PurloSettingsWindowPresenter.h"
#include "companion/PurloTheme.h"
#include "companion/qt/ThemeQColor.h"
#include "ui/PurloIcon.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QScreen>
#include <algorithm>
#include <iostream>

namespace purlo {
namespace {

QRegion roundedRegion(const QSize& size, double radius) {
    QPainterPath path;
    path.addRoundedRect(QRectF(QPointF(0, 0), QSizeF(size)), radius, radius);
    return QRegion(path.toFillPolygon().toPolygon());
}

// A light paw inside a thin dark rim: the tray gives no say over the panel's colour,
// and the pair reads on a dark panel and a light one alike.
QPixmap pawPixmap(int side) {
    const double inset = std::max(1.0, side / 16.0);
    const QSizeF paw(side - 2 * inset, side - 2 * inset);
    const QPixmap rim = purloIcon("pawprint.fill", paw, themeQColor(PurloTheme::ink));
    const QPixmap light = purloIcon("pawprint.fill", paw, themeQColor(PurloTheme::menuText));

    QPixmap outline(side, side);
    outline.fill(Qt::transparent);
    QPainter rimPainter(&outline);
    for (const double dx : {-inset, 0.0, inset}) {
        for (const double dy : {-inset, 0.0, inset}) {
            rimPainter.drawPixmap(QPointF(inset + dx, inset + dy), rim);
        }
    }
    rimPainter.end();

    QPixmap canvas(side, side);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.setOpacity(0.7);
    painter.drawPixmap(0, 0, outline);
    painter.setOpacity(1);
    painter.drawPixmap(QPointF(inset, inset), light);
    return canvas;
}

} // namespace

PurloMenuBarController::PurloMenuBarController(PurloRuntime& runtime, const Clock& clock,
                                               EventLoop& loop, const Appearance& appearance,
                                               QObject* parent)
    : PurloMenuBarController(runtime, clock, loop, appearance, std::cerr, parent) {}

PurloMenuBarController::PurloMenuBarController(PurloRuntime& runtime, const Clock& clock,
                                               EventLoop& loop, const Appearance& appearance,
                                               std::ostream& messages, QObject* parent)
    : QObject(parent)
    , runtime_(runtime)
    , clock_(clock)
    , loop_(loop)
    , appearance_(appearance) {
    statusItem_.setIcon(pawIcon());
    statusItem_.setToolTip(QStringLiteral("Purlo"));
    // A click soon after the one that closed the popover arrives as a double click, and
    // it means open again all the same.
    connect(&statusItem_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) {
                    togglePopover();
                }
            });
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        messages << noTrayMessage << '\n';
    }
    statusItem_.show();
}

PurloMenuBarController::~PurloMenuBarController() {
    if (popover_) {
        popover_->removeEventFilter(this);
    }
}

PurloMenuBarView& PurloMenuBarController::popover() {
    if (popover_) {
        return *popover_;
    }
    // The view closes the popover through the controller that owns it, so the closing
    // action never outlives what it closes.
    PurloRuntime& runtime = runtime_;
    popover_ = std::make_unique<PurloMenuBarView>(
        runtime, clock_, loop_, appearance_,
        PurloMenuBarView::Actions{
            .dismiss = [this] { popover_->hide(); },
            .openSettings =
                [&runtime] { PurloSettingsWindowPresenter::shared().show(std::nullopt, runtime); },
            .quit = [] { QCoreApplication::quit(); },
        });
    popover_->setWindowFlags(Qt::Popup | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint);
    popover_->setAttribute(Qt::WA_NoMouseReplay);
    popover_->installEventFilter(this);
    return *popover_;
}

QIcon PurloMenuBarController::pawIcon() {
    QIcon icon;
    for (const int side : {16, 22, 24, 32, 48, 64}) {
        icon.addPixmap(pawPixmap(side));
    }
    return icon;
}

void PurloMenuBarController::togglePopover() {
    if (isPopoverShown()) {
        popover_->hide();
        return;
    }
    PurloMenuBarView& view = popover();
    anchor_ = anchor();
    placePopover();
    view.show();
    view.raise();
    view.activateWindow();
    view.setFocus(Qt::PopupFocusReason);
}

QRect PurloMenuBarController::anchor() const {
    const QRect icon = statusItem_.geometry();
    if (icon.isValid() && !icon.isEmpty()) {
        return icon;
    }
    return {QCursor::pos(), QSize(1, 1)};
}

void PurloMenuBarController::placePopover() {
    const QScreen* screen = QGuiApplication::screenAt(anchor_.center());
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    const QRect area = screen ? screen->availableGeometry() : QRect(anchor_.center(), QSize());
    popover_->move(popoverOrigin(anchor_, popover_->size(), area));
}

// The popover grows and shrinks as rows come and go; it stays beside the paw and keeps
// its rounded outline.
bool PurloMenuBarController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == popover_.get() && event->type() == QEvent::Resize) {
        popover_->setMask(roundedRegion(popover_->size(), PurloMenuBarView::cornerRadius));
        if (popover_->isVisible()) {
            placePopover();
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace purlo
