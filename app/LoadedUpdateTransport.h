#pragma once

#include "integrations/PurloUpdateTransport.h"

#include <filesystem>

namespace purlo {

// The update transport of the module in moduleFolder, opened when the first check is
// sent and kept until the program ends. While the module cannot be opened, a check
// fails as one that met a network error, saying why; the next check tries again.
PurloUpdateTransport loadedUpdateTransport(std::filesystem::path moduleFolder);

} // namespace purlo
