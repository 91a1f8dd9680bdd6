#pragma once

#include "platform/Clock.h"
#include "ui/PointerHover.h"

#include <QAbstractButton>
#include <QString>
#include <functional>
#include <optional>
#include <string>

namespace purlo {

// One line of the popover that looks and acts like a menu item: an optional symbol, a
// title and, at the trailing edge, a key hint, a disclosure chevron or nothing. The
// whole padded row takes the click, and it lights up in the accent while the pointer
// is over it or the keys chose it. Two clicks of a still hand act once, however the rows
// move under it. Assistive technology reads it as a button named by its title, with its
// key hint as its description.
class MenuRow final : public QAbstractButton {
    Q_OBJECT

public:
    // What the trailing edge shows.
    struct Trailing {
        enum class Kind { keyHint, chevron, none };

        static Trailing hint(QString text) { return {Kind::keyHint, std::move(text), false}; }
        static Trailing chevron(bool expanded) { return {Kind::chevron, {}, expanded}; }
        static Trailing none() { return {}; }

        Kind kind = Kind::none;
        QString keyHint;
        bool expanded = false; // a chevron points down when expanded, right otherwise

        friend bool operator==(const Trailing&, const Trailing&) = default;
    };

    static constexpr double horizontalPadding = 10;
    static constexpr double verticalPadding = 7;
    static constexpr double symbolColumn = 19;
    static constexpr double spacing = 11;
    static constexpr double cornerRadius = 7;

    MenuRow(const QString& title, std::optional<std::string> systemImage, Trailing trailing,
            bool indented, std::function<void()> action, QWidget* parent = nullptr);

    // Rows whose state shows in them (show or hide, start or stop, the nap chevron)
    // change in place.
    void setTitle(const QString& title);
    void setSystemImage(std::optional<std::string> systemImage);
    void setTrailing(Trailing trailing);
    // Where the time of the row's coming under the pointer is read (the system's clock
    // unless replaced). The owner keeps the clock alive as long as the row.
    void setClock(const Clock& clock) { clock_ = &clock; }

    const std::optional<std::string>& systemImage() const { return systemImage_; }
    const Trailing& trailing() const { return trailing_; }
    bool indented() const { return indented_; }
    bool hovering() const;
    // Whether the row shows the highlight. One row does at a time, as in a menu: the row
    // the keys chose, else the row under the pointer.
    bool lit() const;
    // Lights or darkens the row for where the pointer is now.
    void recheckHover() { hover_.recheck(); }
    // Where the title starts, from the row's leading edge.
    double titleOffset() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& position) const override;
    // Double clicks come here too, as Qt hands them to a widget that does not ask for them.
    void mousePressEvent(QMouseEvent* event) override;
    // Moving the pointer onto a row takes the highlight back from the keys.
    void mouseMoveEvent(QMouseEvent* event) override;
    // Return runs the row as a click does; Space does through the button itself. The
    // arrows are the popover's, which moves between its rows.
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // The row of this popover the keys chose, if any.
    const MenuRow* keysChoice() const;
    // Another row's highlight may come or go with the keys: the popover is drawn again.
    void redrawRows();
    // The trailing item's width, 0 for none.
    double trailingWidth() const;
    void paintTrailing(QPainter& painter, const QRectF& area, const QColor& foreground,
                       bool highlighted) const;

    std::optional<std::string> systemImage_;
    Trailing trailing_;
    bool indented_;
    SystemClock systemClock_;
    const Clock* clock_ = &systemClock_;
    // When the row last came under a still pointer, while it stays there.
    std::optional<double> cameUnderAt_;
    PointerHover hover_;
};

} // namespace purlo
