#pragma once

#include "companion/PurloTheme.h"

#include <QColor>
#include <QWidget>
#include <optional>

namespace purlo {

// A one-point rule in a given colour, as wide as its place.
class PurloDivider : public QWidget {
public:
    explicit PurloDivider(const QColor& color, QWidget* parent = nullptr);
    // In a theme colour, as the window it sits in shows it.
    explicit PurloDivider(const AppearanceColor& color, QWidget* parent = nullptr);

    void setColor(const QColor& color);
    QColor color() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor color_;
    std::optional<AppearanceColor> themeColor_;
};

} // namespace purlo
