#pragma once

#include "base/KeyValueStore.h"

#include <cstddef>
#include <filesystem>

namespace purlo {

// Keeps each key in a file of its own name inside one folder (the program passes
// its config folder). Only the owner can read what is kept: the folder is made 0700
// and every file 0600 from the moment it exists. A value is replaced atomically, so
// a crash or a full disk leaves either the old bytes or the new ones, never a mix.
// A key is a plain file name: empty names, names with "/" and names starting with
// "." are refused, so no key reaches outside the folder or onto a temporary file.
// A stop can cut short a write that sets damage aside where the filesystem cannot swap two
// names; the next use of that key finishes it (see finishSettingAside).
class FileKeyValueStore final : public KeyValueStore {
public:
    // The values are settings of a few kilobytes. A file far larger is refused as
    // unreadable without being read, so a huge file costs neither time nor memory.
    static constexpr std::size_t maximumValueSize = 1024 * 1024;

    explicit FileKeyValueStore(std::filesystem::path folder);

    StoredData read(std::string_view key) const override;
    std::error_code write(std::string_view key, std::string_view bytes) override;
    bool remove(std::string_view key) override;
    bool setAside(std::string_view from, std::string_view to) override;
    std::error_code writeSettingAside(std::string_view key, std::string_view bytes,
                                      std::string_view asideKey) override;

    // Removes what a write interrupted by a kill left in the folder (see AtomicFile.h).
    void removeStaleTemporaryFiles() const;

    static bool isValidKey(std::string_view key);

private:
    // The file that holds key, once a write of it that a stop cut short is finished.
    std::filesystem::path fileOf(std::string_view key) const;

    std::filesystem::path folder_;
};

} // namespace purlo
