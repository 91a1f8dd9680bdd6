#include "companion/qt/CompanionView.h"

#include "companion/CompanionViewLayout.h"
#include "platform/DesktopCoordinates.h"
#include "platform/qt/QtGeometry.h"
#include "runtime/PurloRuntime.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace purlo {
namespace {

QRect widgetRect(const CanvasRect& rect) {
    return QRect(static_cast<int>(std::lround(rect.x)), static_cast<int>(std::lround(rect.y)),
                 static_cast<int>(std::lround(rect.width)),
                 static_cast<int>(std::lround(rect.height)));
}

QString qtText(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The pointer as the runtime measures it, so a drag's grab offset is taken in one space.
Point desktopPoint(QPointF globalPosition) {
    const QScreen* primary = QGuiApplication::primaryScreen();
    const Rect primaryFrame = primary ? rectFromQt(primary->geometry()) : Rect{};
    return globalPointerLocation(
        Point{std::floor(globalPosition.x()), std::floor(globalPosition.y())}, primaryFrame);
}

} // namespace

CompanionView::CompanionView(PurloRuntime& runtime, const CompanionViewModel& viewModel,
                             EventLoop& loop, std::function<void()> openAppearanceSettings,
                             QWidget* parent)
    : QWidget(parent)
    , loop_(loop)
    , viewModel_(viewModel) {
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedSize(static_cast<int>(CompanionViewLayout::panelWidth),
                 static_cast<int>(CompanionViewLayout::windowHeight));

    const CompanionViewModel::Snapshot& first = *viewModel.snapshot();
    cat_ = new PixelCatView(first.displayScene(), first.skin, first.pattern, first.eyeColor,
                            first.accessory, this);
    // The window and this view are clear and paint nothing of their own beneath her.
    cat_->setClearGround(true);
    timerLabel_ = new CompanionTimerLabel(this);
    timerLabel_->hide();
    bubble_ = new CompanionBubble(CompanionMessage{}, CompanionBubble::defaultCornerRadius,
                                  CompanionBubble::defaultLineWidth, this);
    bubble_->setPresentation(0, bubbleTransition_.scale());
    bubble_->hide();
    mouseLayer_ = new CompanionMouseEventLayer(
        loop, desktopPoint, CompanionMouseEventLayer::systemDoubleClickInterval, this);
    mouseLayer_->setGeometry(rect());
    mouseLayer_->setActions(CompanionMouseActions{
        .currentOrigin = [&runtime] { return runtime.scene()->position; },
        .onSingleClick = std::move(openAppearanceSettings),
        .onDoubleClick = [&runtime] { runtime.pet(); },
        .onHover = [this](bool hovering) { setPointerHovering(hovering); },
        .onDragBegan = [&runtime] { runtime.companionDragBegan(); },
        .onDragMoved = [&runtime](double x, double y) { runtime.companionDragMoved(x, y); },
        .onDragEnded = [&runtime] { runtime.companionDragEnded(); },
    });

    snapshotSubscription_ = viewModel.snapshot().subscribe(
        [this](const CompanionViewModel::Snapshot& snapshot) { render(snapshot); });
}

void CompanionView::clearHover() {
    mouseLayer_->forgetHover();
}

void CompanionView::setReduceMotion(bool reduceMotion) {
    cat_->setReduceMotion(reduceMotion);
}

void CompanionView::setPointerHovering(bool hovering) {
    if (hovering == pointerHovering_) {
        return;
    }
    pointerHovering_ = hovering;
    const CompanionViewModel::Snapshot& snapshot = *viewModel_.snapshot();
    showBubble(snapshot.bubbleMessage(pointerHovering_),
               CompanionViewLayout::effectiveScale(snapshot.scale, snapshot.companionScale));
}

void CompanionView::render(const CompanionViewModel::Snapshot& snapshot) {
    const double s = CompanionViewLayout::effectiveScale(snapshot.scale, snapshot.companionScale);

    const QRect area = widgetRect(CompanionViewLayout::catViewArea(s));
    const CanvasRect frame = CompanionViewLayout::catFrame();
    cat_->setGeometry(area);
    cat_->setFrame(QRectF(frame.x - area.x(), frame.y - area.y(), frame.width, frame.height), s);
    cat_->setScene(snapshot.displayScene());
    cat_->setLook(CatLook{snapshot.skin, snapshot.pattern, snapshot.eyeColor, snapshot.accessory});
    cat_->setAccessibleName(qtText(snapshot.accessibilityLabel()));

    if (snapshot.timerLabel) {
        timerLabel_->setText(qtText(*snapshot.timerLabel));
        const QSize size = timerLabel_->sizeHint();
        timerLabel_->setGeometry(
            widgetRect(CompanionViewLayout::timerLabelFrame(size.width(), size.height())));
        timerLabel_->show();
    } else {
        timerLabel_->hide();
    }

    showBubble(snapshot.bubbleMessage(pointerHovering_), s);
}

void CompanionView::showBubble(const std::optional<CompanionMessage>& message, double scale) {
    if (message) {
        // A new text while the bubble is there simply takes its place; only coming and
        // going move on the spring.
        bubble_->setMessage(*message);
        bubbleTransition_.retarget(1);
        bubble_->show();
    } else if (bubble_->isHidden()) {
        // Gone already: nothing to fade and nothing to place.
        return;
    } else {
        // The text stays while the bubble fades.
        bubbleTransition_.retarget(0);
    }
    placeBubble(scale);
    if (!bubbleTransition_.isSettled() && !bubbleStepper_.isActive()) {
        bubbleStepper_ = loop_.scheduleRepeating(bubbleStepInterval, [this] { stepBubble(); });
    }
}

void CompanionView::placeBubble(double scale) {
    const int height = bubble_->heightForWidth(width());
    const CompanionBubbleLayout layout = bubble_->layoutFor(width());
    const double top =
        CompanionViewLayout::bubbleBottom(scale) - (layout.body.y + layout.body.height);
    bubble_->setGeometry(0, static_cast<int>(std::lround(top)), width(), height);
}

void CompanionView::stepBubble() {
    bubbleTransition_.advance(bubbleStepInterval);
    bubble_->setPresentation(bubbleTransition_.opacity(), bubbleTransition_.scale());
    if (!bubbleTransition_.isSettled()) {
        return;
    }
    bubbleStepper_.cancel();
    if (bubbleTransition_.target() == 0) {
        bubble_->hide();
    }
}

} // namespace purlo
