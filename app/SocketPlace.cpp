#include "app/SocketPlace.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace purlo {

SocketPlace SocketPlace::of(const Environment& environment, uid_t user) {
    if (const auto runtimeFolder = environmentValue(environment, "XDG_RUNTIME_DIR");
        runtimeFolder && std::filesystem::path(*runtimeFolder).is_absolute()) {
        return {*runtimeFolder, false};
    }
    const auto temporary = environmentValue(environment, "TMPDIR");
    const std::filesystem::path base =
        temporary && std::filesystem::path(*temporary).is_absolute() ? *temporary : "/tmp";
    return {base / ("purlo-runtime-" + std::to_string(user)), true};
}

std::optional<std::string> SocketPlace::secure(uid_t user) const {
    if (!ownedHere) {
        return std::nullopt;
    }
    const auto unsafe = [this](std::string_view why) {
        return unreachableWarning(folder.string() + " " + std::string(why));
    };
    if (::mkdir(folder.c_str(), S_IRWXU) != 0 && errno != EEXIST) {
        return unsafe(std::string("could not be made: ") + std::strerror(errno));
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
