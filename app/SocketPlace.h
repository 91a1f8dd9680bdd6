#pragma once

#include "platform/Environment.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace purlo {

// Where the running program listens for a second start and for "purlo intent", and the
// lock beside the socket that decides which of two starts at once is the first.
//
// $XDG_RUNTIME_DIR, when absolute, is the session's folder only the user can enter.
// Without it the socket lives in a folder of the user's own inside the temporary folder,
// where anyone may create things: that folder is trusted only once it is checked to be
// a real folder of the user's, closed to everyone else.
struct SocketPlace {
    std::filesystem::path folder;
    // Whether the folder is ours to make and check, rather than given by the session.
    bool ownedHere = false;

    // user names the fallback folder, so that users never share one.
    static SocketPlace of(const Environment& environment, uid_t user);

    std::filesystem::path socket() const { return folder / "purlo.socket"; }
    std::filesystem::path lock() const { return folder / "purlo.lock"; }

    // Makes the fallback folder and checks it is user's alone (narrowing its mode when it
    // is user's): nothing when the place is safe, else the warning to show, in one line.
    std::optional<std::string> secure(uid_t user) const;
};

// The one line that says the program runs without its socket, and why.
std::string unreachableWarning(std::string_view reason);

} // namespace purlo
