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
// Without it both live in the user's state folder, inside their own home: no other user can
// make it first or own it, as anyone can a folder in the shared temporary folder, where a
// squatter kept every start from its lock. It is trusted only once it is checked to be a
// real folder of the user's, closed to everyone else.
struct SocketPlace {
    std::filesystem::path folder;
    // Whether the folder is ours to make and check, rather than given by the session.
    bool ownedHere = false;

    static SocketPlace of(const Environment& environment);

    std::filesystem::path socket() const { return folder / "purlo.socket"; }
    std::filesystem::path lock() const { return folder / "purlo.lock"; }

    // Makes the fallback folder, and its parents where missing, and checks it is user's
    // alone (narrowing its mode when it is user's): nothing when the place is safe, else
    // the warning to show, in one line.
    std::optional<std::string> secure(uid_t user) const;
};

// The one line that says the program runs without its socket, and why.
std::string unreachableWarning(std::string_view reason);

} // namespace purlo
