#include "companion/qt/PurloCharacterPreview.h"
#include "tests/support/RecordingFixedWindowHints.h"
#include "tests/support/RuntimeHarness.h"
#include "tests/ui/WidgetDriving.h"
#include "ui/OnboardingView.h"
#include "ui/OnboardingWindowController.h"
#include "ui/PurloButtonChrome.h"

#include <QApplication>
#include <QScreen>
#include <algorithm>
#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::accessible;
using testing::button;
using testing::click;
using testing::shownTexts;

struct Onboarding {
    explicit Onboarding(bool inputMonitoringGranted) {
        harness.keys.granted = inputMonitoringGranted;
        view = std::make_unique<OnboardingView>(harness.runtime(), harness.appearance, 1, [this] {
            closings.push_back(
                PurloSettings::load(harness.store).settings.hasCompletedFirstRunOnboarding);
        });
        view->show();
    }
    bool completed() { return harness.settings().hasCompletedFirstRunOnboarding; }
    // The counter's text and what it says to assistive technology.
    QString counter() const {
        for (QLabel* label : testing::shownWidgets<QLabel>(*view)) {
            if (label->accessibleName().startsWith("Step ")) {
                return label->text() + " / " + label->accessibleName();
            }
        }
        return {};
    }

    testing::RuntimeHarness harness;
    // For each closing, whether onboarding was stored as completed by then.
    std::vector<bool> closings;
    std::unique_ptr<OnboardingView> view;
};

TEST(OnboardingView, WalksThroughThreeSlidesWithTheirTextsCounterAndButtons) {
    const struct {
        QStringList primary; // without the permission, and with it
        QStringList texts;
    } slides[] = {
        {{"Continue", "Continue"},
         {"Move your cursor. Say hello.", "She\u2019s watching.",
          "Move the pointer around the preview and watch her follow."}},
        {{"Later", "Continue"},
         {"Let her tap along.", "Typing reactions need no permission on Linux.",
          "Typing reaction preview",
          "Through the X Input extension Purlo taps along with your keypress timing. She does "
          "not read the text you type."}},
        {{"Meet her on your desktop", "Meet her on your desktop"},
         {"Find your Purlo.", "Choose a look for your new desktop cat.", "Fur",
          "More fur patterns, eyes, and accessories are waiting in Appearance."}},
    };
    for (const bool granted : {false, true}) {
        Onboarding onboarding(granted);
        for (int number = 1; number <= 3; ++number) {
            const auto& slide = slides[number - 1];
            SCOPED_TRACE(::testing::Message() << "slide " << number << " granted " << granted);
            const QStringList texts = shownTexts(onboarding.view->currentSlide());
            for (const QString& text : slide.texts) {
                EXPECT_TRUE(texts.contains(text)) << text.toStdString();
            }
            // Linux has nothing to grant: no text may offer a permission after all.
            EXPECT_FALSE(texts.join(' ').contains("Input Monitoring"))
                << texts.join('|').toStdString();
            EXPECT_EQ(onboarding.counter(), QString("%1 of 3 / Step %1 of 3").arg(number));
            EXPECT_EQ(button(*onboarding.view, "Back") != nullptr, number > 1);
            QAbstractButton* primary = button(*onboarding.view, slide.primary[granted]);
            ASSERT_NE(primary, nullptr);
            if (number < 3) {
                click(*primary);
            }
        }
        click(*button(*onboarding.view, "Back"));
        EXPECT_EQ(onboarding.counter(), "2 of 3 / Step 2 of 3");
        click(*button(*onboarding.view, "Back"));
        EXPECT_EQ(onboarding.view->slide(), 1);
        EXPECT_FALSE(onboarding.completed());
    }
}

