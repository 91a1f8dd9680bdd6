#include "intents/IntentActionNames.h"

#include <utility>

namespace purlo {
namespace {

// Each kind of action with its defaults, in the actions' order.
template <std::size_t... Index>
std::array<PurloIntent, sizeof...(Index)> defaultIntents(std::index_sequence<Index...>) {
    return {PurloIntent(std::in_place_index<Index>)...};
}

} // namespace

std::optional<PurloIntent> intentNamed(std::string_view name) {
    static const auto intents =
        defaultIntents(std::make_index_sequence<std::variant_size_v<PurloIntent>>{});
    for (std::size_t index = 0; index < intentActionNames.size(); ++index) {
        if (intentActionNames[index] == name) {
            return intents[index];
        }
    }
    return std::nullopt;
}

} // namespace purlo
