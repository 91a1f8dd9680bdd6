#include "platform/qt/QtAppearance.h"

#include <QColor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPalette>
#include <QTimer>
#include <gtest/gtest.h>

namespace purlo {
namespace {

TEST(QtAppearance, DarkBelowMidGreyAndReducedMotionOnlyOnAnAnswerOfFalse) {
    EXPECT_TRUE(QtAppearance::isDark(QColor(0x24, 0x24, 0x24)));
    EXPECT_TRUE(QtAppearance::isDark(QColor(0x7f, 0x7f, 0x7f)));
    // A window colour that is neither keeps the light look.
    EXPECT_FALSE(QtAppearance::isDark(QColor(0x80, 0x80, 0x80)));
    EXPECT_FALSE(QtAppearance::isDark(QColor(0xef, 0xef, 0xef)));

    for (const char* off : {"false\n", " false "}) {
        EXPECT_TRUE(QtAppearance::animationsTurnedOff(off)) << off;
    }
    for (const char* on : {"true\n", "", "falsey", "No such key"}) {
        EXPECT_FALSE(QtAppearance::animationsTurnedOff(on)) << on;
    }
}

TEST(QtAppearance, FollowsThePaletteWhenItChanges) {
    const QPalette original = QGuiApplication::palette();
    QPalette palette = original;
    palette.setColor(QPalette::Window, QColor(0xef, 0xef, 0xef));
    QGuiApplication::setPalette(palette);
    QtAppearance appearance{QStringList()};
    int changes = 0;
    QObject::connect(&appearance, &QtAppearance::changed, [&] { ++changes; });

    palette.setColor(QPalette::Window, QColor(0x24, 0x24, 0x24));
    QGuiApplication::setPalette(palette);
    EXPECT_TRUE(appearance.darkAppearance());
    EXPECT_EQ(changes, 1);
    QGuiApplication::setPalette(original);
}

TEST(QtAppearance, TakesReduceMotionFromTheDesktopsAnswerInTheBackground) {
    QtAppearance appearance({"/bin/sh", "-c", "echo false"});
    EXPECT_FALSE(appearance.reduceMotion());
    QEventLoop waiting;
    QObject::connect(&appearance, &QtAppearance::changed, &waiting, &QEventLoop::quit);
    QTimer::singleShot(10000, &waiting, &QEventLoop::quit);
    waiting.exec();
    EXPECT_TRUE(appearance.reduceMotion());
}

} // namespace
} // namespace purlo
