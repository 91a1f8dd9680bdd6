#pragma once

#include "base/Enumeration.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace purlo {

// The four voices the cat speaks in. Each has 20 fixed lines; slot 0 is its title.
enum class PurloPhrasePack { soft, focused, playful, quiet };

template <>
struct EnumNames<PurloPhrasePack> {
    static constexpr std::array<std::string_view, 4> values{"soft", "focused", "playful", "quiet"};
};

// What each line of a pack is for.
enum class PhraseSlot {
    title = 0,
    dragged = 1,
    purring = 2, // also the hover line
    stretch = 3,
    stretchWithName = 4, // "{name}"
    celebration = 5,     // also agent completed
    agentThinking = 6,
    agentWaiting = 7,
    agentFailed = 8,
    overheated = 9,
    codingTyping = 10,
    hunting = 11,
    agentDone = 12,      // in every pack, shown by nothing
    meow = 13,           // in every pack, shown by nothing
    agentStarted = 14,   // "{source}"
    focusCompleted = 15, // "{session}"
    restCompleted = 16,  // "{session}"
    welcomeBack = 17,
    kindNudge = 18,
    napInvitation = 19,
};

std::string_view phrase(PurloPhrasePack pack, PhraseSlot slot);
// Every line of a pack, in slot order.
std::span<const std::string_view> phrases(PurloPhrasePack pack);
std::string_view title(PurloPhrasePack pack);

// The stretch line: with the user's trimmed name when there is one, else the plain one.
std::string stretchPhrase(PurloPhrasePack pack, std::string_view userName);
// "{source}" is the trimmed display name of the event's source, "agent" when empty.
std::string agentStartedPhrase(PurloPhrasePack pack, std::string_view sourceDisplayName);
// A focus or rest completion line with "{session}" written in decimal.
std::string sessionPhrase(PurloPhrasePack pack, PhraseSlot slot, std::int64_t session);

// Replaces every occurrence of placeholder, literally and case-sensitively.
std::string replacingAll(std::string_view text, std::string_view placeholder,
                         std::string_view replacement);

} // namespace purlo
