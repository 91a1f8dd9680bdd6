#pragma once

#include "ui/RunsOnReturn.h"

#include <QAbstractButton>

namespace purlo {

// A plain text link: its title in the accent colour, underlined while the pointer is
// over it. A click, or Return while it has the focus, runs what it is connected to,
// usually opening a web page.
class PurloLink final : public RunsOnReturn<QAbstractButton> {
    Q_OBJECT

public:
    PurloLink(const QString& title, double points, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
};

} // namespace purlo
