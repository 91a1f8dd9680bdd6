#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace purlo {

// The frontmost application.
struct ActiveAppSnapshot {
    // Matched anywhere in the lower-cased name and identifier.
    static constexpr std::array<std::string_view, 8> codingContextKeywords{
        "codex", "claude", "cursor", "terminal", "iterm", "xcode", "antigravity", "kiro"};

    std::string name = "Unknown";
    std::optional<std::string> bundleIdentifier;

    // Whether the frontmost application counts as a developer tool.
    bool isCodingContext() const;

    friend bool operator==(const ActiveAppSnapshot&, const ActiveAppSnapshot&) = default;
};

} // namespace purlo
