#include "companion/qt/PurloCharacterPreview.h"
#include "tests/support/RuntimeHarness.h"
#include "tests/ui/WidgetDriving.h"
#include "ui/OnboardingView.h"
#include "ui/PurloButtonChrome.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::accessible;
using testing::button;
using testing::click;
using testing::pressKey;
using testing::RuntimeHarness;
using testing::shownTexts;

struct Onboarding {
    explicit Onboarding(bool inputMonitoringGranted) {
        harness.keys.granted = inputMonitoringGranted;
        view = std::make_unique<OnboardingView>(harness.runtime(), harness.appearance, 1,
                                                [this] { ++closeCount; });
        view->show();
    }

    QAbstractButton* primary() { return button(*view, view->primaryButton().text()); }
    QString counter() {
        for (QLabel* label : testing::shownWidgets<QLabel>(*view)) {
            if (label->accessibleName().startsWith("Step ")) {
                return label->text() + " / " + label->accessibleName();
            }
        }
        return {};
    }

    RuntimeHarness harness;
    std::unique_ptr<OnboardingView> view;
    int closeCount = 0;
};

TEST(OnboardingView, WalksThroughThreeSlidesWithTheirTextsCounterAndButtons) {
    struct Slide {
        QStringList texts;
        QString counter;
        bool back;
        QString primaryNotGranted;
        QString primaryGranted;
    };
    const Slide slides[] = {
        {{"Move your cursor. Say hello.", "She\u2019s watching.",
          "Move the pointer around the preview and watch her follow."},
         "1 of 3 / Step 1 of 3",
         false,
         "Continue",
         "Continue"},
        {{"Let her tap along.", "Enable typing reactions in macOS Settings.",
          "Typing reaction preview",
          "Optional Input Monitoring lets Purlo tap along with your keypress timing. She does "
          "not read the text you type."},
         "2 of 3 / Step 2 of 3",
         true,
         "Later",
         "Continue"},
        {{"Find your Purlo.", "Choose a look for your new desktop cat.", "Fur",
          "More fur patterns, eyes, and accessories are waiting in Appearance."},
         "3 of 3 / Step 3 of 3",
         true,
         "Meet her on your desktop",
         "Meet her on your desktop"},
    };
    for (const bool granted : {false, true}) {
        Onboarding onboarding(granted);
        for (std::size_t index = 0; index < std::size(slides); ++index) {
            const Slide& slide = slides[index];
            const std::string where =
                "slide " + std::to_string(index + 1) + (granted ? " granted" : " not granted");
            const QStringList texts = shownTexts(onboarding.view->currentSlide());
            for (const QString& text : slide.texts) {
                EXPECT_TRUE(texts.contains(text)) << where << ": " << text.toStdString();
            }
            EXPECT_EQ(onboarding.counter(), slide.counter) << where;
            EXPECT_EQ(button(*onboarding.view, "Back") != nullptr, slide.back) << where;
            const QString primary = granted ? slide.primaryGranted : slide.primaryNotGranted;
            ASSERT_NE(button(*onboarding.view, primary), nullptr) << where;
            if (index + 1 < std::size(slides)) {
                click(*button(*onboarding.view, primary));
            }
        }
        // And back again, one slide at a time.
        click(*button(*onboarding.view, "Back"));
        EXPECT_EQ(onboarding.counter(), "2 of 3 / Step 2 of 3");
        click(*button(*onboarding.view, "Back"));
        EXPECT_EQ(onboarding.view->slide(), 1);
        EXPECT_EQ(button(*onboarding.view, "Back"), nullptr);
        EXPECT_FALSE(onboarding.harness.settings().hasCompletedFirstRunOnboarding);
    }
}

