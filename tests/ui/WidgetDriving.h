#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QStringList>
#include <QWidget>

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

// The shown button with that text, or null.
inline QAbstractButton* button(const QWidget& root, const QString& text) {
    for (QAbstractButton* candidate : shownWidgets<QAbstractButton>(root)) {
        if (candidate->text() == text) {
            return candidate;
        }
    }
    return nullptr;
}

// The shown widget with that accessible name, or null.
inline QWidget* accessible(const QWidget& root, const QString& name) {
    for (QWidget* candidate : shownWidgets<QWidget>(root)) {
        if (candidate->accessibleName() == name) {
            return candidate;
        }
    }
    return nullptr;
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

// The pointer moving over the widget with no button held.
inline void hover(QWidget& widget, QPointF at) {
    sendMouse(widget, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
}

inline void pressKey(QWidget& widget, int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(&widget, &release);
}

inline void sendFocus(QWidget& widget, QEvent::Type type) {
    QFocusEvent event(type, Qt::OtherFocusReason);
    QApplication::sendEvent(&widget, &event);
}

} // namespace purlo::testing
