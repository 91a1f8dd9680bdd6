#include "platform/FileKeyValueStore.h"

#include "platform/AtomicFile.h"

namespace purlo {
namespace {

constexpr auto ownerOnlyFolder = std::filesystem::perms::owner_all;
constexpr auto ownerOnlyFile =
    std::filesystem::perms::owner_read | std::filesystem::perms::owner_write;

} // namespace

FileKeyValueStore::FileKeyValueStore(std::filesystem::path folder)
    : folder_(std::move(folder)) {}

bool FileKeyValueStore::isValidKey(std::string_view key) {
    return !key.empty() && !key.starts_with('.') && key.find('/') == std::string_view::npos &&
           key.find('\0') == std::string_view::npos;
}

std::optional<std::string> FileKeyValueStore::data(std::string_view key) const {
    if (!isValidKey(key)) {
        return std::nullopt;
    }
    std::error_code error;
    return readRegularFile(folder_ / key, error);
}

// The new bytes go to a hidden file beside the key, which no key can name, and
// replace the old ones only once they are on disk.
bool FileKeyValueStore::setData(std::string_view key, std::string_view bytes) {
    return isValidKey(key) && !createFolders(folder_, ownerOnlyFolder) &&
           !writeFileAtomically(folder_ / key, bytes, ownerOnlyFile);
}

bool FileKeyValueStore::remove(std::string_view key) {
    return isValidKey(key) && !removeFile(folder_ / key);
}

} // namespace purlo
