#include "companion/qt/ThemeQColor.h"
#include "tests/companion/BuildFolder.h"
#include "tests/support/RuntimeHarness.h"
#include "tests/ui/WidgetDriving.h"
#include "ui/OnboardingView.h"
#include "ui/PurloComponents.h"
#include "ui/PurloLink.h"
#include "ui/PurloMenuBarView.h"
#include "ui/PurloPalette.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QVBoxLayout>
#include <cctype>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace purlo {
namespace {

// How many pixels of picture are of the theme's accent, or within a little of it.
int accentPixels(const QImage& picture, const QColor& accent) {
    int found = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QColor pixel = picture.pixelColor(x, y);
            const int distance = std::abs(pixel.red() - accent.red()) +
                                 std::abs(pixel.green() - accent.green()) +
                                 std::abs(pixel.blue() - accent.blue());
            found += pixel.alpha() == 255 && distance <= 24 ? 1 : 0;
        }
    }
    return found;
}

// The control's place in its window as the window shows it, with a few points around it.
QImage pictureAround(QWidget& control) {
    QWidget& window = *control.window();
    const QRect place(control.mapTo(&window, QPoint(0, 0)), control.size());
    return window.grab(place.adjusted(-4, -4, 4, 4))
        .toImage()
        .convertToFormat(QImage::Format_ARGB32);
}

// The two pictures side by side, as a person compares them.
QImage sideBySide(const QImage& left, const QImage& right) {
    QImage both(left.width() + right.width(), std::max(left.height(), right.height()),
                QImage::Format_ARGB32);
    both.fill(Qt::transparent);
    QPainter painter(&both);
    painter.drawImage(0, 0, left);
    painter.drawImage(left.width(), 0, right);
    return both;
}

// A name for a picture's file: the words in lower case, joined by hyphens.
std::string fileName(const std::string& words) {
    std::string name;
    for (const char letter : words) {
        if (std::isalnum(static_cast<unsigned char>(letter))) {
            name += static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
        } else if (!name.empty() && name.back() != '-') {
            name += '-';
        }
    }
    while (!name.empty() && name.back() == '-') {
        name.pop_back();
    }
    return name;
}

struct Shown {
    std::string name;
    QImage resting;
    QImage focused;
    int restingAccent = 0;
    int focusedAccent = 0;
};

// Each control of window that takes the keyboard's focus, drawn without it and with it.
std::vector<Shown> focusPictures(QWidget& window, bool dark) {
    const QColor accent = themeQColor(PurloTheme::accent, dark);
    std::vector<Shown> shown;
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    for (QWidget* control : testing::shownWidgets<QWidget>(window)) {
        if ((control->focusPolicy() & Qt::TabFocus) == 0 || !control->isEnabled()) {
            continue;
        }
        window.setFocus(Qt::OtherFocusReason);
        Shown picture;
        picture.name =
            control->accessibleName().isEmpty() && control->property("text").toString().isEmpty()
                ? control->metaObject()->className()
            : control->accessibleName().isEmpty()
                ? control->property("text").toString().toStdString()
                : control->accessibleName().toStdString();
        picture.resting = pictureAround(*control);
        control->setFocus(Qt::TabFocusReason);
        EXPECT_TRUE(control->hasFocus()) << picture.name;
        picture.focused = pictureAround(*control);
        picture.restingAccent = accentPixels(picture.resting, accent);
        picture.focusedAccent = accentPixels(picture.focused, accent);
        shown.push_back(picture);
    }
    return shown;
}

void expectEveryFocusShows(const std::vector<Shown>& shown, const std::string& where) {
    EXPECT_FALSE(shown.empty()) << where;
    for (const Shown& picture : shown) {
        EXPECT_NE(picture.focused, picture.resting) << where << ": " << picture.name;
        EXPECT_GT(picture.focusedAccent, picture.restingAccent + 20)
            << where << ": " << picture.name << " shows its focus in the accent";
        if (const auto folder = testing::artifactsFolder()) {
            sideBySide(picture.resting, picture.focused)
                .save(folder->filePath(QString::fromStdString("focus-" + where + "-" +
                                                              fileName(picture.name) + ".png")));
        }
    }
}

TEST(KeyboardFocus, EveryOnboardingControlShowsItsFocusInTheAccentLightAndDark) {
    for (const bool dark : {false, true}) {
        testing::RuntimeHarness harness;
        harness.appearance.dark = dark;
        for (int slide = 1; slide <= OnboardingView::slideCount; ++slide) {
            OnboardingView view(harness.runtime(), harness.appearance, slide, [] {});
            view.setPalette(purloPalette(dark));
            view.show();
            expectEveryFocusShows(focusPictures(view, dark), "onboarding-" + std::to_string(slide) +
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
        expectEveryFocusShows(focusPictures(window, dark),
                              std::string("kit-") + (dark ? "dark" : "light"));
    }
}

TEST(KeyboardFocus, ThePopoversChosenRowShowsTheAccent) {
    testing::movePointerAway();
    testing::RuntimeHarness harness;
    PurloMenuBarView popover(harness.runtime(), harness.clock, harness.loop, harness.appearance,
                             {});
    popover.show();
    expectEveryFocusShows(focusPictures(popover, true), "popover");
}

} // namespace
} // namespace purlo
