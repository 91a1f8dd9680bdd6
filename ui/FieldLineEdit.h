#pragma once

#include <QLineEdit>

class QHideEvent;

namespace purlo {

// The line edit inside the windows' text and number fields. Assistive technology edits it
// through an interface of its own, which takes only the text a tool sent (see
// FieldLineEditAccessible.h).
class FieldLineEdit final : public QLineEdit {
    Q_OBJECT

public:
    explicit FieldLineEdit(QWidget* parent = nullptr);

    // Whether an event of the line edit's is the focus entering the field: a focus-in, or
    // coming back into sight holding the focus. A window closed from outside while the
    // field's menu is open can leave the field Qt's focus, and shown again it is sent no
    // focus-in: a field that holds the focus is being typed in all the same.
    bool isEnteredBy(const QEvent& event) const;
    // Whether an event of the line edit's is the focus leaving the field. Its own right-click
    // menu takes the focus only while it is open, and its Paste and Delete act on the
    // selection the field holds: committing then would show the stored text again over that
    // selection. The field going out of sight is, its menu open or not: a window closed from
    // outside while the menu is open takes the focus from nothing.
    bool isLeftBy(const QEvent& event) const;

protected:
    // Its menu goes with it: nothing edits a field out of sight.
    void hideEvent(QHideEvent* event) override;

private:
    // Its right-click menu while that is open, else nothing.
    QWidget* openMenu() const;
};

} // namespace purlo
