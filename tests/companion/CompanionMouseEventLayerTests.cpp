#include "companion/qt/CompanionMouseEventLayer.h"
#include "tests/support/ManualEventLoop.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <gtest/gtest.h>
#include <memory>

namespace purlo {
namespace {

using Events = std::vector<std::string>;

// Qt's desktop is 1000 points high here; the program counts y upward from its bottom.
constexpr double desktopHeight = 1000;

class MouseLayerTest : public ::testing::Test {
protected:
    MouseLayerTest() {
        layer->setActions({[this] { return origin; }, [this] { events.push_back("single"); },
                           [this] { events.push_back("double"); },
                           [this](bool inside) { events.push_back(inside ? "enter" : "leave"); },
                           [this] { events.push_back("drag began"); },
                           [this](double x, double y) {
                               events.push_back("moved " + std::to_string(static_cast<int>(x)) +
                                                " " + std::to_string(static_cast<int>(y)));
                           },
                           [this] {
                               events.push_back("drag ended");
                           }});
    }

    void send(QEvent::Type type, Point at, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(10, 10), QPointF(at.x, desktopHeight - at.y), button, held,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(layer.get(), &event);
    }
    // Qt sends the second press of a quick pair as a double-click event.
    void press(Point at = {130, 240}, QEvent::Type type = QEvent::MouseButtonPress) {
        send(type, at, Qt::LeftButton, Qt::LeftButton);
    }
    void release(Point at = {130, 240}) {
        send(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    }
    void move(Point to) { send(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton); }
    void click(QEvent::Type type = QEvent::MouseButtonPress) {
        press({130, 240}, type);
        release();
    }

    testing::ManualEventLoop loop;
    Events events;
    Point origin{100, 200};
    std::unique_ptr<CompanionMouseEventLayer> layer = std::make_unique<CompanionMouseEventLayer>(
        loop,
        [](QPointF global) {
            return Point{global.x(), desktopHeight - global.y()};
        },
        [] { return 0.5; });
};

TEST_F(MouseLayerTest, ASingleClickWaitsOutTheDoubleClickInterval) {
    click();
    loop.advance(0.49);
    EXPECT_EQ(events, Events{});
    loop.advance(0.02);
    EXPECT_EQ(events, Events{"single"});

    // A press after the interval but before that click was reported replaces it.
    events.clear();
    press();
    loop.advance(0.3);
    release();
    loop.advance(0.3);
    click();
    loop.advance(0.49);
    EXPECT_EQ(events, Events{});
    loop.advance(2);
    EXPECT_EQ(events, Events{"single"});
}

TEST_F(MouseLayerTest, QuickClicksPetOnEveryReleaseFromTheSecondOn) {
    for (const int clicks : {2, 3, 4}) {
        events.clear();
        click();
        for (int i = 1; i < clicks; ++i) {
            loop.advance(0.1);
            click(i == 1 ? QEvent::MouseButtonDblClick : QEvent::MouseButtonPress);
        }
        loop.advance(2);
        EXPECT_EQ(events, Events(static_cast<std::size_t>(clicks - 1), "double")) << clicks;
    }
}

TEST_F(MouseLayerTest, ADragKeepsTheGrabOffsetAndIsNeverAClick) {
    // The first move grabs her 30 points right of and 40 above the origin (100, 200).
    press({129, 240});
    move({130, 240});
    move({180, 300});
    origin = {400, 400};
    move({50, 90});
    release({50, 90});
    loop.advance(2);
    EXPECT_EQ(events, (Events{"drag began", "moved 100 200", "moved 150 260", "moved 20 50",
                              "drag ended"}));

    // It also drops the click just before it, and the next click counts from one.
    events.clear();
    origin = {100, 200};
    click();
    press();
    move({140, 250});
    release();
    click();
    loop.advance(2);
    EXPECT_EQ(events, (Events{"drag began", "moved 100 200", "drag ended", "single"}));
}

TEST_F(MouseLayerTest, HoverReportsEachEnterAndLeaveOnce) {
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(105, 795));
    QEvent leave(QEvent::Leave);
    for (QEvent* event : std::initializer_list<QEvent*>{&enter, &leave, &leave, &enter}) {
        QCoreApplication::sendEvent(layer.get(), event);
    }
    EXPECT_EQ(events, (Events{"enter", "leave", "enter"}));
}

TEST_F(MouseLayerTest, AClickPendingWhenTheLayerGoesIsDropped) {
    click();
    layer.reset();
    loop.advance(1);
    EXPECT_EQ(events, Events{});
}

} // namespace
} // namespace purlo
