#pragma once

#include "intents/PurloAppIntents.h"

#include <array>
#include <optional>
#include <string_view>

namespace purlo {

// The names the actions go by on the command line and between two copies of the
// program, one per kind of action, in the actions' order.
inline constexpr std::array<std::string_view, std::variant_size_v<PurloIntent>> intentActionNames{
    "pet", "start-focus", "mark-win", "nap", "wake", "agent-status"};

inline std::string_view intentActionName(const PurloIntent& intent) {
    return intentActionNames[intent.index()];
}

// The action of that name with its defaults; nothing for any other name.
std::optional<PurloIntent> intentNamed(std::string_view name);

} // namespace purlo
