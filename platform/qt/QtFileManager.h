#pragma once

#include "platform/FileManager.h"

namespace purlo {

// The file system through the standard library; the trash is the desktop's (the
// freedesktop.org trash in the user's data folder), reached through Qt.
class QtFileManager final : public FileManager {
public:
    bool exists(const std::filesystem::path& path) const override;
    std::optional<FileError> trashItem(const std::filesystem::path& path) override;
    std::optional<FileError> copyItem(const std::filesystem::path& source,
                                      const std::filesystem::path& destination) override;
    std::vector<std::filesystem::path>
    itemsBelow(const std::filesystem::path& folder) const override;
    void removeExtendedAttribute(const std::filesystem::path& path, std::string_view name) override;
};

} // namespace purlo
