#pragma once

#include "platform/Environment.h"
#include "platform/LoginItem.h"

#include <filesystem>
#include <string>

namespace purlo {

// The autostart folder of the user's desktop: "autostart" in the user's config root.
std::filesystem::path autostartFolder(const Environment& environment);

// Opening at login through a desktop entry in the autostart folder, which every
// freedesktop session reads when the user logs in.
class AutostartLoginItem final : public LoginItem {
public:
    static constexpr std::string_view entryFileName = "purlo.desktop";

    AutostartLoginItem(std::filesystem::path folder, std::filesystem::path executable)
        : folder_(std::move(folder))
        , executable_(std::move(executable)) {}

    // Enabled while our entry is there and the desktop has not switched it off.
    LoginItemStatus status() const override;
    // Writes the entry afresh, so one the desktop switched off is switched on again.
    std::optional<FileError> registerItem() override;
    std::optional<FileError> unregisterItem() override;

    std::filesystem::path entryFile() const { return folder_ / entryFileName; }

private:
    std::filesystem::path folder_;
    std::filesystem::path executable_;
};

// The entry's text for the executable; nothing when its path cannot be written in an
// entry (a line break in it).
std::optional<std::string> autostartEntry(const std::filesystem::path& executable);

} // namespace purlo
