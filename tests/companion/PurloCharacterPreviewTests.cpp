#include "companion/qt/PurloCharacterPreview.h"

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace purlo {
namespace {

constexpr Size startingGaze{-0.2, 0};

void send(QWidget& widget, QEvent::Type type, QPointF at) {
    const bool press = type == QEvent::MouseButtonPress;
    QMouseEvent event(type, at, widget.mapToGlobal(at),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      press ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

void tap(QWidget& widget, QPointF at) {
    send(widget, QEvent::MouseButtonPress, at);
    send(widget, QEvent::MouseButtonRelease, at);
}

void hover(QWidget& widget, QPointF at) {
    send(widget, QEvent::MouseMove, at);
}

void leave(QWidget& widget) {
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(&widget, &event);
}

struct Preview {
    explicit Preview(bool followsPointer, PurloSettings settings = {})
        : view(settings, followsPointer, CatPose::idle, 200, startingGaze) {
        view.resize(300, 330);
    }

    PurloCharacterPreview view;
};

TEST(PurloCharacterPreview, ThePointerMovesHerGazeOnlyWhenSheFollowsIt) {
    struct Step {
        const char* gesture;
        QPointF at;
        Size followed;
    };
    // One preview per column: each step's gaze is what the gestures so far leave.
    const Step steps[] = {
        {"tap", {150, 165}, {0, 0}},     {"hover", {310, 0}, {1, -1}},
        {"hover", {-170, 400}, {-1, 1}}, {"hover", {230, 204}, {0.5, 0.3}},
        {"leave", {}, {0.5, 0.3}},       {"tap", {70, 165}, {-0.5, 0}},
    };
    Preview following(true);
    Preview still(false);
    for (const Step& step : steps) {
        for (Preview* preview : {&following, &still}) {
            const std::string gesture(step.gesture);
            if (gesture == "tap") {
                tap(preview->view, step.at);
            } else if (gesture == "hover") {
                hover(preview->view, step.at);
            } else {
                leave(preview->view);
            }
        }
        EXPECT_NEAR(following.view.gaze().width, step.followed.width, 1e-9) << step.gesture;
        EXPECT_NEAR(following.view.gaze().height, step.followed.height, 1e-9) << step.gesture;
        EXPECT_EQ(following.view.catView().scene().eyeOffset, following.view.gaze());
        EXPECT_EQ(still.view.gaze(), startingGaze) << step.gesture;
    }
}

TEST(PurloCharacterPreview, StandsTheCatAtTheBottomGrownByTheClampedScale) {
    struct Case {
        double companionScale;
        double height;
    };
    const Case cases[] = {{2.0, 240}, {1.2, 240}, {1.0, 200}, {0.5, 150}, {0.75, 150}};
    for (const Case& c : cases) {
        PurloSettings settings;
        settings.companionScale = c.companionScale;
        Preview preview(true, settings);
        const QRectF frame = preview.view.catFrame();
        EXPECT_DOUBLE_EQ(frame.height(), c.height) << c.companionScale;
        EXPECT_DOUBLE_EQ(frame.width(), c.height * 0.88) << c.companionScale;
        EXPECT_DOUBLE_EQ(frame.bottom(), 330 - 12) << c.companionScale;
        EXPECT_DOUBLE_EQ(frame.center().x(), 150) << c.companionScale;
    }
}

TEST(PurloCharacterPreview, ANewLookRedrawsHerAndAnnouncesItWhileHerGazeStays) {
    Preview preview(true);
    hover(preview.view, {310, 0});
    PurloSettings settings;
    settings.skin = CatSkinPreset::midnight;
    settings.eyeColor = CatEyeColorPreset::sky;
    settings.accessory = CatAccessoryPreset::tie;
    preview.view.setSettings(settings);
    EXPECT_EQ(preview.view.catView().look().skin, CatSkinPreset::midnight);
    EXPECT_EQ(preview.view.accessibleName(), "Midnight Purlo, Sky eyes, Tie");
    EXPECT_EQ(preview.view.gaze(), (Size{1, -1}));

    PurloSettings calico;
    calico.skin = CatSkinPreset::calico;
    calico.eyeColor = CatEyeColorPreset::cocoa;
    EXPECT_EQ(PurloCharacterPreview::accessibilityLabel(calico), "Calico Purlo, Cocoa eyes, None");
}

TEST(PurloCharacterPreview, OnlyTheTypingPoseTypes) {
    EXPECT_EQ(PurloCharacterPreview::scene(CatPose::typing, {}).mood, CatMood::typing);
    const CompanionScene sleeping = PurloCharacterPreview::scene(CatPose::sleep, {});
    EXPECT_EQ(sleeping.mood, CatMood::idle);
    EXPECT_EQ(sleeping.pose, CatPose::sleep);
}

} // namespace
} // namespace purlo