TEST(OnboardingView, ThePermissionSlideFollowsTheGrantWithoutBeingTouched) {
    Onboarding onboarding(false);
    click(*button(*onboarding.view, "Continue"));
    const QString hint = "If nothing changes, this display lacks the X Input extension.";
    EXPECT_TRUE(shownTexts(*onboarding.view).contains(hint));
    EXPECT_EQ(accessible(*onboarding.view, "Typing reactions are ready"), nullptr);
    click(*button(*onboarding.view, "Check Again"));
    EXPECT_EQ(onboarding.harness.keys.requestCount, 1);
    EXPECT_NE(button(*onboarding.view, "Later"), nullptr) << "asking alone changes nothing";

    // The user allows it elsewhere; the runtime's next check publishes the grant.
    onboarding.harness.keys.granted = true;
    onboarding.harness.loop.advance(PurloRuntime::permissionPollInterval);
    EXPECT_NE(button(*onboarding.view, "Continue"), nullptr);
    EXPECT_NE(accessible(*onboarding.view, "Typing reactions are ready"), nullptr);
    EXPECT_EQ(button(*onboarding.view, "Check Again"), nullptr);
    EXPECT_FALSE(shownTexts(*onboarding.view).contains(hint));

    onboarding.harness.keys.granted = false;
    onboarding.harness.runtime().recheckInputMonitoringPermission();
    EXPECT_NE(button(*onboarding.view, "Check Again"), nullptr) << "taken away, it comes back";
    EXPECT_NE(button(*onboarding.view, "Later"), nullptr);
}

TEST(OnboardingView, ReturnPressesThePrimaryButtonWhichCompletesOnboardingBeforeClosing) {
    Onboarding onboarding(false);
    testing::pressKey(*onboarding.view, Qt::Key_Return);
    EXPECT_EQ(onboarding.view->slide(), 2) << "Return on the hello slide";
    testing::pressKey(*onboarding.view, Qt::Key_Enter);
    EXPECT_EQ(onboarding.view->slide(), 3) << "\"Later\" moves on like \"Continue\"";
    EXPECT_TRUE(onboarding.closings.empty());
    testing::pressKey(*onboarding.view, Qt::Key_Return);
    EXPECT_TRUE(onboarding.completed());
    EXPECT_EQ(onboarding.closings, std::vector{true}) << "closed once, completed by then";
}

// Return on a focused button runs that button, as in every dialog of the desktop; on
// anything else that has the focus it runs the primary button.
TEST(OnboardingView, ReturnRunsTheFocusedButtonAndElsewhereThePrimaryOne) {
    const struct {
        int slide;
        const char* focused; // a button's text, else a control's name
        Qt::Key key;
        int slideAfter;
        bool completed;
        int permissionRequests;
    } cases[] = {
        {2, "Back", Qt::Key_Return, 1, false, 0},
        {3, "Back", Qt::Key_Enter, 2, false, 0},
        {2, "Check Again", Qt::Key_Return, 2, false, 1},
        {2, "Later", Qt::Key_Return, 3, false, 0},
        {3, "Meet her on your desktop", Qt::Key_Enter, 3, true, 0},
        {3, "Gray", Qt::Key_Return, 3, true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "slide " << c.slide << ", " << c.focused);
        Onboarding onboarding(false);
        while (onboarding.view->slide() < c.slide) {
            click(onboarding.view->primaryButton());
        }
        QWidget* focused = button(*onboarding.view, c.focused);
        ASSERT_NE(focused, nullptr);
        focused->setFocus(Qt::TabFocusReason);
        testing::pressKey(*focused, c.key);
        EXPECT_EQ(onboarding.view->slide(), c.slideAfter);
        EXPECT_EQ(onboarding.completed(), c.completed);
        EXPECT_EQ(onboarding.closings.size(), c.completed ? 1u : 0u);
        EXPECT_EQ(onboarding.harness.keys.requestCount, c.permissionRequests);
    }
}

TEST(OnboardingView, TheFurPickerStoresHerSkinAtOnce) {
    Onboarding onboarding(true);
    click(*button(*onboarding.view, "Continue"));
    click(*button(*onboarding.view, "Continue"));
    const auto* preview = onboarding.view->currentSlide().findChild<PurloCharacterPreview*>();
    ASSERT_NE(preview, nullptr);
    for (const QString fur : {"Calico", "Tuxedo", "Orange", "Gray", "Midnight"}) {
        ASSERT_NE(button(*onboarding.view, fur), nullptr) << fur.toStdString();
    }
    EXPECT_TRUE(button(*onboarding.view, "Tuxedo")->isChecked());

    click(*button(*onboarding.view, "Orange"));
    EXPECT_EQ(PurloSettings::load(onboarding.harness.store).settings.skin, CatSkinPreset::orange)
        << "saved at once, finished or not";
    EXPECT_EQ(preview->catView().look().skin, CatSkinPreset::orange);
    EXPECT_TRUE(button(*onboarding.view, "Orange")->isChecked());
    EXPECT_FALSE(button(*onboarding.view, "Tuxedo")->isChecked());

    // A change from elsewhere (the settings window) shows here too.
    onboarding.harness.change([](PurloSettings& settings) { settings.skin = CatSkinPreset::gray; });
    EXPECT_TRUE(button(*onboarding.view, "Gray")->isChecked());
    EXPECT_EQ(preview->catView().look().skin, CatSkinPreset::gray);
    EXPECT_FALSE(onboarding.completed());
}

