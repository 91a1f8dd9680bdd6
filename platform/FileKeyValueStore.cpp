#include "platform/FileKeyValueStore.h"

#include "base/RegularFile.h"
#include "platform/AtomicFile.h"

#include <cstdio>

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

StoredData FileKeyValueStore::read(std::string_view key) const {
    if (!isValidKey(key)) {
        return {};
    }
    std::error_code error;
    auto bytes = readRegularFile(fileOf(key), maximumValueSize, error);
    if (error == std::errc::no_such_file_or_directory) {
        error.clear();
    }
    return {std::move(bytes), error};
}

// The new bytes go to a hidden file beside the key, which no key can name, and
// replace the old ones only once they are on disk.
std::error_code FileKeyValueStore::write(std::string_view key, std::string_view bytes) {
    if (!isValidKey(key)) {
        return std::make_error_code(std::errc::invalid_argument);
    }
    if (const auto error = createFolders(folder_, ownerOnlyFolder)) {
        return error;
    }
    return writeFileAtomically(fileOf(key), bytes, ownerOnlyFile);
}

bool FileKeyValueStore::remove(std::string_view key) {
    return isValidKey(key) && !removeFile(fileOf(key));
}

// Moved, not copied, so a huge file costs nothing. Whatever stood under to goes first,
// a folder with all it holds included, even when some of it cannot be removed: a rename
// only replaces a file or an empty folder, and what was set aside before must never keep
// the next damage in the key's place.
bool FileKeyValueStore::setAside(std::string_view from, std::string_view to) {
    if (!isValidKey(from) || !isValidKey(to)) {
        return false;
    }
    const auto aside = fileOf(to);
    clearPlace(aside);
    if (std::rename(fileOf(from).c_str(), aside.c_str()) != 0) {
        return false;
    }
    truncateRegularFile(aside, maximumValueSize);
    return true;
}

// What went aside is cut to the size the store keeps, as setAside cuts it.
std::error_code FileKeyValueStore::writeSettingAside(std::string_view key, std::string_view bytes,
                                                     std::string_view asideKey) {
    if (!isValidKey(key) || !isValidKey(asideKey)) {
        return std::make_error_code(std::errc::invalid_argument);
    }
    if (const auto error = createFolders(folder_, ownerOnlyFolder)) {
        return error;
    }
    const auto aside = fileOf(asideKey);
    if (const auto error = writeFileSettingAside(fileOf(key), bytes, aside, ownerOnlyFile)) {
        return error;
    }
    truncateRegularFile(aside, maximumValueSize);
    return {};
}

std::filesystem::path FileKeyValueStore::fileOf(std::string_view key) const {
    auto file = folder_ / key;
    finishSettingAside(file);
    return file;
}

void FileKeyValueStore::removeStaleTemporaryFiles() const {
    removeStaleTemporaryFilesIn(folder_);
}

} // namespace purlo
