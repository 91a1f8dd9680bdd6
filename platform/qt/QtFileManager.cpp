#include "platform/qt/QtFileManager.h"

#include <QFile>
#include <QString>
#include <sys/xattr.h>

namespace purlo {

bool QtFileManager::exists(const std::filesystem::path& path) const {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

std::optional<FileError> QtFileManager::trashItem(const std::filesystem::path& path) {
    if (QFile::moveToTrash(QString::fromStdString(path.string()))) {
        return std::nullopt;
    }
    return FileError{"Could not move “" + path.string() + "” to the trash."};
}

std::optional<FileError> QtFileManager::copyItem(const std::filesystem::path& source,
                                                 const std::filesystem::path& destination) {
    std::error_code error;
    std::filesystem::copy(source, destination,
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::copy_symlinks,
                          error);
    if (error) {
        return FileError::saving(destination, error);
    }
    return std::nullopt;
}

std::vector<std::filesystem::path>
QtFileManager::itemsBelow(const std::filesystem::path& folder) const {
    std::vector<std::filesystem::path> items;
    std::error_code error;
    for (std::filesystem::recursive_directory_iterator
             walk(folder, std::filesystem::directory_options::skip_permission_denied, error),
         end;
         !error && walk != end; walk.increment(error)) {
        items.push_back(walk->path().lexically_relative(folder));
    }
    return items;
}

void QtFileManager::removeExtendedAttribute(const std::filesystem::path& path,
                                            std::string_view name) {
    lremovexattr(path.c_str(), std::string(name).c_str());
}

} // namespace purlo
