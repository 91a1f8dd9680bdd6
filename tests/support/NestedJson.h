#pragma once

#include <cstddef>
#include <string>

namespace purlo::testing {

// object (JSON object text) with one more member, "nested", holding arrays within
// arrays so that the whole document nests depth levels deep, the object included.
inline std::string withNesting(std::string object, std::size_t depth) {
    object.pop_back();
    if (object != "{") {
        object += ',';
    }
    return object + "\"nested\":" + std::string(depth - 1, '[') + std::string(depth - 1, ']') + '}';
}

} // namespace purlo::testing
