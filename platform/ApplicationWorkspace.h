#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace purlo {

// What the desktop does with programs and volumes on the program's behalf.
class ApplicationWorkspace {
public:
    virtual ~ApplicationWorkspace() = default;

    // Starts a new copy of the program installed at bundle with arguments, even while
    // this one runs. done runs on the event loop with why it failed, or nothing.
    virtual void openNewInstance(const std::filesystem::path& bundle,
                                 std::vector<std::string> arguments,
                                 std::function<void(std::optional<std::string> error)> done) = 0;
    // Unmounts the volume at path and ejects its device. done runs on the event loop,
    // true when the volume went.
    virtual void unmountAndEject(const std::filesystem::path& path,
                                 std::function<void(bool ejected)> done) = 0;
};

} // namespace purlo
