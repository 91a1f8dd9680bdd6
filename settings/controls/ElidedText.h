#pragma once

#include "ui/PurloText.h"

namespace purlo {

// A single line of text that gives way to its place: where the place is narrower than
// the text, it shows as much as fits, cut between whole characters and ended with "…".
// It asks for its whole width and makes do with the ellipsis alone; its text, for
// assistive technology too, stays whole.
class ElidedText final : public PurloText {
    Q_OBJECT

public:
    using PurloText::PurloText;

    // What it shows at its width now.
    QString shownText() const;

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace purlo
