#pragma once

#include "platform/InstallLocationProbe.h"

#include <optional>
#include <string>
#include <string_view>

namespace purlo {

// Where the running program lives: on a mounted disk image (whose volume root is kept,
// so the image can be ejected later), in a temporary read-only copy the system made of
// it, or anywhere else. These tests read the system but change nothing, and a failed
// system call makes their answer "no".
struct PurloInstallLocation {
    enum class Kind { diskImage, translocated, settled };

    Kind kind = Kind::settled;
    // The volume root of a disk image ("/Volumes/Purlo"); empty otherwise.
    std::string volumePath;

    static PurloInstallLocation diskImage(std::string volumePath) {
        return {Kind::diskImage, std::move(volumePath)};
    }
    static PurloInstallLocation translocated() { return {Kind::translocated, {}}; }
    static PurloInstallLocation settled() { return {}; }

    friend bool operator==(const PurloInstallLocation&, const PurloInstallLocation&) = default;
};

// "/Volumes/" + the third component of an absolute path under "/Volumes" (exactly so
// spelled), whatever lies deeper; nothing for any other path.
std::optional<std::string> volumeRoot(std::string_view path);

// Whether one of the path's components is exactly "AppTranslocation".
bool isTranslocatedPath(std::string_view path);

// Whether path, tidied up (a leading "~" is homeFolder; empty, "." and ".." components
// go), lies inside "/Applications/" or inside the home folder's "Applications/". The
// folders themselves do not count, nor a sibling whose name merely begins the same.
bool isInApplicationsFolder(std::string_view path, std::string_view homeFolder);

// Where a translocated bundle was opened from, as far as the system knows; nothing for
// any other location.
std::optional<std::string> translocatedOriginalPath(const std::string& bundlePath,
                                                    const PurloInstallLocation& location,
                                                    const InstallLocationProbe& probe);

// Where the bundle at path lives.
PurloInstallLocation installLocation(const std::string& path, const InstallLocationProbe& probe);

// The same, looking through a translocated copy to the disk image it was opened from
// (openedFrom), so that the image the user opened is the one ejected after a move.
PurloInstallLocation installLocation(const std::string& path,
                                     const std::optional<std::string>& openedFrom,
                                     const InstallLocationProbe& probe);

} // namespace purlo
