#pragma once

#include <string_view>

namespace purlo {

// The program's fixed texts that, as first written, named a macOS place or control
// that Linux does not have ("macOS Settings", "Applications", the command key, ...).
// Each says instead what Purlo does here, in the same tone and at about the same
// length. They stand together so a reader can review every one of them at once; the
// program's other texts keep their wording exactly.
struct LinuxWordings {};

} // namespace purlo
