#pragma once

#include "companion/PurloTheme.h"

#include <QString>
#include <QWidget>
#include <string>

namespace purlo {

class PurloSymbol;
class PurloText;

// A row led by an icon: the symbol in its colour, the title and under it a detail that
// wraps as it needs, then the trailing content at least 10 points further on.
class PurloListRow final : public QWidget {
    Q_OBJECT

public:
    // Takes the trailing widget, which may be null for none.
    PurloListRow(std::string systemImage, const AppearanceColor& iconColor, const QString& title,
                 const QString& detail, QWidget* trailing, QWidget* parent = nullptr);
    PurloListRow(std::string systemImage, const ThemeColor& iconColor, const QString& title,
                 const QString& detail, QWidget* trailing, QWidget* parent = nullptr);

    const PurloSymbol& icon() const { return *icon_; }
    const PurloText& title() const { return *title_; }
    const PurloText& detail() const { return *detail_; }
    QWidget* trailing() const { return trailing_; }

private:
    PurloSymbol* icon_;
    PurloText* title_;
    PurloText* detail_;
    QWidget* trailing_;
};

} // namespace purlo
