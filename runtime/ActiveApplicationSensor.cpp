#include "runtime/ActiveApplicationSensor.h"

namespace purlo {
namespace {

// A blank text tells no more than a missing one.
std::optional<std::string> nonEmpty(const std::optional<std::string>& text) {
    return text && !text->empty() ? text : std::nullopt;
}

} // namespace

ActiveApplicationSensor::ActiveApplicationSensor(const ActiveAppSource& source)
    : source_(source) {}

ActiveAppSnapshot ActiveApplicationSensor::sample() const {
    const auto application = source_.frontmostApplication();
    if (!application) {
        return ActiveAppSnapshot{};
    }
    return ActiveAppSnapshot{nonEmpty(application->name).value_or("Unknown"),
                             nonEmpty(application->identifier)};
}

} // namespace purlo
