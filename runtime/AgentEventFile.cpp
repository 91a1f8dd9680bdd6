#include "runtime/AgentEventFile.h"

#include <sys/stat.h>

namespace purlo {

std::optional<AgentEventFileStamp> agentEventFileStamp(const std::filesystem::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return AgentEventFileStamp{static_cast<std::uintmax_t>(status.st_dev),
                               static_cast<std::uintmax_t>(status.st_ino),
                               static_cast<std::intmax_t>(status.st_size),
                               static_cast<std::int64_t>(status.st_mtim.tv_sec),
                               static_cast<std::int64_t>(status.st_mtim.tv_nsec)};
}

} // namespace purlo
