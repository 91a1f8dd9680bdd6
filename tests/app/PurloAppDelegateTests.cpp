#include "app/PurloAppDelegate.h"
#include "tests/support/RecordingPanelHints.h"
#include "tests/support/RuntimeHarness.h"

#include <QApplication>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::RecordingPanelHints;
using testing::RuntimeHarness;
using testing::TemporaryFolder;

struct Shell {
    explicit Shell(bool onboarded = true) {
        PurloSettings settings;
        settings.hasCompletedFirstRunOnboarding = onboarded;
        harness.storeSettings(settings);
    }

    std::filesystem::path gate() { return harness.folder / "support" / "Integrations" / "enabled"; }

    RuntimeHarness harness;
    RecordingPanelHints hints;
    TemporaryFolder resources;
    int settingsShown = 0;
    int appearanceShown = 0;
    int runtimesObtained = 0;
    PurloAppDelegate delegate{
        [this]() -> PurloRuntime& {
            ++runtimesObtained;
            return harness.runtime();
        },
        harness.clock,
        harness.observers,
        DesktopWindowContext{harness.loop, hints, harness.appearance, "purlo"},
        resources.path(),
        SettingsWindowActions{[this] { ++settingsShown; },
                              [this] {
                                  ++appearanceShown;
                              }}};
};

TEST(PurloAppDelegate, LaunchingBringsTheCatOutAndStartsEverythingOnce) {
    QApplication::setQuitOnLastWindowClosed(true);
    Shell shell;
    EXPECT_EQ(shell.runtimesObtained, 0) << "nothing is built before the launch";
    shell.delegate.applicationDidFinishLaunching();
    shell.harness.loop.runPending();

    EXPECT_EQ(shell.runtimesObtained, 1);
    PurloRuntime& runtime = shell.harness.runtime();
    EXPECT_TRUE(runtime.isRunning());
    EXPECT_NE(runtime.agentIntegrationManager(), nullptr);
    EXPECT_TRUE(std::filesystem::exists(shell.gate()));
    EXPECT_EQ(runtime.agentConnections()->size(), 3u);
    EXPECT_FALSE(QApplication::quitOnLastWindowClosed());

    ASSERT_NE(shell.delegate.companionWindowController(), nullptr);
    ASSERT_NE(shell.delegate.butterflyWindowController(), nullptr);
    EXPECT_NE(shell.delegate.menuBarController(), nullptr);
    DesktopPanel& panel = shell.delegate.companionWindowController()->window();
    EXPECT_TRUE(panel.isVisible());
    EXPECT_EQ(panel.origin(), shell.harness.scene().position);
    EXPECT_FALSE(shell.delegate.butterflyWindowController()->window().isVisible());
    EXPECT_EQ(shell.hints.prepared, std::vector<std::uint64_t>{panel.winId()});
}

TEST(PurloAppDelegate, BeforeOnboardingTheCatStaysHidden) {
    Shell shell(false);
    shell.delegate.applicationDidFinishLaunching();
    shell.harness.loop.advance(1);
    EXPECT_TRUE(shell.harness.runtime().isRunning());
    EXPECT_FALSE(shell.delegate.companionWindowController()->window().isVisible());
}

TEST(PurloAppDelegate, TerminatingStopsTheRuntimeAndSilencesTheHooks) {
    Shell shell;
    shell.delegate.applicationWillTerminate();
    EXPECT_EQ(shell.runtimesObtained, 0) << "quitting before the launch builds nothing";

    shell.delegate.applicationDidFinishLaunching();
    ASSERT_TRUE(std::filesystem::exists(shell.gate()));
    shell.delegate.applicationWillTerminate();
    EXPECT_FALSE(shell.harness.runtime().isRunning());
    EXPECT_FALSE(std::filesystem::exists(shell.gate()));
}

TEST(PurloAppDelegate, ASecondStartOpensSettingsAndAClickOnTheCatItsAppearanceTab) {
    Shell shell;
    shell.delegate.applicationDidFinishLaunching();
    EXPECT_FALSE(shell.delegate.handleReopen());
    EXPECT_EQ(shell.settingsShown, 1);
    EXPECT_EQ(shell.appearanceShown, 0);

    QWidget& layer = shell.delegate.companionWindowController()->view().mouseLayer();
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, QPointF(80, 120), QPointF(176, 600), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(&layer, &event);
    }
    shell.harness.loop.advance(CompanionMouseEventLayer::systemDoubleClickInterval() + 0.1);
    EXPECT_EQ(shell.appearanceShown, 1);
    EXPECT_EQ(shell.settingsShown, 1);
}

} // namespace
} // namespace purlo
