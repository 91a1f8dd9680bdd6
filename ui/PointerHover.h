#pragma once

#include <QObject>
#include <QPointF>
#include <QPointer>
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
    // Follows widget; changed runs with each new state. The widget holds the tracker
    // as its last member, so that the tracker is gone before the widget's own parts are
    // torn down and no late leave reaches them.
    PointerHover(QWidget& widget, std::function<void(bool)> changed);
    PointerHover(const PointerHover&) = delete;
    PointerHover& operator=(const PointerHover&) = delete;

    bool hovering() const { return hovering_; }
    // Reads the state again from where the pointer really is: for an owner that just
    // moved the widget's window, which tells its widgets nothing.
    void recheck();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void widgetEvent(const QEvent& event);
    void windowEvent(const QEvent& event);
    // The pointer at that point of the screen.
    void follow(QPointF globalPosition);
    void set(bool hovering);
    // Pointer moves go to whichever widget is under the pointer, so they are heard
    // where they arrive first: at the widget's window.
    void watchWindow();

    QWidget& widget_;
    std::function<void(bool)> changed_;
    QPointer<QWindow> window_;
    bool hovering_ = false;
};

} // namespace purlo