TEST(OnboardingView, ThePermissionSlideFollowsTheGrantWithoutBeingTouched) {
    Onboarding onboarding(false);
    click(*button(*onboarding.view, "Continue"));
    const QString hint = "If Purlo is not listed, click + and choose Purlo from Applications.";
    EXPECT_TRUE(shownTexts(*onboarding.view).contains(hint));
    EXPECT_EQ(accessible(*onboarding.view, "Typing reactions are ready"), nullptr);

    click(*button(*onboarding.view, "Open Settings"));
    EXPECT_EQ(onboarding.harness.keys.requestCount, 1);
    EXPECT_NE(button(*onboarding.view, "Later"), nullptr) << "asking alone changes nothing";

    // The user allows it elsewhere; the runtime's next check publishes the grant.
    onboarding.harness.keys.granted = true;
    onboarding.harness.loop.advance(PurloRuntime::permissionPollInterval);
    EXPECT_NE(button(*onboarding.view, "Continue"), nullptr);
    EXPECT_NE(accessible(*onboarding.view, "Typing reactions are ready"), nullptr);
    EXPECT_EQ(button(*onboarding.view, "Open Settings"), nullptr);
    EXPECT_FALSE(shownTexts(*onboarding.view).contains(hint));

    // Taken away again, the way to ask for it comes back.
    onboarding.harness.keys.granted = false;
    onboarding.harness.runtime().recheckInputMonitoringPermission();
    EXPECT_NE(button(*onboarding.view, "Open Settings"), nullptr);
    EXPECT_NE(button(*onboarding.view, "Later"), nullptr);
}

TEST(OnboardingView, ReturnPressesThePrimaryButtonWhereverTheFocusIs) {
    Onboarding onboarding(false);
    pressKey(*onboarding.view, Qt::Key_Return);
    EXPECT_EQ(onboarding.view->slide(), 2) << "Return on the hello slide";
    // A focused button that has no use for Return hands it on to the window.
    pressKey(*button(*onboarding.view, "Back"), Qt::Key_Enter);
    EXPECT_EQ(onboarding.view->slide(), 3) << "\"Later\" moves on like \"Continue\"";
    pressKey(*onboarding.view, Qt::Key_Return);
    EXPECT_TRUE(onboarding.harness.settings().hasCompletedFirstRunOnboarding);
    EXPECT_EQ(onboarding.closeCount, 1);
}

TEST(OnboardingView, TheFurPickerStoresHerSkinAtOnce) {
    Onboarding onboarding(true);
    click(*button(*onboarding.view, "Continue"));
    click(*button(*onboarding.view, "Continue"));
    const auto* preview = onboarding.view->currentSlide().findChild<PurloCharacterPreview*>();
    ASSERT_NE(preview, nullptr);
    const QStringList furs{"Calico", "Tuxedo", "Orange", "Gray", "Midnight"};
    for (const QString& fur : furs) {
        ASSERT_NE(button(*onboarding.view, fur), nullptr) << fur.toStdString();
    }
    EXPECT_TRUE(button(*onboarding.view, "Tuxedo")->isChecked());

    click(*button(*onboarding.view, "Orange"));
    EXPECT_EQ(onboarding.harness.settings().skin, CatSkinPreset::orange);
    EXPECT_EQ(PurloSettings::load(onboarding.harness.store).settings.skin, CatSkinPreset::orange)
        << "saved at once, finished or not";
    EXPECT_EQ(preview->catView().look().skin, CatSkinPreset::orange);
    EXPECT_TRUE(button(*onboarding.view, "Orange")->isChecked());
    EXPECT_FALSE(button(*onboarding.view, "Tuxedo")->isChecked());

    // A change from elsewhere (the settings window) shows here too.
    onboarding.harness.change([](PurloSettings& settings) { settings.skin = CatSkinPreset::gray; });
    EXPECT_TRUE(button(*onboarding.view, "Gray")->isChecked());
    EXPECT_EQ(preview->catView().look().skin, CatSkinPreset::gray);
    EXPECT_FALSE(onboarding.harness.settings().hasCompletedFirstRunOnboarding);
}

TEST(OnboardingView, TheLastButtonCompletesOnboardingBeforeClosing) {
    Onboarding onboarding(true);
    bool storedWhenClosed = false;
    onboarding.view = std::make_unique<OnboardingView>(
        onboarding.harness.runtime(), onboarding.harness.appearance, 3, [&] {
            storedWhenClosed = PurloSettings::load(onboarding.harness.store)
                                   .settings.hasCompletedFirstRunOnboarding;
        });
    onboarding.view->show();
    click(*button(*onboarding.view, "Meet her on your desktop"));
    EXPECT_TRUE(onboarding.harness.settings().hasCompletedFirstRunOnboarding);
    EXPECT_TRUE(storedWhenClosed);
    EXPECT_EQ(onboarding.view->slide(), 3);
}

} // namespace
} // namespace purlo