TEST(OnboardingWindowController, AFixedWindowThatComesBackOnActivationUntilOnboardingIsCompleted) {
    testing::RuntimeHarness harness;
    const std::size_t observers = harness.observers.observerCount();
    testing::RecordingFixedWindowHints hints;
    {
        OnboardingWindowController controller(harness.runtime(), harness.observers,
                                              harness.appearance, hints);
        QWidget& window = *controller.window();
        EXPECT_EQ(window.windowTitle(), "Welcome to Purlo");
        EXPECT_EQ(window.width(), 600);
        EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "not resizable";
        EXPECT_FALSE(window.windowFlags() &
                     (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
        EXPECT_TRUE(window.windowFlags() & Qt::WindowCloseButtonHint);
        EXPECT_FALSE(window.isVisible()) << "the program decides when to show it";

        EXPECT_TRUE(hints.prepared.empty());

        controller.center();
        controller.makeKeyAndOrderFront();
        // The offscreen platform numbers its native windows anew at each showing.
        const auto shownFixed = [&window] {
            return std::pair{static_cast<std::uint64_t>(window.winId()),
                             FixedWindowHints::Buttons::close};
        };
        const auto firstShown = shownFixed();
        EXPECT_EQ(hints.prepared, std::vector{firstShown}) << "no minimising offered";
        click(*button(window, "Continue"));
        window.close();
        EXPECT_FALSE(window.isVisible());
        harness.observers.becomeActive();
        EXPECT_TRUE(window.isVisible()) << "closed, it was only hidden";
        EXPECT_EQ(hints.prepared, (std::vector{firstShown, shownFixed()}))
            << "prepared before each showing";
        EXPECT_EQ(controller.view().slide(), 2) << "and returns on the same slide";

        click(*button(window, "Continue"));
        click(*button(window, "Meet her on your desktop"));
        EXPECT_FALSE(window.isVisible()) << "finishing closes the window";
        EXPECT_TRUE(harness.settings().hasCompletedFirstRunOnboarding);
        harness.observers.becomeActive();
        EXPECT_FALSE(window.isVisible()) << "completed, activation leaves it alone";
        EXPECT_EQ(controller.window(), nullptr) << "nothing shows it again: it goes";
    }
    EXPECT_EQ(harness.observers.observerCount(), observers) << "it stops watching when it goes";
    harness.observers.becomeActive();
}

// Where its screen's free area holds it, frame and all, the window is 760 points tall;
// where it does not (as in ui_tests_on_a_short_screen), it takes the height there is, and
// the bar under the slides, with the slide's button, stays on the screen.
TEST(OnboardingWindowController, TakesTheHeightItsScreenHasWithItsButtonOnTheScreen) {
    testing::RuntimeHarness harness;
    testing::RecordingFixedWindowHints hints;
    OnboardingWindowController controller(harness.runtime(), harness.observers, harness.appearance,
                                          hints);
    QWidget& window = *controller.window();
    controller.center();
    controller.makeKeyAndOrderFront();
    QApplication::processEvents();
    const QRect free = window.screen()->availableGeometry();
    const QRect frame = window.frameGeometry();
    EXPECT_TRUE(free.contains(frame)) << "free " << free.height() << ", framed " << frame.height();
    EXPECT_EQ(window.height(), std::min(760, free.height() - (frame.height() - window.height())));
    EXPECT_EQ(window.width(), 600);
    const QWidget& primary = controller.view().primaryButton();
    const QRect button(primary.mapToGlobal(QPoint()), primary.size());
    EXPECT_TRUE(free.contains(button));
    EXPECT_TRUE(window.geometry().contains(button));
}

TEST(OnboardingWindowController, ACompletedProfileNeverSeesTheWindow) {
    testing::RuntimeHarness harness(testing::settingsWith(
        [](PurloSettings& settings) { settings.hasCompletedFirstRunOnboarding = true; }));
    testing::RecordingFixedWindowHints hints;
    OnboardingWindowController controller(harness.runtime(), harness.observers, harness.appearance,
                                          hints);
    harness.observers.becomeActive();
    EXPECT_FALSE(controller.window()->isVisible());
}

} // namespace
} // namespace purlo
