#pragma once

#include "platform/IdleSource.h"
#include "platform/x11/X11Connection.h"

namespace purlo {

// The session's idle time as the X server's screen saver extension counts it.
class X11IdleSource final : public IdleSource {
public:
    // The connection must outlive the source.
    explicit X11IdleSource(const X11Connection& connection);

    // Nothing without a display or without the extension.
    std::optional<double> secondsSinceAnyInput() const override;

private:
    const X11Connection& connection_;
    bool extensionPresent_ = false;
};

} // namespace purlo
