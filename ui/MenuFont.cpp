#include "ui/MenuFont.h"

#include <QApplication>
#include <cmath>

namespace purlo {

QFont menuFont(double pixels, QFont::Weight weight) {
    QFont font = QApplication::font();
    font.setPixelSize(static_cast<int>(std::lround(pixels)));
    font.setWeight(weight);
    return font;
}

} // namespace purlo
