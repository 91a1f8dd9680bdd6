#pragma once

#include "base/Date.h"

#include <string>

namespace purlo {

// "2026-01-13T09:00:00Z": the date in UTC, to the whole second below it.
std::string internetDateTime(Date date);

} // namespace purlo
