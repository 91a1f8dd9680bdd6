#pragma once

#include "app/PurloMenuBarController.h"
#include "tests/support/RecordingFixedWindowHints.h"
#include "tests/support/RuntimeHarness.h"

#include <string_view>

namespace purlo::testing {

// The paw and its popover over a runtime on fakes and virtual time; without a tray, as on
// the offscreen platform, the popover opens at the pointer and nothing is told of it.
struct MenuBarHarness {
    RuntimeHarness harness;
    RecordingFixedWindowHints windowHints;
    PurloMenuBarController controller{harness.runtime(),
                                      harness.clock,
                                      harness.loop,
                                      harness.appearance,
                                      windowHints,
                                      [](std::string_view) {
                                      }};
};

} // namespace purlo::testing
