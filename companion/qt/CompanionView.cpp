#include "companion/qt/CompanionView.h"

#include "companion/CompanionViewLayout.h"
#include "companion/ToolkitSourceOver.h"
#include "platform/DesktopCoordinates.h"
#include "platform/qt/QtGeometry.h"
#include "runtime/PurloRuntime.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <algorithm>
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

// Whether picture can be laid as the toolkit lays it at rest, at this many pixels to a point.
bool laidAsItIs(const QImage* picture, int scale) {
    return picture != nullptr && picture->format() == QImage::Format_ARGB32_Premultiplied &&
           picture->devicePixelRatio() == scale;
}

// Lays the part of picture (in its own pixels) over composed with its top-left corner at
// corner, as far as composed reaches.
void layPicture(const PixelBuffer& composed, const QImage& picture, QPoint corner, QRect part) {
    const QRect within =
        (part & picture.rect()).translated(corner) & QRect(0, 0, composed.width, composed.height);
    if (within.isEmpty()) {
        return;
    }
    const auto* first =
        reinterpret_cast<const std::uint32_t*>(picture.constScanLine(within.y() - corner.y())) +
        (within.x() - corner.x());
    toolkitSourceOver(composed, PixelRect{within.x(), within.y(), within.width(), within.height()},
                      first, static_cast<int>(picture.bytesPerLine() / 4));
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

void CompanionView::putFramesThrough(WindowPixels& pixels) {
    cat_->setFrameOutlet([this, &pixels](const PixelBuffer& frame,
                                         const std::vector<PixelRect>& changedPixels,
                                         const QRegion& changed) {
        return putFrame(frame, changedPixels, changed, pixels);
    });
}

// Her frame replaces the pixels beneath it in the window, where the window is clear and
// only her timer and her bubble are ever drawn over her. While neither lies over what
// changed, the toolkit would paint exactly her pixels there, so they go straight into the
// window; otherwise what changed is composed here as the toolkit would compose it (her
// pixels, then each of them laid over) and goes the same way, as one rectangle. The window
// must be on screen, at a whole number of pixels to a point; otherwise the toolkit
// paints it all.
QRegion CompanionView::putFrame(const PixelBuffer& frame,
                                const std::vector<PixelRect>& changedPixels, const QRegion& changed,
                                WindowPixels& pixels) {
    QWindow* handle = window()->windowHandle();
    if (handle == nullptr || !handle->isExposed()) {
        return changed;
    }
    const double density = handle->devicePixelRatio();
    if (density != std::floor(density)) {
        return changed;
    }
    const int scale = static_cast<int>(density);
    const QPoint origin = cat_->mapTo(window(), QPoint()) * scale;
    const std::uint64_t nativeWindow = handle->winId();
    // A window that takes none takes none from the first.
    const auto put = [&](const PixelBuffer& from, QRect rect) {
        return pixels.put(
            nativeWindow,
            PixelArea{origin.x() + rect.x(), origin.y() + rect.y(), rect.width(), rect.height()},
            from.at(rect.x(), rect.y()), from.stride);
    };
    const std::vector<OverHer> over = drawnOverHer();
    const bool covered = std::ranges::any_of(
        over, [&changed](const OverHer& each) { return changed.intersects(each.area); });
    if (!covered) {
        for (const PixelRect& rect : changedPixels) {
            if (!put(frame, QRect(rect.x, rect.y, rect.width, rect.height))) {
                return changed;
            }
        }
    } else {
        const QRect area = changed.boundingRect();
        const QRect inPixels = QRect(area.topLeft() * scale, area.size() * scale) &
                               QRect(0, 0, frame.width, frame.height);
        if (!put(composeOverHer(frame, over, area, inPixels, scale), inPixels)) {
            return changed;
        }
    }
    watchShowings(*handle);
    toolkitBehind_ = true;
    return {};
}

// Back to front, as the toolkit paints them.
std::vector<CompanionView::OverHer> CompanionView::drawnOverHer() const {
    std::vector<OverHer> over;
    const auto add = [this, &over](const QWidget* widget, PaintedOverHer* painting) {
        const QPoint offset = widget->pos() - cat_->pos();
        over.push_back({offset, painting, painting->paintedArea().translated(offset)});
    };
    if (timerLabel_->isVisible()) {
        add(timerLabel_, timerLabel_);
    }
    if (bubble_->isVisible()) {
        add(bubble_, bubble_);
    }
    return over;
}

// Her pixels of area (in her view's points, inPixels in hers), with each widget over her
// laid over them, in the same place of a picture her frame's size. A widget at rest is its
// picture laid down, which is composed here in the toolkit's arithmetic; one on its way is
// painted by the toolkit. The picture and its painter are kept from frame to frame:
// beginning to paint costs more than what is painted.
PixelBuffer CompanionView::composeOverHer(const PixelBuffer& frame,
                                          const std::vector<OverHer>& over, QRect area,
                                          QRect inPixels, int scale) {
    if (composed_.width() != frame.width || composed_.height() != frame.height) {
        composing_.reset();
        composed_ = QImage(frame.width, frame.height, QImage::Format_ARGB32_Premultiplied);
        composed_.setDevicePixelRatio(scale);
        composing_.emplace(&composed_);
    }
    const PixelBuffer composed{reinterpret_cast<std::uint32_t*>(composed_.bits()),
                               composed_.width(), composed_.height(),
                               static_cast<int>(composed_.bytesPerLine() / 4)};
    for (int row = inPixels.top(); row <= inPixels.bottom(); ++row) {
        std::copy_n(frame.at(inPixels.x(), row), inPixels.width(), composed.at(inPixels.x(), row));
    }
    QPainter& painter = *composing_;
    for (const OverHer& each : over) {
        const QRect part = (area & each.area).translated(-each.offset);
        if (part.isEmpty()) {
            continue;
        }
        if (const QImage* picture = each.painting->pictureAtRest(); laidAsItIs(picture, scale)) {
            layPicture(composed, *picture, each.offset * scale,
                       QRect(part.topLeft() * scale, part.size() * scale));
            continue;
        }
        painter.save();
        painter.translate(each.offset);
        each.painting->paintOnto(painter, part);
        painter.restore();
    }
    return composed;
}

// When the window system shows the window again it takes the toolkit's copy of it, which
// misses the frames put past the toolkit: she is painted afresh first.
void CompanionView::watchShowings(QWindow& handle) {
    if (watchedWindow_ != &handle) {
        handle.installEventFilter(this);
        watchedWindow_ = &handle;
    }
}

bool CompanionView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == watchedWindow_ && event->type() == QEvent::Expose && toolkitBehind_) {
        toolkitBehind_ = false;
        cat_->update();
    }
    return QWidget::eventFilter(watched, event);
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
    // Named again only when the name changes: every naming is announced to a screen reader
    // anew, and she is drawn many times a second.
    if (const QString name = qtText(snapshot.accessibilityLabel());
        cat_->accessibleName() != name) {
        cat_->setAccessibleName(name);
    }

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
