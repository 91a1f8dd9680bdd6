#pragma once

#include <optional>
#include <string>

namespace purlo {

// A fresh random (version 4) UUID in its upper-case 36-character form, as the gate's
// session and the backups' names carry it; nothing when the system has no
// randomness to give.
std::optional<std::string> randomUuid();

} // namespace purlo
