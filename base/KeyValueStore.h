#pragma once

#include "base/Date.h"

#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace purlo {

// What a key holds: its bytes, or nothing. When nothing comes back although something
// is stored (a folder in its place, no permission, an I/O error, more bytes than the
// store keeps), unreadable says why, so that a caller can tell it from a key never set.
struct StoredData {
    std::optional<std::string> bytes;
    std::error_code unreadable;
};

// The program's small preferences: a few named values that outlive a run
// ("purlo.settings.v1" and its ".backup" and ".corrupt", "PurloCompanionLastSeenAt",
// "purlo.install.moveToApplicationsDeclined").
class KeyValueStore {
public:
    virtual ~KeyValueStore() = default;

    virtual StoredData read(std::string_view key) const = 0;
    // Why the value could not be stored; the old value then stays.
    virtual std::error_code write(std::string_view key, std::string_view bytes) = 0;
    virtual bool remove(std::string_view key) = 0;
    // Puts whatever is stored under from, readable or not, under to, so that from is
    // free and what it held can still be looked at; the store may cut it to the size it
    // keeps. False when it could not.
    virtual bool setAside(std::string_view from, std::string_view to) = 0;
    // Stores bytes under key and puts whatever key held, readable or not, under asideKey,
    // as setAside does, so that key never holds nothing, whenever the program stops. Why
    // the bytes could not be stored, as write says.
    virtual std::error_code writeSettingAside(std::string_view key, std::string_view bytes,
                                              std::string_view asideKey) = 0;

    std::optional<std::string> data(std::string_view key) const { return read(key).bytes; }
    // False when the value could not be stored; the old value then stays.
    bool setData(std::string_view key, std::string_view bytes) { return !write(key, bytes); }

    // Dates and booleans are kept as short texts under their key.
    std::optional<Date> date(std::string_view key) const;
    bool setDate(std::string_view key, Date date);
    std::optional<bool> boolean(std::string_view key) const;
    bool setBoolean(std::string_view key, bool value);
};

} // namespace purlo
