#pragma once

#include "platform/AtomicFile.h"

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace purlo {

// The file work of installing a copy of the program elsewhere.
class FileManager {
public:
    virtual ~FileManager() = default;

    // Whether anything is at path, a broken link included.
    virtual bool exists(const std::filesystem::path& path) const = 0;
    // Moves the item at path into the user's trash.
    virtual std::optional<FileError> trashItem(const std::filesystem::path& path) = 0;
    // Copies the item at source, folders with everything in them, to destination, which
    // must not exist yet.
    virtual std::optional<FileError> copyItem(const std::filesystem::path& source,
                                              const std::filesystem::path& destination) = 0;
    // The paths of everything below folder, relative to it, in the order a walk through
    // it finds them; links are not followed.
    virtual std::vector<std::filesystem::path>
    itemsBelow(const std::filesystem::path& folder) const = 0;
    // Removes the extended attribute name from the item at path itself (not from what a
    // link points to), when it has one. Most items have none, so failing is ordinary
    // and not reported.
    virtual void removeExtendedAttribute(const std::filesystem::path& path,
                                         std::string_view name) = 0;
};

} // namespace purlo
