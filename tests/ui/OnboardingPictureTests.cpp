#include "companion/qt/ThemeQColor.h"
#include "tests/companion/BuildFolder.h"
#include "tests/support/RuntimeHarness.h"
#include "tests/ui/WidgetDriving.h"
#include "ui/OnboardingView.h"
#include "ui/PurloButtonChrome.h"
#include "ui/PurloPalette.h"

#include <QImage>
#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::RuntimeHarness;

// Every slide in both appearances, drawn whole: the window's ground, the bar's card
// colour and its divider are the theme's, and the pictures are kept for a person to
// look at.
TEST(OnboardingPictures, EverySlideDrawsInTheThemeOfItsAppearance) {
    const auto artifacts = testing::artifactsFolder();
    struct Case {
        int slide;
        bool granted;
    };
    const Case cases[] = {{1, false}, {2, false}, {2, true}, {3, false}};
    for (const bool dark : {false, true}) {
        for (const auto [slide, granted] : cases) {
            RuntimeHarness harness;
            harness.keys.granted = granted;
            harness.appearance.dark = dark;
            harness.appearance.reducesMotion = true; // one still frame of the cat
            OnboardingView view(harness.runtime(), harness.appearance, slide, [] {});
            view.setPalette(purloPalette(dark));
            const QImage picture = view.grab().toImage();
            const std::string name = std::string("onboarding-") + std::to_string(slide) +
                                     (granted ? "-granted" : "") + (dark ? "-dark" : "-light");
            if (artifacts) {
                picture.save(artifacts->filePath(QString::fromStdString(name + ".png")));
            }
            ASSERT_EQ(picture.size(), QSize(600, 760)) << name;
            EXPECT_EQ(picture.pixelColor(4, 4).rgb(),
                      themeQColor(PurloTheme::windowBackground, dark).rgb())
                << name;
            EXPECT_EQ(picture.pixelColor(4, 755).rgb(),
                      themeQColor(PurloTheme::cardBackground, dark).rgb())
                << name;
            const int barTop = view.primaryButton().parentWidget()->mapTo(&view, QPoint(0, 0)).y();
            EXPECT_EQ(picture.pixelColor(300, barTop).rgb(),
                      themeQColor(PurloTheme::border, dark).rgb())
                << name;
        }
    }
}

} // namespace
} // namespace purlo
