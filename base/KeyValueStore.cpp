#include "base/KeyValueStore.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace purlo {

std::optional<Date> KeyValueStore::date(std::string_view key) const {
    const auto bytes = data(key);
    if (!bytes) {
        return std::nullopt;
    }
    double seconds = 0;
    const auto [end, error] =
        std::from_chars(bytes->data(), bytes->data() + bytes->size(), seconds);
    if (error != std::errc() || end != bytes->data() + bytes->size() || !std::isfinite(seconds)) {
        return std::nullopt;
    }
    return Date{seconds};
}

bool KeyValueStore::setDate(std::string_view key, Date date) {
    char text[64];
    const auto [end, error] =
        std::to_chars(text, text + sizeof text, date.secondsSinceReferenceDate);
    if (error != std::errc()) {
        return false;
    }
    return setData(key, std::string_view(text, static_cast<std::size_t>(end - text)));
}

std::optional<bool> KeyValueStore::boolean(std::string_view key) const {
    const auto bytes = data(key);
    if (bytes == "true") {
        return true;
    }
    if (bytes == "false") {
        return false;
    }
    return std::nullopt;
}

bool KeyValueStore::setBoolean(std::string_view key, bool value) {
    return setData(key, value ? "true" : "false");
}

} // namespace purlo
