#pragma once

#include "tests/ui/WidgetDriving.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QPointer>
#include <QRect>
#include <QStringList>
#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// The keyboard's way through a window as a person takes it: Tab pressed again and again
// from the window itself, with what a screen reader says at each stop.
namespace purlo::testing {

// What a screen reader says of the widget.
inline QString heardName(QWidget& widget) {
    const QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(&widget);
    return heard != nullptr ? heard->text(QAccessible::Name) : QString();
}

// Each widget that Tab gives the focus to, in turn, from the window itself until the way
// comes round to a widget it has met.
inline std::vector<QWidget*> tabStops(QWidget& window) {
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    window.setFocus(Qt::OtherFocusReason);
    std::vector<QWidget*> stops;
    for (QWidget* focused = &window; focused != nullptr;) {
        pressKey(*focused, Qt::Key_Tab);
        focused = QApplication::focusWidget();
        if (focused == nullptr || focused == &window || std::ranges::count(stops, focused) > 0) {
            break;
        }
        stops.push_back(focused);
    }
    return stops;
}

inline QString described(QWidget& stop) {
    const QString name = heardName(stop);
    return name.isEmpty() ? QStringLiteral("<unnamed %1>").arg(stop.metaObject()->className())
                          : name;
}

// The stops as a screen reader names them, in the order Tab takes.
inline QStringList heardNames(const std::vector<QWidget*>& stops) {
    QStringList names;
    for (QWidget* stop : stops) {
        names.push_back(described(*stop));
    }
    return names;
}

// Whether b stands before a as the eye reads a window: wholly above it, or beside it on
// its line and wholly to its left. Both are measured in the nearest widget that holds
// both, which a scrolling page moves as one; an area and what it holds stand in no order.
inline bool standsBefore(QWidget& a, QWidget& b) {
    if (a.isAncestorOf(&b) || b.isAncestorOf(&a)) {
        return false;
    }
    QWidget* common = a.parentWidget();
    while (!common->isAncestorOf(&b)) {
        common = common->parentWidget();
    }
    const QRect first(a.mapTo(common, QPoint(0, 0)), a.size());
    const QRect second(b.mapTo(common, QPoint(0, 0)), b.size());
    const bool sameLine = second.top() <= first.bottom() && first.top() <= second.bottom();
    return second.bottom() < first.top() || (sameLine && second.right() < first.left());
}

// Every stop has a name a screen reader says, and each stop stands after the one before
// it on the screen: top to bottom, and along a line from left to right.
inline void expectTabFollowsTheScreen(const std::vector<QWidget*>& stops) {
    const std::string way = heardNames(stops).join(" > ").toStdString();
    EXPECT_FALSE(stops.empty());
    for (QWidget* stop : stops) {
        EXPECT_FALSE(heardName(*stop).isEmpty())
            << described(*stop).toStdString() << " takes the focus without a name, in " << way;
    }
    for (std::size_t index = 1; index < stops.size(); ++index) {
        EXPECT_FALSE(standsBefore(*stops[index - 1], *stops[index]))
            << described(*stops[index]).toStdString() << " stands before "
            << described(*stops[index - 1]).toStdString() << " but comes after it, in " << way;
    }
}

// Return on each stop that is a button, one that acts rather than one that is chosen or
// switched, runs it once.
inline void expectReturnRunsEveryButton(const std::vector<QWidget*>& stops) {
    std::vector<QPointer<QAbstractButton>> buttons;
    for (QWidget* stop : stops) {
        auto* button = qobject_cast<QAbstractButton*>(stop);
        if (button != nullptr && !button->isCheckable()) {
            buttons.emplace_back(button);
        }
    }
    for (const QPointer<QAbstractButton>& button : buttons) {
        if (button.isNull()) {
            continue;
        }
        const std::string name = described(*button).toStdString();
        int runs = 0;
        const QMetaObject::Connection counting =
            QObject::connect(button, &QAbstractButton::clicked, [&runs] { ++runs; });
        pressKey(*button, Qt::Key_Return);
        QObject::disconnect(counting);
        EXPECT_EQ(runs, 1) << name << " runs on Return";
    }
}

} // namespace purlo::testing
