#pragma once

#include <QColor>
#include <QWidget>

namespace purlo {

// A one-point rule in a given colour, as wide as its place.
class PurloDivider : public QWidget {
public:
    explicit PurloDivider(const QColor& color, QWidget* parent = nullptr);

    void setColor(const QColor& color);
    QColor color() const { return color_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor color_;
};

} // namespace purlo
