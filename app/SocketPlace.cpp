#include "app/SocketPlace.h"

#include "platform/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace purlo {

SocketPlace SocketPlace::of(const Environment& environment) {
    if (const auto runtimeFolder = environmentValue(environment, "XDG_RUNTIME_DIR");
        runtimeFolder && std::filesystem::path(*runtimeFolder).is_absolute()) {
        return {*runtimeFolder, false};
    }
    return {stateFolder(environment), true};
}

std::optional<std::string> SocketPlace::secure(uid_t user) const {
    if (!ownedHere) {
        return std::nullopt;
    }
    const auto unsafe = [this](std::string_view why) {
        return unreachableWarning(folder.string() + " " + std::string(why));
    };
    if (const auto error = createFolders(folder, std::filesystem::perms::owner_all);
        error && error != std::errc::not_a_directory) {
        return unsafe("could not be made: " + error.message());
    }
    // Opened without following a link, so what is checked is what is there.
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (descriptor < 0) {
        return unsafe(errno == ELOOP || errno == ENOTDIR ? "is not a folder"
                                                         : std::strerror(errno));
    }
    struct stat status {};
    const bool ours = ::fstat(descriptor, &status) == 0 && status.st_uid == user;
    const bool closed =
        ours && ((status.st_mode & (S_IRWXG | S_IRWXO)) == 0 || ::fchmod(descriptor, S_IRWXU) == 0);
    ::close(descriptor);
    if (!ours) {
        return unsafe("belongs to another user");
    }
    return closed ? std::nullopt : std::optional(unsafe("cannot be closed to other users"));
}

std::string unreachableWarning(std::string_view reason) {
    return "Purlo runs without her socket, as " + std::string(reason) +
           ": another start or “purlo intent” will not find her.";
}

} // namespace purlo
