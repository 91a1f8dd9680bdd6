#pragma once

#include "base/Date.h"

#include <optional>
#include <string>
#include <string_view>

namespace purlo {

// The program's small preferences: a few named values that outlive a run
// ("purlo.settings.v1" and its ".backup" and ".corrupt", "PurloCompanionLastSeenAt",
// "purlo.install.moveToApplicationsDeclined").
class KeyValueStore {
public:
    virtual ~KeyValueStore() = default;

    virtual std::optional<std::string> data(std::string_view key) const = 0;
    // False when the value could not be stored; the old value then stays.
    virtual bool setData(std::string_view key, std::string_view bytes) = 0;
    virtual bool remove(std::string_view key) = 0;

    // Dates and booleans are kept as short texts under their key.
    std::optional<Date> date(std::string_view key) const;
    bool setDate(std::string_view key, Date date);
    std::optional<bool> boolean(std::string_view key) const;
    bool setBoolean(std::string_view key, bool value);
};

} // namespace purlo
