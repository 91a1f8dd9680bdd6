#include "tests/support/RuntimeHarness.h"
#include "tests/ui/FocusPictures.h"
#include "ui/OnboardingView.h"
#include "ui/PurloComponents.h"
#include "ui/PurloLink.h"
#include "ui/PurloMenuBarView.h"
#include "ui/PurloPalette.h"

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
