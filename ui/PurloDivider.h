#pragma once

#include "companion/PurloTheme.h"

#include <QColor>
#include <QWidget>
#include <optional>

namespace purlo {

// A one-point rule in a given colour, as wide as its place.
class PurloDivider : public QWidget {
    Q_OBJECT

public:
    explicit PurloDivider(const QColor& color, QWidget* parent = nullptr);
    // A rule in a theme colour that follows the appearance of the window it sits in.
    explicit PurloDivider(const AppearanceColor& color, QWidget* parent = nullptr);

    void setColor(const QColor& color);
    // The colour the rule is drawn in now.
    QColor color() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor color_;
    std::optional<AppearanceColor> themeColor_;
};

} // namespace purlo
