#include "companion/CompanionViewLayout.h"
#include "tests/companion/CompanionWindowFixture.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::CompanionWindowFixture;

class CompanionViewTest : public ::testing::Test {
protected:
    CompanionView& view() { return window.controller->view(); }
    const CompanionBubble& bubble() { return view().bubble(); }

    void hover() {
        QEnterEvent enter(QPointF(80, 120), QPointF(80, 120), QPointF(80, 120));
        QCoreApplication::sendEvent(&view().mouseLayer(), &enter);
    }
    // At a point of Qt's desktop (y downward).
    void mouse(QEvent::Type type, QPointF global, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(80, 120), global, button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(&view().mouseLayer(), &event);
    }
    void press(QPointF at, QEvent::Type type = QEvent::MouseButtonPress) {
        mouse(type, at, Qt::LeftButton, Qt::LeftButton);
    }
    void release(QPointF at) {
        mouse(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    }
    void dragTo(QPointF at) { mouse(QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton); }

    // Until the bubble's spring has come to rest.
    void settle() { window.tick(0.6); }

    CompanionWindowFixture window;
};

TEST_F(CompanionViewTest, TheBubbleComesInOverHerHeadAndGoesOutOnItsSpring) {
    window.tick(5);
    ASSERT_FALSE(window.harness.scene().message);
    EXPECT_FALSE(bubble().isVisibleTo(&view()));

    hover();
    EXPECT_TRUE(bubble().isVisibleTo(&view()));
    EXPECT_EQ(bubble().message(), (CompanionMessage{"purr", CompanionMessage::Kind::happy}));
    EXPECT_LT(bubble().presentationOpacity(), 1);
    settle();
    EXPECT_EQ(bubble().presentationOpacity(), 1);
    EXPECT_EQ(bubble().presentationScale(), 1);
    const CompanionBubbleLayout layout = bubble().layout();
    EXPECT_NEAR(bubble().y() + layout.body.y + layout.body.height,
                CompanionViewLayout::panelHeight - 135, 0.5);

    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&view().mouseLayer(), &leave);
    EXPECT_TRUE(bubble().isVisibleTo(&view())) << "it fades first";
    EXPECT_EQ(bubble().message().text, "purr") << "with its text";
    settle();
    EXPECT_FALSE(bubble().isVisibleTo(&view()));
    EXPECT_EQ(bubble().presentationOpacity(), 0);
}

TEST_F(CompanionViewTest, ASingleClickOpensTheAppearanceSettingsAfterTheDoubleClickInterval) {
    const QPointF onHer(170, 500);
    press(onHer);
    release(onHer);
    EXPECT_EQ(window.appearanceSettingsOpened, 0);
    window.tick(CompanionMouseEventLayer::systemDoubleClickInterval() + 0.1);
    EXPECT_EQ(window.appearanceSettingsOpened, 1);

    press(onHer);
    release(onHer);
    press(onHer, QEvent::MouseButtonDblClick);
    release(onHer);
    window.tick(2);
    EXPECT_EQ(window.appearanceSettingsOpened, 1) << "a double click pets instead";
}

TEST_F(CompanionViewTest, ADragCarriesHerPanelAlongWithThePointer) {
    const Point start = window.harness.scene().position;
    press(QPointF(170, 400));
    dragTo(QPointF(171, 400));
    dragTo(QPointF(271, 350));
    window.harness.loop.runPending();
    EXPECT_EQ(window.harness.scene().mood, CatMood::dragged);
    EXPECT_TRUE(window.harness.runtime().companionDragInProgress());
    release(QPointF(271, 350));
    window.harness.loop.runPending();
    EXPECT_FALSE(window.harness.runtime().companionDragInProgress());
    // The grab is taken at the first move with the button down.
    EXPECT_EQ(window.harness.scene().position, (Point{start.x + 100, start.y + 50}));
    EXPECT_EQ(window.panel().origin(), window.harness.scene().position);
    EXPECT_EQ(window.appearanceSettingsOpened, 0) << "a drag is no click";
}

TEST_F(CompanionViewTest, TheTimerShowsOnlyDuringFocus) {
    EXPECT_FALSE(view().timerLabel().isVisibleTo(&view()));
    window.runtime().startFocus();
    window.harness.loop.runPending();
    ASSERT_TRUE(window.harness.scene().timerLabel);
    EXPECT_TRUE(view().timerLabel().isVisibleTo(&view()));
    EXPECT_EQ(view().timerLabel().text().toStdString(), *window.harness.scene().timerLabel);
    EXPECT_EQ(view().timerLabel().geometry().bottom() + 1, 160);

    window.runtime().toggleFocus();
    window.harness.loop.runPending();
    EXPECT_FALSE(view().timerLabel().isVisibleTo(&view()));
}

} // namespace
} // namespace purlo
