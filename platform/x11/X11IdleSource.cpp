#include "platform/x11/X11IdleSource.h"

#include "platform/x11/X11ErrorTrap.h"

#include <X11/extensions/scrnsaver.h>

namespace purlo {

X11IdleSource::X11IdleSource(const X11Connection& connection)
    : connection_(connection) {
    int eventBase = 0;
    int errorBase = 0;
    extensionPresent_ = connection_.isOpen() &&
                        XScreenSaverQueryExtension(connection_.display(), &eventBase, &errorBase);
}

std::optional<double> X11IdleSource::secondsSinceAnyInput() const {
    if (!extensionPresent_) {
        return std::nullopt;
    }
    X11ErrorTrap trap(connection_.display());
    XScreenSaverInfo info{};
    const Status status =
        XScreenSaverQueryInfo(connection_.display(), connection_.rootWindow(), &info);
    if (status == 0 || !trap.succeeded()) {
        return std::nullopt;
    }
    return static_cast<double>(info.idle) / 1000.0;
}

} // namespace purlo
