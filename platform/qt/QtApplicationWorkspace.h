#pragma once

#include "platform/ApplicationWorkspace.h"
#include "platform/EventLoop.h"

#include <QObject>
#include <string>

namespace purlo {

// Starts programs as detached processes and ejects volumes through the desktop's
// "gio mount --eject".
class QtApplicationWorkspace final : public ApplicationWorkspace {
public:
    // executableName: the program's file inside a bundle folder. The loop must outlive
    // the workspace.
    QtApplicationWorkspace(EventLoop& loop, std::string executableName)
        : loop_(loop)
        , executableName_(std::move(executableName)) {}

    void openNewInstance(const std::filesystem::path& bundle, std::vector<std::string> arguments,
                         std::function<void(std::optional<std::string> error)> done) override;
    void unmountAndEject(const std::filesystem::path& path,
                         std::function<void(bool ejected)> done) override;

private:
    EventLoop& loop_;
    std::string executableName_;
    // Parent of the eject commands still running, which end with the workspace.
    QObject commands_;
};

} // namespace purlo
