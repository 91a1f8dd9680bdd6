#include "app/StandardError.h"

#include <cstdio>

namespace purlo {

void tellOnStandardError(std::string_view line) {
    std::fprintf(stderr, "%.*s\n", static_cast<int>(line.size()), line.data());
}

} // namespace purlo
