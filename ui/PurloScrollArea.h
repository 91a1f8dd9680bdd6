#pragma once

#include <QScrollArea>

namespace purlo {

// A scrolling area as assistive technology may safely ask about it. Its children are
// always the same three, the viewport and the holders of its two scroll bars, shown or
// not, and a child asked for past them is nothing. Qt's own answer counts only the scroll
// bars that show, so a page switched for a shorter one changes the count unannounced,
// and a screen reader that asks by the old count makes it read past the end of its list.
class PurloScrollArea final : public QScrollArea {
    Q_OBJECT

public:
    explicit PurloScrollArea(QWidget* parent = nullptr);
};

} // namespace purlo
