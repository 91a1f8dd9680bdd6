#include "app/LocalAddress.h"

#include <fcntl.h>
#include <string>

namespace purlo {
namespace {

bool fill(sockaddr_un& address, const std::string& text) {
    if (text.empty() || text.size() >= sizeof address.sun_path) {
        return false;
    }
    text.copy(address.sun_path, text.size());
    return true;
}

// The folder of a path too long to be an address, opened only to be gone through; none
// for a path that fits.
int folderOfALongPath(const std::filesystem::path& path) {
    if (path.native().size() < sizeof(sockaddr_un::sun_path) || !path.has_parent_path()) {
        return -1;
    }
    return ::open(path.parent_path().c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
}

} // namespace

LocalAddress::LocalAddress(const std::filesystem::path& path)
    : folder_(folderOfALongPath(path)) {
    address_.sun_family = AF_UNIX;
    valid_ = folder_.isOpen() ? fill(address_, "/proc/self/fd/" + std::to_string(folder_.get()) +
                                                   "/" + path.filename().native())
                              : fill(address_, path.native());
}

} // namespace purlo
