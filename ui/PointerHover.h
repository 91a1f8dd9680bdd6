#pragma once

#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QRect>
#include <QWindow>
#include <functional>

class QWidget;

namespace purlo {

// Whether the pointer is over a widget, taken from where the pointer is rather than
// from enter and leave events alone. A widget that appears, moves or grows under a
// still pointer may be told that the pointer entered and never that it left, and its
// highlight would stay lit beside the one the pointer is really on. So the state is
// read again from the pointer whenever the widget is shown, hidden, moved or resized,
// whenever its window moves, and on every pointer move anywhere in its window.
class PointerHover final : public QObject {
public:
    // Follows widget; changed runs with each new state, and cameUnder each time the widget
    // comes to lie under a still pointer, by showing or moving there itself. The widget
    // holds the tracker as its last member, so that the tracker is gone before the
    // widget's own parts are torn down and no late leave reaches them.
    PointerHover(QWidget& widget, std::function<void(bool)> changed,
                 std::function<void()> cameUnder = {});
    PointerHover(const PointerHover&) = delete;
    PointerHover& operator=(const PointerHover&) = delete;

    bool hovering() const { return hovering_; }
    // Reads the state again from where the pointer really is: for an owner that just
    // moved the widget's window, which tells its widgets nothing.
    void recheck();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What moved last: the pointer, or the widget under it.
    enum class Mover { pointer, widget };

    void widgetEvent(const QEvent& event);
    void windowEvent(const QEvent& event);
    // The pointer at that point of the screen, after mover moved.
    void follow(QPointF globalPosition, Mover mover);
    void set(bool hovering);
    // Pointer moves go to whichever widget is under the pointer, so they are heard
    // where they arrive first: at the widget's window.
    void watchWindow();

    QWidget& widget_;
    std::function<void(bool)> changed_;
    std::function<void()> cameUnder_;
    QPointer<QWindow> window_;
    // Where the widget was on the screen when last followed; empty while hidden.
    QRect place_;
    bool hovering_ = false;
};

} // namespace purlo
