#include "tests/support/RuntimeHarness.h"
#include "tests/ui/WidgetDriving.h"
#include "ui/OnboardingView.h"
#include "ui/OnboardingWindowController.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::button;
using testing::click;
using testing::RuntimeHarness;
using testing::settingsWith;

TEST(OnboardingWindowController, IsAFixedTitledWindowOnTheFirstSlide) {
    RuntimeHarness harness;
    OnboardingWindowController controller(harness.runtime(), harness.observers, harness.appearance);
    QWidget* window = controller.window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Welcome to Purlo");
    EXPECT_EQ(window->size(), QSize(600, 760));
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "not resizable";
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(window->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(window->isVisible()) << "the program decides when to show it";
    EXPECT_EQ(controller.view().slide(), 1);
}

TEST(OnboardingWindowController, ComesBackOnActivationUntilOnboardingIsCompleted) {
    RuntimeHarness harness;
    OnboardingWindowController controller(harness.runtime(), harness.observers, harness.appearance);
    controller.center();
    controller.makeKeyAndOrderFront();
    QWidget& window = *controller.window();
    click(*button(window, "Continue"));

    // Closed with its close button, it was only hidden: it returns on the same slide.
    window.close();
    EXPECT_FALSE(window.isVisible());
    harness.observers.becomeActive();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(controller.view().slide(), 2);

    click(*button(window, "Continue"));
    click(*button(window, "Meet her on your desktop"));
    EXPECT_FALSE(window.isVisible()) << "finishing closes the window";
    EXPECT_TRUE(harness.settings().hasCompletedFirstRunOnboarding);
    harness.observers.becomeActive();
    EXPECT_FALSE(window.isVisible()) << "completed, activation leaves it alone";
}

TEST(OnboardingWindowController, ACompletedProfileNeverSeesTheWindow) {
    RuntimeHarness harness(settingsWith(
        [](PurloSettings& settings) { settings.hasCompletedFirstRunOnboarding = true; }));
    OnboardingWindowController controller(harness.runtime(), harness.observers, harness.appearance);
    harness.observers.becomeActive();
    EXPECT_FALSE(controller.window()->isVisible());
}

TEST(OnboardingWindowController, StopsWatchingActivationWhenItGoes) {
    RuntimeHarness harness;
    const std::size_t before = harness.observers.observerCount();
    {
        OnboardingWindowController controller(harness.runtime(), harness.observers,
                                              harness.appearance);
        EXPECT_EQ(harness.observers.observerCount(), before + 1);
    }
    EXPECT_EQ(harness.observers.observerCount(), before);
    harness.observers.becomeActive();
}

} // namespace
} // namespace purlo
