#pragma once

#include "companion/PurloTheme.h"

#include <QFont>
#include <QString>
#include <QWidget>
#include <string>

namespace purlo {

// A one-line title led by its symbol, both in one colour; the symbol is as tall as
// the font's letters. Assistive technology reads the title.
class PurloLabel final : public QWidget {
    Q_OBJECT

public:
    PurloLabel(const QString& title, std::string systemImage, const QFont& font,
               const AppearanceColor& color, QWidget* parent = nullptr);
};

} // namespace purlo
