#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace purlo {

// Enumerations that are stored or exchanged are spelled exactly like their raw
// values. Each one specialises EnumNames with its raw values in case order:
//
//   template <> struct EnumNames<CatMood> {
//       static constexpr std::array<std::string_view, 11> values{"idle", ...};
//   };
template <typename E>
struct EnumNames;

template <typename E>
concept NamedEnum = requires {
    EnumNames<E>::values;
};

template <NamedEnum E>
constexpr std::string_view toString(E value) {
    return EnumNames<E>::values[static_cast<std::size_t>(value)];
}

// Exact, case-sensitive: anything but a raw value gives nothing.
template <NamedEnum E>
constexpr std::optional<E> fromString(std::string_view raw) {
    const auto& names = EnumNames<E>::values;
    for (std::size_t index = 0; index < names.size(); ++index) {
        if (names[index] == raw) {
            return static_cast<E>(index);
        }
    }
    return std::nullopt;
}

template <NamedEnum E>
constexpr auto allCases() {
    std::array<E, EnumNames<E>::values.size()> cases{};
    for (std::size_t index = 0; index < cases.size(); ++index) {
        cases[index] = static_cast<E>(index);
    }
    return cases;
}

} // namespace purlo
