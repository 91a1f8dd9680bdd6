#pragma once

#include <QWidget>

namespace purlo {

// A place in a page whose content is built afresh whenever what it shows changes.
// The content it replaces is hidden at once and deleted on a later turn of the event
// loop, since the change may come from a click on one of that content's own buttons.
class ReplaceableContent final : public QWidget {
    Q_OBJECT

public:
    explicit ReplaceableContent(QWidget* parent = nullptr);

    // Takes the new content; null leaves the place empty.
    void replace(QWidget* content);

private:
    QWidget* content_ = nullptr;
};

} // namespace purlo
