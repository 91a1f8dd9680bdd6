#pragma once

#include <cstddef>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

namespace purlo {

// The deepest nesting of arrays and objects any JSON the program reads may have. Real
// files nest a dozen levels; a foreign file nested thousands deep would make copying,
// comparing and writing it exhaust the stack, or take time and memory that grow with
// the square of its depth, at every start.
inline constexpr std::size_t maximumJsonDepth = 512;

// How an integer too long for 64 bits is read: as the nearest double, the library's
// way, or kept as its text, so that a file edited on someone else's behalf gets the
// number back exactly as it was written.
enum class LongIntegers { rounded, keptAsText };

// The one JSON value the bytes hold; nothing when they are not JSON (comments, a zero
// byte and trailing content included) or nest deeper than maximumJsonDepth. The depth is
// refused while parsing, before any deep tree exists. Every JSON the program reads
// goes through here. A kept integer is held as a binary value, which JSON text can
// never produce otherwise.
std::optional<nlohmann::json> parseJsonText(std::string_view bytes,
                                            LongIntegers integers = LongIntegers::rounded);

// Writes json as the library does with an indent of two spaces, keys sorted, and each
// kept integer as its text; nothing when a string holds invalid UTF-8.
std::optional<std::string> prettyJsonText(const nlohmann::json& json);

} // namespace purlo
