#pragma once

#include <QLineEdit>

class QFocusEvent;

namespace purlo {

// The line edit inside the windows' text and number fields. Assistive technology edits it
// through an interface of its own, which takes only the text a tool sent (see
// FieldLineEditAccessible.h).
class FieldLineEdit final : public QLineEdit {
    Q_OBJECT

public:
    explicit FieldLineEdit(QWidget* parent = nullptr);

    // Whether a loss of focus is the focus leaving the field. Its own right-click menu takes
    // the focus only while it is open, and its Paste and Delete act on the selection the
    // field holds: committing then would show the stored text again over that selection.
    bool isLeftBy(const QFocusEvent& event) const;
};

} // namespace purlo
