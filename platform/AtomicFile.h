#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace purlo {

// The program's file work. Other programs read some of these files at any moment
// (the coding tools their settings, the hook script its gate, the desktop the
// autostart entry), so nothing is ever visible half-written, and what is private is
// private from its creation.

// Replaces the file at path with bytes so that a reader sees either the old content
// or the new one, never a part: the bytes go to a fresh file beside it, reach the
// disk and are renamed over it. mode is the new file's permission before the umask
// (0666 for an ordinary file, 0600 for an owner-only one); the file has it from its
// creation on. On failure the old file stays and no temporary file is left.
std::error_code writeFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                                    std::filesystem::perms mode = std::filesystem::perms(0666));

// Writes bytes as writeFileAtomically does, over whatever stands at path, a folder included,
// which no file can be renamed over: what stood there goes to aside, after aside is freed as
// clearPlace frees it. The new file and the old one trade places in one step, so path holds
// one of them whenever the program stops; a path that holds nothing yet simply gets the file.
// Where the filesystem cannot swap two names (FUSE, many network folders), the old one goes
// aside before the new one comes in, and a stop in between leaves the new bytes, whole and on
// the disk, under a hidden name beside path for finishSettingAside. When the bytes cannot be
// written, nothing moves.
std::error_code writeFileSettingAside(const std::filesystem::path& path, std::string_view bytes,
                                      const std::filesystem::path& aside,
                                      std::filesystem::perms mode = std::filesystem::perms(0666));

// Ends a writeFileSettingAside of path that a stop cut short between its two moves: with
// nothing at path, the new bytes take its place; with something still there, the write never
// happened and they go, so they never come back once path is removed. Run before path is read.
void finishSettingAside(const std::filesystem::path& path);

// Replaces a file of the user's as an editor's save does: the new content keeps the
// permission bits of the file it replaces, whatever the umask, and its group where the user
// may give it; a file that is not there yet is created with modeWhenNew (before the umask),
// as writeFileAtomically does.
std::error_code replaceFileKeepingMode(const std::filesystem::path& path, std::string_view bytes,
                                       std::filesystem::perms modeWhenNew);

// Makes folder and its missing parents, each with mode (before the umask) from the
// start; folders that exist keep their permissions.
std::error_code createFolders(const std::filesystem::path& folder,
                              std::filesystem::perms mode = std::filesystem::perms(0777));

// A write takes milliseconds: a temporary file this many seconds old is one whose
// writer died between creating and renaming it (a kill, a crash, a power cut).
inline constexpr double staleTemporaryFileAge = 60;

// Removes the temporary files writeFileAtomically left beside file, when they are
// this user's regular files and older than staleTemporaryFileAge; a younger one may
// be another process's write under way. Files of any other name are never touched.
void removeStaleTemporaryFiles(const std::filesystem::path& file);
// The same for the temporary files of every file in folder.
void removeStaleTemporaryFilesIn(const std::filesystem::path& folder);

// Cuts the regular file at path to its first size bytes, when it is longer. Anything
// else, a link included (never the file it points to), is left as it is.
std::error_code truncateRegularFile(const std::filesystem::path& path, std::size_t size);

// Removes the file at path; a file that is already gone is no error.
std::error_code removeFile(const std::filesystem::path& path);

// Frees path of whatever stands there, a folder with all it holds included. It is first
// renamed to a hidden name beside it and removed from there, so even what cannot be
// removed whole (a folder holding one without write permission) no longer takes the
// place; what could not be removed stays under the hidden name.
void clearPlace(const std::filesystem::path& path);

// Why a file or folder could not be written, in words a person can read.
struct FileError {
    std::string message;

    // "Could not save “x” in “folder”: reason."
    static FileError saving(const std::filesystem::path& path, std::error_code error);
    // "Could not create the folder “x”: reason."
    static FileError creatingFolder(const std::filesystem::path& folder, std::error_code error);
    // "Could not remove “x”: reason."
    static FileError removing(const std::filesystem::path& path, std::error_code error);

    friend bool operator==(const FileError&, const FileError&) = default;
};

} // namespace purlo
