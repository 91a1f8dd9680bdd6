#pragma once

#include "platform/AtomicFile.h"

#include <optional>

namespace purlo {

// Whether the desktop opens the program when the user logs in.
enum class LoginItemStatus {
    notRegistered,
    enabled,
    disabled, // registered, but switched off in the desktop's own start-up settings
};

// The desktop's list of programs that open at login, as far as this program is concerned.
class LoginItem {
public:
    virtual ~LoginItem() = default;

    virtual LoginItemStatus status() const = 0;
    virtual std::optional<FileError> registerItem() = 0;
    virtual std::optional<FileError> unregisterItem() = 0;
};

} // namespace purlo
