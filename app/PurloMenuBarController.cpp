#include "app/PurloMenuBarController.h"

#include "app/PopoverPlacement.h"
#include "app/PurloSettingsWindowPresenter.h"
#include "app/StandardError.h"
#include "ui/PurloAppIcon.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QPainterPath>
#include <QRegion>
#include <QScreen>

namespace purlo {
namespace {

QRegion roundedRegion(const QSize& size, double radius) {
    QPainterPath path;
    path.addRoundedRect(QRectF(QPointF(0, 0), QSizeF(size)), radius, radius);
    return QRegion(path.toFillPolygon().toPolygon());
}

} // namespace

PurloMenuBarController::PurloMenuBarController(PurloRuntime& runtime, const Clock& clock,
                                               EventLoop& loop, const Appearance& appearance,
                                               FixedWindowHints& windowHints, QObject* parent)
    : PurloMenuBarController(runtime, clock, loop, appearance, windowHints, tellOnStandardError,
                             parent) {}

PurloMenuBarController::PurloMenuBarController(PurloRuntime& runtime, const Clock& clock,
                                               EventLoop& loop, const Appearance& appearance,
                                               FixedWindowHints& windowHints, Tell tell,
                                               QObject* parent)
    : QObject(parent)
    , runtime_(runtime)
    , clock_(clock)
    , loop_(loop)
    , appearance_(appearance)
    , windowHints_(windowHints) {
    statusItem_.setIcon(purloAppIcon());
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
        tell(noTrayMessage);
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
    const Appearance& appearance = appearance_;
    FixedWindowHints& windowHints = windowHints_;
    popover_ = std::make_unique<PurloMenuBarView>(
        runtime, clock_, loop_, appearance,
        PurloMenuBarView::Actions{
            .dismiss = [this] { popover_->hide(); },
            .openSettings =
                [this, &runtime, &appearance, &windowHints] {
                    if (openSettings_) {
                        openSettings_();
                    } else {
                        PurloSettingsWindowPresenter::shared().show(std::nullopt, runtime,
                                                                    appearance, windowHints);
                    }
                    if (userReturned_) {
                        userReturned_();
                    }
                },
            .quit = [] { QCoreApplication::quit(); },
            .place = [this](const QSize& size) { return placeFor(size); },
        });
    popover_->setWindowFlags(Qt::Popup | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint);
    popover_->setAttribute(Qt::WA_NoMouseReplay);
    popover_->installEventFilter(this);
    return *popover_;
}

void PurloMenuBarController::togglePopover() {
    if (isPopoverShown()) {
        popover_->hide();
        return;
    }
    // Whatever the user came back for shows first; the popover opens over it.
    if (userReturned_) {
        userReturned_();
    }
    PurloMenuBarView& view = popover();
    anchor_ = anchor();
    opening_ = true;
    view.show();
    opening_ = false;
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

QRect PurloMenuBarController::availableArea() const {
    const QScreen* screen = QGuiApplication::screenAt(anchor_.center());
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    return screen ? screen->availableGeometry() : QRect(anchor_.center(), QSize());
}

QRect PurloMenuBarController::placeFor(const QSize& size) {
    const QRect area = availableArea();
    if (!opening_) {
        return keptOnPanel(panelEdge_, popover_->x(), size, area);
    }
    const QRect opened(popoverOrigin(anchor_, size, area), size);
    panelEdge_ = panelEdge(anchor_, opened);
    return opened;
}

// The popover keeps its rounded outline as it grows and shrinks.
bool PurloMenuBarController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == popover_.get() && event->type() == QEvent::Resize) {
        popover_->setMask(roundedRegion(popover_->size(), PurloMenuBarView::cornerRadius));
    }
    return QObject::eventFilter(watched, event);
}

} // namespace purlo
