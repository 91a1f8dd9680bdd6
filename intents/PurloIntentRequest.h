#pragma once

#include "intents/PurloAppIntents.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace purlo {

class PurloRuntime;

// How an action travels from "purlo intent" to the running program and how her answer
// comes back: each one JSON object on one line. The running program trusts nothing it
// receives: anything but a known action with exactly its parameters is refused, and
// nothing else is ever done with the text.
namespace PurloIntentRequest {

// No request or answer is longer than this, in bytes; longer input is not ours.
inline constexpr std::size_t maximumLength = 8192;
// The longest source an agent status may carry, in bytes; within it any request fits.
inline constexpr std::size_t maximumSourceLength = 1024;

// {"action":"nap","duration":"oneHour"}. A source that is not UTF-8 has its bad bytes
// replaced; the command line refuses such a source before.
std::string encode(const PurloIntent& intent);
std::optional<PurloIntent> decode(std::string_view request);

// {"dialog":"..."} or {"error":"..."}.
std::string encodeAnswer(const PurloIntentResult& result);
std::optional<PurloIntentResult> decodeAnswer(std::string_view answer);

// Performs the action request names on runtime and gives the answer to send back; a
// request that cannot be read is answered with an error and does nothing.
std::string answer(std::string_view request, PurloRuntime& runtime);

} // namespace PurloIntentRequest
} // namespace purlo
