#pragma once

#include "ui/MenuRow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace purlo::testing {

// The titles of the rows a person sees, top to bottom.
inline std::vector<std::string> visibleRowTitles(const QWidget& popover) {
    std::vector<std::string> titles;
    for (const MenuRow* row : popover.findChildren<MenuRow*>()) {
        if (row->isVisible()) {
            titles.push_back(row->text().toStdString());
        }
    }
    return titles;
}

// The row a person sees under that title; a test failure when there is none.
inline MenuRow* visibleRow(const QWidget& popover, const std::string& title) {
    for (MenuRow* row : popover.findChildren<MenuRow*>()) {
        if (row->isVisible() && row->text().toStdString() == title) {
            return row;
        }
    }
    ADD_FAILURE() << "no row \"" << title << "\" is shown";
    return nullptr;
}

// A left click at the point, as the window system would deliver it.
inline void click(QWidget& widget, QPointF point) {
    const QPointF global = widget.mapToGlobal(point);
    QMouseEvent press(QEvent::MouseButtonPress, point, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, point, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(&widget, &release);
}

// Clicks the middle of the row titled so.
inline void press(const QWidget& popover, const std::string& title) {
    if (MenuRow* row = visibleRow(popover, title)) {
        click(*row, QRectF(row->rect()).center());
    }
}

inline void pressKeys(QWidget& widget, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QKeyEvent down(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(&widget, &down);
    QKeyEvent up(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(&widget, &up);
}

} // namespace purlo::testing
