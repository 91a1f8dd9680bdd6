#pragma once

#include "platform/PointerSource.h"

#include <functional>
#include <optional>

namespace purlo {

// The pointer as Qt knows it, in the same points as the companion's windows.
class QtPointerSource final : public PointerSource {
public:
    // Where the pointer is in the display's own pixels, from the desktop's top-left
    // corner; nothing when it cannot say.
    using DevicePosition = std::function<std::optional<Point>()>;

    // Asks Qt.
    QtPointerSource() = default;
    // Asks the given reading first, and Qt only when it has no answer.
    explicit QtPointerSource(DevicePosition devicePosition);

    Point location() const override;

private:
    DevicePosition devicePosition_;
};

} // namespace purlo
