#pragma once

#include "ui/MenuRow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QStringList>
#include <QWidget>
#include <gtest/gtest.h>

namespace purlo::testing {

// What a person could see of root: the widgets of that type shown inside it.
template <typename T>
QList<T*> shownWidgets(const QWidget& root) {
    QList<T*> shown;
    for (T* widget : root.findChildren<T*>()) {
        if (widget->isVisibleTo(&root)) {
            shown.push_back(widget);
        }
    }
    return shown;
}

// The first shown widget of that type whose property has that value, or null.
template <typename T, typename Value>
T* shownWith(const QWidget& root, Value (T::*property)() const, const Value& value) {
    for (T* widget : shownWidgets<T>(root)) {
        if ((widget->*property)() == value) {
            return widget;
        }
    }
    return nullptr;
}

// Lets the queued work run: shows, layouts and the deletion of what was let go.
inline void settle() {
    for (int turn = 0; turn < 5; ++turn) {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

inline QAbstractButton* button(const QWidget& root, const QString& text) {
    return shownWith(root, &QAbstractButton::text, text);
}

inline QWidget* accessible(const QWidget& root, const QString& name) {
    return shownWith(root, &QWidget::accessibleName, name);
}

// Every text shown in a label inside root, in the order the widgets were made.
inline QStringList shownTexts(const QWidget& root) {
    QStringList texts;
    for (const QLabel* label : shownWidgets<QLabel>(root)) {
        texts.push_back(label->text());
    }
    return texts;
}

inline void sendMouse(QWidget& widget, QEvent::Type type, QPointF at, Qt::MouseButton button,
                      Qt::MouseButtons buttons) {
    QMouseEvent event(type, at, widget.mapToGlobal(at), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

// A left click at a point of the widget, or at its centre.
inline void click(QWidget& widget, std::optional<QPointF> at = std::nullopt) {
    const QPointF point = at.value_or(QRectF(widget.rect()).center());
    sendMouse(widget, QEvent::MouseButtonPress, point, Qt::LeftButton, Qt::LeftButton);
    sendMouse(widget, QEvent::MouseButtonRelease, point, Qt::LeftButton, Qt::NoButton);
}

// A press or a release at a point of the screen, handed to the window as the window system
// hands it one: the window passes it on to whatever lies under that point by then.
inline void sendToWindow(QWidget& window, QEvent::Type type, QPoint global,
                         Qt::MouseButtons buttons) {
    const QPointF local = window.mapFromGlobal(QPointF(global));
    QMouseEvent event(type, local, local, QPointF(global), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(window.windowHandle(), &event);
}

// Two clicks of a hand resting at a point of the screen, the second as Qt hands on a double
// click (its press comes as a double click) unless it lands a little off, where Qt takes
// the two for separate clicks.
inline void clickTwice(QWidget& window, QPoint global, bool secondLandsOff = false) {
    QCursor::setPos(global);
    QApplication::processEvents();
    sendToWindow(window, QEvent::MouseButtonPress, global, Qt::LeftButton);
    sendToWindow(window, QEvent::MouseButtonRelease, global, Qt::NoButton);
    QApplication::processEvents();
    const QPoint second = secondLandsOff ? global + QPoint(0, 6) : global;
    sendToWindow(window, secondLandsOff ? QEvent::MouseButtonPress : QEvent::MouseButtonDblClick,
                 second, Qt::LeftButton);
    sendToWindow(window, QEvent::MouseButtonRelease, second, Qt::NoButton);
    QApplication::processEvents();
}

// The pointer coming into the widget, or leaving it.
inline void enter(QWidget& widget, bool inside) {
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&widget, inside ? &enter : &leave);
}

// Moves the pointer for real: Qt hands the move to the window under it and works out
// from there which widgets it entered and left, as it does for a person's mouse.
inline void pointAt(QPoint global) {
    QCursor::setPos(global);
    QApplication::processEvents();
}

// The pointer off every window, where each test that moves it leaves it, so that a
// widget shown later is not under it.
inline void movePointerAway() {
    pointAt(QPoint(790, 790));
}

inline void pressKey(QWidget& widget, int key, const QString& text = {},
                     Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(&widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(&widget, &release);
}

// Types text into the widget one key at a time, over nothing selected.
inline void typeInto(QWidget& widget, const QString& text) {
    for (const QChar character : text) {
        pressKey(widget, 0, QString(character));
    }
}

inline void sendFocus(QWidget& widget, QEvent::Type type) {
    QFocusEvent event(type, Qt::OtherFocusReason);
    QApplication::sendEvent(&widget, &event);
}

// The titles of the menu rows a person sees, top to bottom.
inline std::vector<std::string> visibleRowTitles(const QWidget& popover) {
    std::vector<std::string> titles;
    for (const MenuRow* row : shownWidgets<MenuRow>(popover)) {
        titles.push_back(row->text().toStdString());
    }
    return titles;
}

// The titles of the menu rows that show the highlight, top to bottom.
inline std::vector<std::string> litRows(const QWidget& popover) {
    std::vector<std::string> lit;
    for (const MenuRow* row : shownWidgets<MenuRow>(popover)) {
        if (row->lit()) {
            lit.push_back(row->text().toStdString());
        }
    }
    return lit;
}

// Clicks the middle of the row a person sees under that title; a failure when there is none.
inline void press(const QWidget& popover, const QString& title) {
    if (QAbstractButton* row = button(popover, title)) {
        click(*row);
    } else {
        ADD_FAILURE() << "no row \"" << title.toStdString() << "\" is shown";
    }
}

} // namespace purlo::testing
