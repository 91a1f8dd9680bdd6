#pragma once

#include "companion/PurloTheme.h"

#include <QFont>
#include <QLabel>

namespace purlo {

// A text in a fixed font and a theme colour that follows its window's appearance.
// Shown verbatim (never read as markup), wrapping onto as many lines as it needs when
// asked to.
class PurloText : public QLabel {
    Q_OBJECT

public:
    PurloText(const QString& text, const QFont& font, const AppearanceColor& color,
              QWidget* parent = nullptr);

    void setColor(const AppearanceColor& color);

protected:
    bool event(QEvent* event) override;

private:
    void applyColor();

    AppearanceColor color_;
};

} // namespace purlo
