#pragma once

#include "companion/qt/ThemeQColor.h"
#include "tests/companion/BuildFolder.h"
#include "tests/ui/WidgetDriving.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cctype>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// Whether every control of a window that takes the keyboard's focus shows it: each is
// drawn without the focus and with it, and the two pictures are kept side by side for a
// person to look at.
namespace purlo::testing {

// Whether a pixel is the accent, or within a little of it.
inline bool isAccent(const QColor& pixel, const QColor& accent) {
    const int distance = std::abs(pixel.red() - accent.red()) +
                         std::abs(pixel.green() - accent.green()) +
                         std::abs(pixel.blue() - accent.blue());
    return pixel.alpha() == 255 && distance <= 24;
}

// How many pixels change between two pictures of one place where either is in the accent:
// a ring drawn in it, or an accent fill that draws back from one.
inline int accentChanges(const QImage& before, const QImage& after, const QColor& accent) {
    int found = 0;
    for (int y = 0; y < after.height(); ++y) {
        for (int x = 0; x < after.width(); ++x) {
            const QColor was = before.pixelColor(x, y);
            const QColor is = after.pixelColor(x, y);
            found += was != is && (isAccent(was, accent) || isAccent(is, accent)) ? 1 : 0;
        }
    }
    return found;
}

// The control's place in its window as the window shows it, with room around it for a
// ring, or for the box of a text field whose focus sits on the text inside.
inline QImage pictureAround(QWidget& control) {
    constexpr int room = 12;
    QWidget& window = *control.window();
    const QRect place(control.mapTo(&window, QPoint(0, 0)), control.size());
    return window.grab(place.adjusted(-room, -room, room, room))
        .toImage()
        .convertToFormat(QImage::Format_ARGB32);
}

// The two pictures side by side, as a person compares them.
inline QImage sideBySide(const QImage& left, const QImage& right) {
    QImage both(left.width() + right.width(), std::max(left.height(), right.height()),
                QImage::Format_ARGB32);
    both.fill(Qt::transparent);
    QPainter painter(&both);
    painter.drawImage(0, 0, left);
    painter.drawImage(left.width(), 0, right);
    return both;
}

// A name for a picture's file: the words in lower case, joined by hyphens.
inline std::string fileName(const std::string& words) {
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
    int accentChanged = 0;
};

// Each control of window that takes the keyboard's focus, drawn without it and with it.
inline std::vector<Shown> focusPictures(QWidget& window, bool dark) {
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
        picture.accentChanged = accentChanges(picture.resting, picture.focused, accent);
        shown.push_back(picture);
    }
    return shown;
}

inline void expectEveryFocusShows(const std::vector<Shown>& shown, const std::string& where) {
    EXPECT_FALSE(shown.empty()) << where;
    for (const Shown& picture : shown) {
        EXPECT_NE(picture.focused, picture.resting) << where << ": " << picture.name;
        EXPECT_GT(picture.accentChanged, 20)
            << where << ": " << picture.name << " shows its focus in the accent";
        if (const auto folder = testing::artifactsFolder()) {
            sideBySide(picture.resting, picture.focused)
                .save(folder->filePath(QString::fromStdString("focus-" + where + "-" +
                                                              fileName(picture.name) + ".png")));
        }
    }
}

} // namespace purlo::testing
