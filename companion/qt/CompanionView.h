#pragma once

#include "companion/BubbleTransition.h"
#include "companion/CompanionViewModel.h"
#include "companion/qt/CompanionBubble.h"
#include "companion/qt/CompanionMouseEventLayer.h"
#include "companion/qt/CompanionTimerLabel.h"
#include "companion/qt/PixelCatView.h"
#include "platform/Cancellable.h"
#include "platform/EventLoop.h"
#include "platform/WindowPixels.h"

#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QWindow;

namespace purlo {

class PurloRuntime;

// Everything drawn in the companion's window, back to front: the cat in her 128-point
// frame on the panel's bottom edge, scaled by her size, with room below for her paws; the Pomodoro
// timer to her upper right; her speech bubble above her, coming and going on a spring; and over it
// all an invisible layer that turns the mouse into pets, drags and clicks. It draws what the view
// model publishes, so it is rebuilt only when something visible changed.
class CompanionView final : public QWidget {
    Q_OBJECT

public:
    // The runtime, the view model and the loop must outlive the view. A single click
    // calls openAppearanceSettings.
    CompanionView(PurloRuntime& runtime, const CompanionViewModel& viewModel, EventLoop& loop,
                  std::function<void()> openAppearanceSettings, QWidget* parent = nullptr);

    // True while the pointer rests on the panel: the bubble shows her hover line then.
    bool pointerHovering() const { return pointerHovering_; }
    // The pointer can no longer reach her, and no one may say that it left.
    void clearHover();

    void setReduceMotion(bool reduceMotion);

    // From now on her frames go straight into her window through pixels wherever nothing
    // is drawn over the part that changed; pixels must outlive the view.
    void putFramesThrough(WindowPixels& pixels);

    const PixelCatView& cat() const { return *cat_; }
    const CompanionTimerLabel& timerLabel() const { return *timerLabel_; }
    const CompanionBubble& bubble() const { return *bubble_; }
    CompanionMouseEventLayer& mouseLayer() { return *mouseLayer_; }
    // How present the bubble is, and where it is heading.
    const BubbleTransition& bubbleTransition() const { return bubbleTransition_; }

    // The seconds between two steps of the bubble's spring.
    static constexpr double bubbleStepInterval = 1.0 / 60.0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QRegion putFrame(const PixelBuffer& frame, const std::vector<PixelRect>& changedPixels,
                     const QRegion& changed, WindowPixels& pixels);
    // A widget drawn over her: where it stands from her view's corner, and the part of her
    // view, in points, that it may paint.
    struct OverHer {
        QPoint offset;
        PaintedOverHer* painting;
        QRect area;
    };
    std::vector<OverHer> drawnOverHer() const;
    PixelBuffer composeOverHer(const PixelBuffer& frame, const std::vector<OverHer>& over,
                               QRect area, QRect inPixels, int scale);
    void watchShowings(QWindow& handle);
    void render(const CompanionViewModel::Snapshot& snapshot);
    void setPointerHovering(bool hovering);
    void showBubble(const std::optional<CompanionMessage>& message, double scale);
    void placeBubble(double scale);
    void stepBubble();

    EventLoop& loop_;
    const CompanionViewModel& viewModel_;
    PixelCatView* cat_;
    CompanionTimerLabel* timerLabel_;
    CompanionBubble* bubble_;
    CompanionMouseEventLayer* mouseLayer_;
    bool pointerHovering_ = false;
    // The window whose showings are watched, and whether frames went past the toolkit
    // since it last painted her: its own copy of her is behind then.
    QPointer<QWindow> watchedWindow_;
    bool toolkitBehind_ = false;
    QImage composed_;
    std::optional<QPainter> composing_; // on composed_, from its first frame on
    BubbleTransition bubbleTransition_;
    Cancellable bubbleStepper_;
    Cancellable snapshotSubscription_;
};

} // namespace purlo
