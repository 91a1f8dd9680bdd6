#pragma once

#include "companion/PurloTheme.h"

#include <QString>
#include <QWidget>
#include <string>

namespace purlo {

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
};

} // namespace purlo
