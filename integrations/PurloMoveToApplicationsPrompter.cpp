#include "integrations/PurloMoveToApplicationsPrompter.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <vector>

namespace purlo::PurloMoveToApplicationsPrompter {
namespace {

constexpr std::size_t moveButton = 0;
constexpr std::size_t notNowButton = 1;

// Why moving helps, for the location the prompt looked through to; nothing where
// moving gains nothing.
std::optional<std::string_view> reasonToMove(const PurloInstallLocation& location) {
    switch (location.kind) {
    case PurloInstallLocation::Kind::diskImage:
        return "Ejecting the disk image would remove her.";
    case PurloInstallLocation::Kind::translocated:
        return "From a temporary folder she cannot update herself.";
    case PurloInstallLocation::Kind::settled:
        break;
    }
    return std::nullopt;
}

// A sheet on a window that shows; otherwise the program comes forward and asks.
void present(AlertPresenter& window, const Alert& alert,
             std::function<void(AlertAnswer)> answered) {
    if (window.windowIsVisible()) {
        window.beginSheet(alert, std::move(answered));
    } else {
        answered(window.runModal(alert));
    }
}

// The bundle keeps its own file name in the Applications folder.
std::filesystem::path destinationFor(const std::string& bundlePath) {
    return std::filesystem::path(applicationsFolder) / std::filesystem::path(bundlePath).filename();
}

} // namespace

void handleEjectVolumeArgument(std::span<const std::string> arguments,
                               const PurloMoveToApplicationsPorts& ports) {
    const auto flag = std::ranges::find(arguments, ejectVolumeArgument);
    if (flag == arguments.end() || std::next(flag) == arguments.end()) {
        return;
    }
    const std::string& path = *std::next(flag);
    if (volumeRoot(path) != path || !ports.probe.isDiskImageVolume(path)) {
        return;
    }
    scheduleVolumeEject(ports, path, ejectAttempts);
}

void promptIfNeeded(const PurloMoveToApplicationsPorts& ports, AlertPresenter& window,
                    const std::string& bundlePath, KeyValueStore& defaults) {
    const PurloInstallLocation location = installLocation(bundlePath, ports.probe);
    const auto openedFrom = translocatedOriginalPath(bundlePath, location, ports.probe);
    if (defaults.boolean(declinedKey).value_or(false) || !bundlePath.ends_with(".app")) {
        return;
    }
    const auto root = volumeRoot(bundlePath);
    const bool onDiskImage = root && ports.probe.isDiskImageVolume(*root);
    if (!onDiskImage && (root || !isTranslocatedPath(bundlePath))) {
        return;
    }
    const std::string home = ports.homeFolder.string();
    if ((openedFrom && isInApplicationsFolder(*openedFrom, home)) ||
        isInApplicationsFolder(bundlePath, home)) {
        return;
    }
    const PurloInstallLocation promptLocation =
        installLocation(bundlePath, openedFrom, ports.probe);
    const auto reason = reasonToMove(promptLocation);
    if (!reason) {
        return;
    }
    const Alert alert{"Purlo runs best from your Applications folder.",
                      std::string(*reason),
                      {"Move to Applications", "Not now"}};
    present(window, alert,
            [&ports, &window, &defaults, bundlePath, promptLocation](AlertAnswer answer) {
                if (answer == moveButton) {
                    moveToApplications(ports, bundlePath, promptLocation, window);
                } else if (answer == notNowButton) {
                    defaults.setBoolean(declinedKey, true);
                }
            });
}

void moveToApplications(const PurloMoveToApplicationsPorts& ports, const std::string& bundlePath,
                        const PurloInstallLocation& location, AlertPresenter& window) {
    const std::filesystem::path destination = destinationFor(bundlePath);
    // Filled by the work, read only once it is done.
    auto outcome = std::make_shared<std::optional<FileError>>();
    ports.inBackground([&files = ports.files, source = std::filesystem::path(bundlePath),
                        destination,
                        outcome] { *outcome = installCopy(source, destination, files); },
                       [&ports, &window, destination, location, outcome] {
                           if (*outcome) {
                               showMoveFailure((*outcome)->message, window);
                           } else {
                               relaunch(ports, destination, location, window);
                           }
                       });
}

std::optional<FileError> installCopy(const std::filesystem::path& source,
                                     const std::filesystem::path& destination, FileManager& files) {
    if (files.exists(destination)) {
        if (auto error = files.trashItem(destination)) {
            return error;
        }
    }
    if (auto error = files.copyItem(source, destination)) {
        return error;
    }
    removeQuarantine(destination, files);
    return std::nullopt;
}

void removeQuarantine(const std::filesystem::path& destination, FileManager& files) {
    std::vector<std::filesystem::path> paths{destination};
    for (const auto& relative : files.itemsBelow(destination)) {
        paths.push_back(destination / relative);
    }
    for (const auto& path : paths) {
        files.removeExtendedAttribute(path, quarantineAttribute);
    }
}

void relaunch(const PurloMoveToApplicationsPorts& ports, const std::filesystem::path& destination,
              const PurloInstallLocation& location, AlertPresenter& window) {
    std::vector<std::string> arguments;
    if (location.kind == PurloInstallLocation::Kind::diskImage) {
        arguments = {std::string(ejectVolumeArgument), location.volumePath};
    }
    ports.workspace.openNewInstance(destination, std::move(arguments),
                                    [&ports, &window](std::optional<std::string> error) {
                                        if (error) {
                                            showMoveFailure(*error, window);
                                        } else {
                                            ports.terminate();
                                        }
                                    });
}

void showMoveFailure(std::string_view error, AlertPresenter& window) {
    const Alert alert{"Purlo could not move to Applications.",
                      std::string(error) +
                          "\nShe keeps running from here. You can drag her into Applications "
                          "yourself anytime.",
                      {"OK"}};
    present(window, alert, [](AlertAnswer) {});
}

void scheduleVolumeEject(const PurloMoveToApplicationsPorts& ports, const std::string& path,
                         int attemptsLeft) {
    if (attemptsLeft < 1 || !ports.files.exists(path)) {
        return;
    }
    ports.loop.postAfter(ejectRetryDelay, [&ports, path, attemptsLeft] {
        ports.workspace.unmountAndEject(path, [&ports, path, attemptsLeft](bool ejected) {
            if (!ejected) {
                scheduleVolumeEject(ports, path, attemptsLeft - 1);
            }
        });
    });
}

} // namespace purlo::PurloMoveToApplicationsPrompter
