#include "ui/MenuRowPress.h"

namespace purlo {

bool menuRowTakesPress(const MenuRowPress& press, double doubleClickInterval) {
    if (press.secondOfDoubleClick) {
        return false;
    }
    return !press.secondsSinceRowCameUnder ||
           *press.secondsSinceRowCameUnder >= doubleClickInterval;
}

} // namespace purlo
