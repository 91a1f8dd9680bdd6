#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace purlo {

// Why a file or folder could not be written, in words a person can read.
struct FileError {
    std::string message;

    friend bool operator==(const FileError&, const FileError&) = default;
};

// Creates folder and whatever parents it lacks, with the usual permissions.
std::optional<FileError> createFolders(const std::filesystem::path& folder);

// Replaces the file at path with bytes so that a reader sees either the old content or
// the new one, never a part: the bytes go to a fresh file beside it, reach the disk and
// are renamed over it. mode is the new file's permission bits before the umask (0666 for
// an ordinary file, 0600 for an owner-only one); the file has them from its creation on,
// so it is never readable by others for a moment.
std::optional<FileError> writeFileAtomically(const std::filesystem::path& path,
                                             std::string_view bytes, mode_t mode = 0666);

// Removes the file at path; a file that is already gone is no error.
std::optional<FileError> removeFile(const std::filesystem::path& path);

} // namespace purlo
