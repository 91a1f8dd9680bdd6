#pragma once

#include "intents/PurloAppIntents.h"

#include <array>
#include <string>
#include <string_view>

namespace purlo {

// One ready-made action: what it does, what a user says to run it, and how it is
// labelled and drawn.
struct PurloShortcut {
    // Stands for the program's name in a phrase.
    static constexpr std::string_view applicationName = "${applicationName}";

    PurloIntent intent;
    std::array<std::string_view, 2> phrases;
    std::string_view shortTitle;
    std::string_view systemImageName;

    // The phrase with the program's name put in.
    static std::string phrase(std::string_view phrase, std::string_view name);
};

// The seven ready-made actions, in the order they are offered; the agent status is there
// twice, once for each status.
struct PurloShortcuts {
    static const std::array<PurloShortcut, 7>& appShortcuts();
};

} // namespace purlo
