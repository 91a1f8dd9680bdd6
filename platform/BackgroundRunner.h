#pragma once

#include <functional>

namespace purlo {

// Runs work away from the event loop's thread, then done on the event loop. work must
// touch nothing the loop's thread uses meanwhile.
using BackgroundRunner =
    std::function<void(std::function<void()> work, std::function<void()> done)>;

} // namespace purlo
