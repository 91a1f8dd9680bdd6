#pragma once

#include <optional>
#include <string>

namespace purlo {

// What the system can tell about the place the program was started from.
class InstallLocationProbe {
public:
    virtual ~InstallLocationProbe() = default;

    // Whether the volume mounted at volumePath is a disk image.
    virtual bool isDiskImageVolume(const std::string& volumePath) const = 0;
    // Where a program that the system runs from a temporary read-only copy was opened
    // from; nothing when the system cannot say.
    virtual std::optional<std::string>
    translocatedOriginalPath(const std::string& bundlePath) const = 0;
};

// Linux neither mounts the program from a disk image nor runs it from a temporary
// copy of its own making, so both answers are always "no".
class LinuxInstallLocationProbe final : public InstallLocationProbe {
public:
    bool isDiskImageVolume(const std::string&) const override { return false; }
    std::optional<std::string> translocatedOriginalPath(const std::string&) const override {
        return std::nullopt;
    }
};

} // namespace purlo
