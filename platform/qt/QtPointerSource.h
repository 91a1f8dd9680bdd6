#pragma once

#include "platform/PointerSource.h"

namespace purlo {

// The pointer as Qt knows it, in the same points as the companion's windows.
class QtPointerSource final : public PointerSource {
public:
    Point location() const override;
};

} // namespace purlo
