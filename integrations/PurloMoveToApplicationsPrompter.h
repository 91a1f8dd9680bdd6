#pragma once

#include "base/KeyValueStore.h"
#include "integrations/PurloInstallLocation.h"
#include "platform/AlertPresenter.h"
#include "platform/ApplicationWorkspace.h"
#include "platform/BackgroundRunner.h"
#include "platform/EventLoop.h"
#include "platform/FileManager.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace purlo {

// What moving the program into the Applications folder needs of the system. These
// ports, and this value itself, must outlive the move and the ejection, which finish on
// later turns of the event loop.
struct PurloMoveToApplicationsPorts {
    const InstallLocationProbe& probe;
    FileManager& files;
    ApplicationWorkspace& workspace;
    EventLoop& loop;
    BackgroundRunner inBackground;
    // Ends this program the normal way, so the runtime stops as at any quit.
    std::function<void()> terminate;
    std::filesystem::path homeFolder;
};

// Offers a program started from its disk image (or from the temporary copy the system
// made of it) to move itself into the Applications folder, once per launch until the
// user says "Not now"; on "Move to Applications" it copies itself there, starts the
// copy and quits, and the copy ejects the image it came from. No state of its own:
// only the declined key outlives a launch.
namespace PurloMoveToApplicationsPrompter {

inline constexpr std::string_view declinedKey = "purlo.install.moveToApplicationsDeclined";
// Passed to the moved copy, followed by the volume root of the image to eject.
inline constexpr std::string_view ejectVolumeArgument = "--purlo-eject-volume";
inline constexpr std::string_view applicationsFolder = "/Applications";
inline constexpr std::string_view quarantineAttribute = "com.apple.quarantine";
inline constexpr int ejectAttempts = 6;
inline constexpr double ejectRetryDelay = 2.0;

// Schedules the ejection of the disk image named after "--purlo-eject-volume" in
// arguments; does nothing when it is missing, not exactly a volume root or not a disk
// image.
void handleEjectVolumeArgument(std::span<const std::string> arguments,
                               const PurloMoveToApplicationsPorts& ports);

// Asks, as a sheet on window's window when it shows one, else on its own, whether to
// move the bundle at bundlePath, unless the user declined before (in defaults) or
// there is nothing to gain.
void promptIfNeeded(const PurloMoveToApplicationsPorts& ports, AlertPresenter& window,
                    const std::string& bundlePath, KeyValueStore& defaults);

// Copies the bundle into the Applications folder in the background, then starts the
// copy or says why it could not.
void moveToApplications(const PurloMoveToApplicationsPorts& ports, const std::string& bundlePath,
                        const PurloInstallLocation& location, AlertPresenter& window);

// Moves what is at destination to the trash, copies source there and clears the copy's
// quarantine. The source stays; nothing is rolled back after an error.
std::optional<FileError> installCopy(const std::filesystem::path& source,
                                     const std::filesystem::path& destination, FileManager& files);

// Clears the quarantine attribute of destination and of everything below it.
void removeQuarantine(const std::filesystem::path& destination, FileManager& files);

// Starts the installed copy (asking it to eject a disk image) and quits this one, or
// says why it could not start.
void relaunch(const PurloMoveToApplicationsPorts& ports, const std::filesystem::path& destination,
              const PurloInstallLocation& location, AlertPresenter& window);

// Says the move failed and why; the program goes on running from where it is.
void showMoveFailure(std::string_view error, AlertPresenter& window);

// Tries to eject the volume at path 2 seconds from now while it is there, again after
// each failure until no attempts are left. Failures are never shown.
void scheduleVolumeEject(const PurloMoveToApplicationsPorts& ports, const std::string& path,
                         int attemptsLeft);

} // namespace PurloMoveToApplicationsPrompter
} // namespace purlo
