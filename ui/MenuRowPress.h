#pragma once

#include <optional>

namespace purlo {

// A press on a row of the popover, and what came just before it.
struct MenuRowPress {
    // The second press of a double click: its first press has acted already.
    bool secondOfDoubleClick = false;
    // How long ago the row came under a still pointer: the popover moved it there (choices
    // unfolding, rows folding as a nap starts, a status line wrapping) rather than the hand.
    // None when the pointer came to the row, or the row has not moved since.
    std::optional<double> secondsSinceRowCameUnder;
};

// Whether the row acts on the press. A hand that clicks twice in a row means one action:
// the second press of a double click does nothing, and neither does any press on a row
// within the double-click interval of its coming under the pointer, since that press was
// aimed at what was there before.
bool menuRowTakesPress(const MenuRowPress& press, double doubleClickInterval);

} // namespace purlo
