#include "app/PurloAppDelegate.h"
#include "tests/support/RecordingPanelHints.h"
#include "tests/support/RuntimeHarness.h"
#include "ui/OnboardingView.h"
#include "ui/OnboardingWindowController.h"
#include "ui/PurloButtonChrome.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::RecordingPanelHints;
using testing::RuntimeHarness;
using testing::TemporaryFolder;

struct Shell {
    explicit Shell(bool onboarded) {
        PurloSettings settings;
        settings.hasCompletedFirstRunOnboarding = onboarded;
        harness.storeSettings(settings);
        delegate.applicationDidFinishLaunching();
        harness.loop.runPending();
    }

    QWidget* onboardingWindow() const {
        const auto* controller = delegate.onboardingWindowController();
        return controller != nullptr ? controller->window() : nullptr;
    }
    bool catShown() const { return delegate.companionWindowController()->window().isVisible(); }
    // The last slide's button, pressed as a person would.
    void finishOnboarding() {
        OnboardingView& view = delegate.onboardingWindowController()->view();
        while (view.slide() < OnboardingView::slideCount) {
            view.primaryButton().click();
        }
        QAbstractButton& finish = view.primaryButton();
        const QPointF middle = QRectF(finish.rect()).center();
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, middle, finish.mapToGlobal(middle), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              Qt::NoModifier);
            QApplication::sendEvent(&finish, &event);
        }
        harness.loop.runPending();
    }

    RuntimeHarness harness;
    RecordingPanelHints hints;
    TemporaryFolder resources;
    int settingsShown = 0;
    PurloAppDelegate delegate{
        [this]() -> PurloRuntime& { return harness.runtime(); },
        harness.clock,
        harness.observers,
        DesktopWindowContext{harness.loop, hints, harness.appearance, "purlo"},
        resources.path(),
        SettingsWindowActions{[this] { ++settingsShown; },
                              [] {
                              }}};
};

TEST(OnboardingShell, AFirstLaunchShowsOnboardingAndTheCatOnlyAfterIt) {
    Shell shell(false);
    QWidget* window = shell.onboardingWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "Welcome to Purlo");
    EXPECT_FALSE(shell.catShown());

    shell.finishOnboarding();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(shell.harness.settings().hasCompletedFirstRunOnboarding);
    EXPECT_TRUE(shell.catShown()) << "she comes out as soon as onboarding is done";
}

TEST(OnboardingShell, ASecondStartBringsPendingOnboardingBackAndSettingsAfterIt) {
    Shell shell(false);
    QWidget* window = shell.onboardingWindow();
    window->close();
    EXPECT_FALSE(shell.delegate.handleReopen());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(shell.settingsShown, 0);

    shell.finishOnboarding();
    EXPECT_FALSE(shell.delegate.handleReopen());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(shell.settingsShown, 1);
}

TEST(OnboardingShell, AnOnboardedUserNeverGetsTheWindow) {
    Shell shell(true);
    EXPECT_EQ(shell.delegate.onboardingWindowController(), nullptr);
    EXPECT_TRUE(shell.catShown());
    shell.harness.observers.becomeActive();
    shell.delegate.handleReopen();
    EXPECT_EQ(shell.delegate.onboardingWindowController(), nullptr);
    EXPECT_EQ(shell.settingsShown, 1);
}

} // namespace
} // namespace purlo
