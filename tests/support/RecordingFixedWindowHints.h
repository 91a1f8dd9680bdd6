#pragma once

#include "platform/FixedWindowHints.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace purlo::testing {

// Remembers which native windows were prepared as windows of fixed size, and with which
// buttons.
class RecordingFixedWindowHints final : public FixedWindowHints {
public:
    void prepare(std::uint64_t nativeWindow, Buttons buttons) override {
        prepared.emplace_back(nativeWindow, buttons);
    }

    std::vector<std::pair<std::uint64_t, Buttons>> prepared;
};

} // namespace purlo::testing
