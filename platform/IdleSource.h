#pragma once

#include <optional>

namespace purlo {

// How long the user has left keyboard and pointer alone, across the whole session.
class IdleSource {
public:
    virtual ~IdleSource() = default;

    // Seconds since the last input of any kind: finite and not negative, or nothing
    // when the desktop cannot tell.
    virtual std::optional<double> secondsSinceAnyInput() const = 0;
};

} // namespace purlo
