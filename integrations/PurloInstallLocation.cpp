#include "integrations/PurloInstallLocation.h"

#include <algorithm>
#include <vector>

namespace purlo {
namespace {

constexpr std::string_view volumesFolder = "Volumes";
constexpr std::string_view translocationFolder = "AppTranslocation";
constexpr std::string_view applicationsFolder = "/Applications/";

// The path's names between slashes, with "/" first for an absolute path; runs of
// slashes separate like one.
std::vector<std::string_view> components(std::string_view path) {
    std::vector<std::string_view> parts;
    if (path.starts_with('/')) {
        parts.emplace_back("/");
    }
    while (!path.empty()) {
        const auto slash = path.find('/');
        const std::string_view part = path.substr(0, slash);
        if (!part.empty()) {
            parts.push_back(part);
        }
        path = slash == std::string_view::npos ? std::string_view{} : path.substr(slash + 1);
    }
    return parts;
}

// The path with a leading "~" spelled out and its empty, "." and ".." components
// resolved by name alone; no link is followed.
std::string standardized(std::string_view path, std::string_view homeFolder) {
    std::string expanded(path);
    if (path == "~" || path.starts_with("~/")) {
        expanded = std::string(homeFolder) + std::string(path.substr(1));
    }
    const auto parts = components(expanded);
    const bool absolute = !parts.empty() && parts.front() == "/";
    std::vector<std::string_view> kept;
    for (const auto part : parts) {
        if (part == "/" || part == ".") {
            continue;
        }
        if (part == ".." && !kept.empty() && kept.back() != "..") {
            kept.pop_back();
        } else if (part != ".." || !absolute) {
            kept.push_back(part);
        }
    }
    std::string result = absolute ? "/" : "";
    for (std::size_t index = 0; index < kept.size(); ++index) {
        result += (index ? "/" : "") + std::string(kept[index]);
    }
    return result;
}

bool onDiskImage(const std::optional<std::string>& root, const InstallLocationProbe& probe) {
    return root && probe.isDiskImageVolume(*root);
}

} // namespace

std::optional<std::string> volumeRoot(std::string_view path) {
    const auto parts = components(path);
    if (parts.size() < 3 || parts[0] != "/" || parts[1] != volumesFolder) {
        return std::nullopt;
    }
    return "/" + std::string(volumesFolder) + "/" + std::string(parts[2]);
}

bool isTranslocatedPath(std::string_view path) {
    const auto parts = components(path);
    return std::ranges::find(parts, translocationFolder) != parts.end();
}

bool isInApplicationsFolder(std::string_view path, std::string_view homeFolder) {
    const std::string tidy = standardized(path, homeFolder);
    const std::string home = standardized(homeFolder, homeFolder);
    return tidy.starts_with(applicationsFolder) ||
           tidy.starts_with(home + std::string(applicationsFolder));
}

std::optional<std::string> translocatedOriginalPath(const std::string& bundlePath,
                                                    const PurloInstallLocation& location,
                                                    const InstallLocationProbe& probe) {
    if (location.kind != PurloInstallLocation::Kind::translocated) {
        return std::nullopt;
    }
    return probe.translocatedOriginalPath(bundlePath);
}

PurloInstallLocation installLocation(const std::string& path, const InstallLocationProbe& probe) {
    if (const auto root = volumeRoot(path)) {
        return onDiskImage(root, probe) ? PurloInstallLocation::diskImage(*root)
                                        : PurloInstallLocation::settled();
    }
    return isTranslocatedPath(path) ? PurloInstallLocation::translocated()
                                    : PurloInstallLocation::settled();
}

PurloInstallLocation installLocation(const std::string& path,
                                     const std::optional<std::string>& openedFrom,
                                     const InstallLocationProbe& probe) {
    if (volumeRoot(path) || !isTranslocatedPath(path)) {
        return installLocation(path, probe);
    }
    if (openedFrom) {
        if (const auto root = volumeRoot(*openedFrom); onDiskImage(root, probe)) {
            return PurloInstallLocation::diskImage(*root);
        }
    }
    return PurloInstallLocation::translocated();
}

} // namespace purlo
