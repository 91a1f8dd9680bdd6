#include "tests/support/RuntimeHarness.h"
#include "tests/ui/FocusPictures.h"
#include "tests/ui/TabWalk.h"
#include "ui/OnboardingView.h"
#include "ui/PurloComponents.h"
#include "ui/PurloLink.h"
#include "ui/PurloMenuBarView.h"
#include "ui/PurloPalette.h"

#include <QApplication>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <string>

namespace purlo {
namespace {

TEST(KeyboardFocus, EveryOnboardingControlShowsItsFocusInTheAccentLightAndDark) {
    for (const bool dark : {false, true}) {
        testing::RuntimeHarness harness;
        harness.appearance.dark = dark;
        for (int slide = 1; slide <= OnboardingView::slideCount; ++slide) {
            OnboardingView view(harness.runtime(), harness.appearance, slide, [] {});
            view.setPalette(purloPalette(dark));
            view.show();
            testing::expectEveryFocusShows(testing::focusPictures(view, dark),
                                           "onboarding-" + std::to_string(slide) +
                                               (dark ? "-dark" : "-light"));
        }
    }
}

// Onboarding opens with the keyboard on the window itself, so no ring shows before a key
// is pressed; from there Tab goes through each slide as it stands, then Back and the main
// button; a screen reader names every stop, the slide's scrolling area too; Return runs
// every button Tab stops at. Each slide is reached as a user reaches it, from the first.
TEST(KeyboardFocus, TabGoesThroughEveryOnboardingSlideAsItStandsAndNamesEveryStop) {
    const struct {
        int slide;
        bool granted;
        const char* firstStop; // the slide's scrolling area, named by its heading
    } slides[] = {
        {1, false, "Move your cursor. Say hello."},
        {2, false, "Let her tap along."},
        {2, true, "Let her tap along."},
        {3, false, "Find your Purlo."},
    };
    for (const auto& s : slides) {
        SCOPED_TRACE(::testing::Message() << "slide " << s.slide << " granted " << s.granted);
        testing::RuntimeHarness harness;
        harness.keys.granted = s.granted;
        OnboardingView view(harness.runtime(), harness.appearance, 1, [] {});
        view.show();
        view.activateWindow();
        QApplication::setActiveWindow(&view);
        testing::settle();
        EXPECT_EQ(QApplication::focusWidget(), &view);
        while (view.slide() < s.slide) {
            testing::click(view.primaryButton());
        }
        testing::settle();
        const std::vector<QWidget*> stops = testing::tabStops(view);
        testing::expectTabFollowsTheScreen(stops);
        EXPECT_EQ(testing::heardNames(stops).value(0).toStdString(), s.firstStop);
        testing::expectReturnRunsEveryButton(stops);
    }
}

TEST(KeyboardFocus, EveryKitControlShowsItsFocusInTheAccentLightAndDark) {
    for (const bool dark : {false, true}) {
        QWidget window;
        window.setPalette(purloPalette(dark));
        window.setAutoFillBackground(true);
        auto* column = new QVBoxLayout(&window);
        column->setContentsMargins(24, 24, 24, 24);
        column->addWidget(PurloPrimaryButtonStyle{true}.makeBody("Save Look"));
        column->addWidget(PurloGhostButtonStyle{}.makeBody("Copy Report", "doc.on.doc"));
        bool on = false;
        column->addWidget(new PurloToggle({[&on] { return on; },
                                           [&on](bool value) {
                                               on = value;
                                           }},
                                          "Launch at login"));
        column->addWidget(new PurloLink("Privacy policy", 13));
        column->addWidget(PurloTrailingDisclosureGroupStyle{}.makeBody(
            new PurloText("Support Report", QFont(), PurloTheme::primaryText),
            new PurloText("details", QFont(), PurloTheme::secondaryText)));
        window.show();
        testing::expectEveryFocusShows(testing::focusPictures(window, dark),
                                       std::string("kit-") + (dark ? "dark" : "light"));
    }
}

TEST(KeyboardFocus, ThePopoversChosenRowShowsTheAccent) {
    testing::movePointerAway();
    testing::RuntimeHarness harness;
    PurloMenuBarView popover(harness.runtime(), harness.clock, harness.loop, harness.appearance,
                             {});
    popover.show();
    testing::expectEveryFocusShows(testing::focusPictures(popover, true), "popover");
}

} // namespace
} // namespace purlo
