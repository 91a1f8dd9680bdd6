#pragma once

#include "base/Enumeration.h"

namespace purlo {

// How the cat feels. The case order indexes tables such as the cat view's frame
// intervals.
enum class CatMood {
    idle,
    curious,
    hunting,
    typing,
    overheated,
    thinking,
    celebrating,
    stretching,
    sleeping,
    purring,
    dragged,
};

template <>
struct EnumNames<CatMood> {
    static constexpr std::array<std::string_view, 11> values{
        "idle",        "curious",    "hunting",  "typing",  "overheated", "thinking",
        "celebrating", "stretching", "sleeping", "purring", "dragged"};
};

} // namespace purlo
