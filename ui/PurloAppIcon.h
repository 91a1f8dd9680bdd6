#pragma once

#include <QIcon>
#include <QPixmap>

namespace purlo {

// The program's icon: a light paw inside a thin dark rim. The tray gives no say over
// the panel's colour, and the pair reads on a dark panel and a light one alike, as it
// does on the windows' light and dark cards.
QIcon purloAppIcon();

// The paw drawn into a square of side pixels.
QPixmap purloPawPixmap(int side);

} // namespace purlo
