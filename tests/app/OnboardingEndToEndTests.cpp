#include "companion/qt/ThemeQColor.h"
#include "tests/app/CatProbes.h"
#include "tests/app/PurloProcess.h"
#include "tests/app/X11TestScreen.h"
#include "tests/companion/BuildFolder.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

using namespace std::chrono_literals;
using testing::eventually;
using testing::PurloProcess;
using testing::PurloProfile;
using testing::X11TestScreen;

constexpr QSize onboardingSize{600, 760};
constexpr QSize panelSize{160, 204};
// Points of the window's bottom bar: the middle of its row, where the buttons are
// clicked, and a line through the buttons' faces above their titles; on it, the Back
// button's face, a place the primary button covers on every slide, and one only the
// last slide's long button reaches.
constexpr int barMiddle = 760 - 38;
constexpr int faceLine = barMiddle - 12;
constexpr int backFace = 40;
constexpr int primaryFace = 576 - 14;
constexpr int longPrimaryFace = 576 - 200;

class OnboardingEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        if (!screen.isOpen()) {
            GTEST_SKIP() << screen.unavailableReason();
        }
        if (!PurloProcess::program()) {
            GTEST_SKIP() << "PURLO_BUILD_DIR is not set (ctest sets it): the program is not found";
        }
        screen.movePointer(screen.size().width() - 20, screen.size().height() / 2);
    }

    std::optional<X11TestScreen::Window> shownWindow(const PurloProcess& purlo, QSize size) {
        for (const auto& window : screen.windowsOf(purlo.pid())) {
            if (window.mapped && window.geometry.size() == size) {
                return window;
            }
        }
        return std::nullopt;
    }

    QColor barPixel(const QImage& shot, QPoint window, int x) const {
        return shot.pixelColor(window + QPoint(x, faceLine));
    }

    // The window as the screen shows it once condition holds, kept for a person to look at.
    QImage slideWhen(const char* name, QRect window,
                     const std::function<bool(const QImage&)>& condition) {
        QImage shot;
        const bool held = eventually([&] {
            shot = screen.screenshot();
            return condition(shot);
        });
        if (const auto folder = testing::artifactsFolder()) {
            shot.copy(window).save(
                folder->filePath(QString("onboarding-desktop-%1.png").arg(name)));
        }
        EXPECT_TRUE(held) << "the screen never showed the slide " << name;
        return shot;
    }

    X11TestScreen screen;
};

TEST_F(OnboardingEndToEnd, ANewUserMeetsOnboardingFirstAndTheCatAfterTheLastSlide) {
    PurloProfile profile;
    PurloProcess purlo(profile, screen.name());

    std::optional<X11TestScreen::Window> onboarding;
    ASSERT_TRUE(eventually([&] {
        return (onboarding = shownWindow(purlo, onboardingSize)).has_value();
    })) << "no 600 x 760 window of the program appeared";
    EXPECT_EQ(onboarding->title, "Welcome to Purlo");
    const QRect window = onboarding->geometry;
    EXPECT_LT(std::abs(window.center().x() - screen.size().width() / 2), 2) << "centred";
    const QPoint at = window.topLeft();

    const QColor card = themeQColor(PurloTheme::cardBackground, false);
    const QColor ghost = themeQColor(PurloTheme::controlBackground, false);
    const QColor accent = themeQColor(PurloTheme::accent, false);
    slideWhen("1", window, [&](const QImage& shot) {
        return shot.pixelColor(at + QPoint(4, 4)) ==
                   themeQColor(PurloTheme::windowBackground, false) &&
               barPixel(shot, at, backFace) == card && barPixel(shot, at, primaryFace) == accent;
    });
    EXPECT_FALSE(shownWindow(purlo, panelSize)) << "the cat waits until onboarding is done";

    screen.click(at.x() + primaryFace, at.y() + barMiddle);
    slideWhen("2", window, [&](const QImage& shot) {
        return barPixel(shot, at, backFace) == ghost && barPixel(shot, at, longPrimaryFace) == card;
    });
    screen.click(at.x() + primaryFace, at.y() + barMiddle);
    slideWhen("3", window,
              [&](const QImage& shot) { return barPixel(shot, at, longPrimaryFace) == accent; });
    EXPECT_FALSE(shownWindow(purlo, panelSize));
    EXPECT_FALSE(profile.storedSettings().hasCompletedFirstRunOnboarding);

    screen.click(at.x() + primaryFace, at.y() + barMiddle);
    std::optional<X11TestScreen::Window> panel;
    EXPECT_TRUE(eventually([&] { return (panel = shownWindow(purlo, panelSize)).has_value(); }))
        << "the cat never came out";
    EXPECT_TRUE(eventually([&] { return !shownWindow(purlo, onboardingSize); }))
        << "the onboarding window stayed";
    EXPECT_TRUE(profile.storedSettings().hasCompletedFirstRunOnboarding);
    if (panel) {
        const QPoint catAt = panel->geometry.topLeft();
        QImage shot;
        EXPECT_TRUE(eventually([&] {
            shot = screen.screenshot();
            return testing::catProbes::drawnPixels(shot, catAt) > 3000;
        })) << "her panel is empty";
        if (const auto folder = testing::artifactsFolder()) {
            shot.copy(QRect(catAt - QPoint(40, 40), panelSize + QSize(80, 80)))
                .save(folder->filePath("onboarding-desktop-cat.png"));
        }
    }

    purlo.terminate();
    ASSERT_TRUE(purlo.waitForExit(10s));
    EXPECT_FALSE(purlo.crashed());
}

} // namespace
} // namespace purlo
