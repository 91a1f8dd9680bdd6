#pragma once

namespace purlo {

// How the desktop asks programs to look and move.
class Appearance {
public:
    virtual ~Appearance() = default;

    // The user asked the desktop to keep animations to a minimum.
    virtual bool reduceMotion() const = 0;
    // The desktop's windows are drawn light on dark.
    virtual bool darkAppearance() const = 0;
};

} // namespace purlo
