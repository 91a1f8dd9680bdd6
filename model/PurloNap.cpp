#include "model/PurloNap.h"

#include <algorithm>
#include <cmath>

namespace purlo {

void to_json(Json& json, PurloNapDuration duration) {
    json = rawValue(duration);
}

void from_json(const Json& json, PurloNapDuration& duration) {
    const auto decoded = napDuration(decodeValue<std::int64_t>(json));
    if (!decoded) {
        throw DecodeError("unknown nap duration");
    }
    duration = *decoded;
}

std::optional<std::string> PurloNap::remainingLabel(Date now) const {
    if (!until || !(*until > now)) {
        return std::nullopt;
    }
    // A stored end can lie any distance ahead; the count saturates rather than
    // overflow when it is converted to a whole number.
    const double exactMinutes = std::ceil(until->secondsSince(now) / 60.0);
    constexpr double saturation = 9223372036854775807.0;
    const std::int64_t minutes =
        exactMinutes >= saturation
            ? INT64_MAX
            : std::max<std::int64_t>(1, static_cast<std::int64_t>(exactMinutes));
    if (minutes < 60) {
        return std::to_string(minutes) + "m";
    }
    const std::int64_t remainder = minutes % 60;
    std::string label = std::to_string(minutes / 60) + "h";
    if (remainder != 0) {
        label += " " + std::to_string(remainder) + "m";
    }
    return label;
}

void to_json(Json& json, const PurloNap& nap) {
    json = Json::object();
    if (nap.until) {
        json["until"] = *nap.until;
    }
}

void from_json(const Json& json, PurloNap& nap) {
    const JsonFields fields(json);
    nap.until = fields.optional<Date>("until");
}

} // namespace purlo
