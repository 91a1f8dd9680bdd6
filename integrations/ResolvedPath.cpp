#include "integrations/ResolvedPath.h"

namespace purlo {
namespace fs = std::filesystem;

namespace {

bool isSymbolicLink(const fs::path& path) {
    std::error_code missing;
    return fs::is_symlink(fs::symlink_status(path, missing));
}

} // namespace

fs::path resolvedPath(const fs::path& path, std::error_code& error) {
    fs::path resolved = fs::weakly_canonical(path, error);
    // weakly_canonical leaves a link to a missing target as it is.
    for (int hops = 0; !error && isSymbolicLink(resolved); ++hops) {
        if (hops == 40) {
            error = std::make_error_code(std::errc::too_many_symbolic_link_levels);
            break;
        }
        const fs::path target = fs::read_symlink(resolved, error);
        if (!error) {
            resolved = fs::weakly_canonical(resolved.parent_path() / target, error);
        }
    }
    return error ? fs::path() : resolved;
}

} // namespace purlo
