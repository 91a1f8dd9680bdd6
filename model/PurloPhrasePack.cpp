#include "model/PurloPhrasePack.h"

#include "base/UnicodeText.h"

#include <array>

namespace purlo {
namespace {

using PhraseTable = std::array<std::string_view, 20>;

constexpr std::array<PhraseTable, 4> phraseTables{{
    {"Soft",
     "mochi",
     "purr",
     "stretch?",
     "stretch, {name}?",
     "done!",
     "thinking too",
     "your turn?",
     "needs help",
     "tap tap tap",
     "working with you",
     "hunt",
     "agent done?",
     "meow",
     "{source} started",
     "focus {session} done",
     "focus {session}",
     "welcome back",
     "tiny step?",
     "nap time. step away with me?"},
    {"Focused",
     "placed",
     "ready",
     "stretch break?",
     "stretch break, {name}?",
     "shipped",
     "thinking with you",
     "ready when you are",
     "needs a look",
     "deep work",
     "staying with you",
     "focused",
     "done?",
     "ready",
     "{source} started",
     "session {session} complete",
     "focus {session}",
     "back with you",
     "one small step",
     "nap break. step away?"},
    {"Playful",
     "wheee",
     "prrr",
     "big stretch?",
     "stretch time, {name}?",
     "sparkles!",
     "brain zoomies",
     "your move?",
     "bonk",
     "tap storm",
     "paw coding",
     "pounce",
     "did we win?",
     "mew!",
     "{source} is moving",
     "round {session} sparkles",
     "round {session}!",
     "you came back!",
     "paw high five?",
     "nap o'clock! come stretch your legs?"},
    {"Quiet",
     "ok",
     "mm",
     "stretch?",
     "{name}, stretch?",
     "done",
     "...",
     "you?",
     "help",
     "easy",
     "with you",
     "noted",
     "done?",
     "mew",
     "{source} on",
     "done {session}",
     "focus {session}",
     "back",
     "small step",
     "nap. step away?"},
}};

} // namespace

std::string_view phrase(PurloPhrasePack pack, PhraseSlot slot) {
    return phrases(pack)[static_cast<std::size_t>(slot)];
}

std::span<const std::string_view> phrases(PurloPhrasePack pack) {
    return phraseTables[static_cast<std::size_t>(pack)];
}

std::string_view title(PurloPhrasePack pack) {
    return phrase(pack, PhraseSlot::title);
}

std::string replacingAll(std::string_view text, std::string_view placeholder,
                         std::string_view replacement) {
    if (placeholder.empty()) {
        return std::string(text);
    }
    std::string result;
    std::size_t start = 0;
    for (std::size_t found = text.find(placeholder); found != std::string_view::npos;
         found = text.find(placeholder, start)) {
        result.append(text.substr(start, found - start));
        result.append(replacement);
        start = found + placeholder.size();
    }
    result.append(text.substr(start));
    return result;
}

std::string stretchPhrase(PurloPhrasePack pack, std::string_view userName) {
    const std::string name = trimmedWhitespace(userName);
    if (name.empty()) {
        return std::string(phrase(pack, PhraseSlot::stretch));
    }
    return replacingAll(phrase(pack, PhraseSlot::stretchWithName), "{name}", name);
}

std::string agentStartedPhrase(PurloPhrasePack pack, std::string_view sourceDisplayName) {
    std::string source = trimmedWhitespace(sourceDisplayName);
    if (source.empty()) {
        source = "agent";
    }
    return replacingAll(phrase(pack, PhraseSlot::agentStarted), "{source}", source);
}

std::string sessionPhrase(PurloPhrasePack pack, PhraseSlot slot, std::int64_t session) {
    return replacingAll(phrase(pack, slot), "{session}", std::to_string(session));
}

} // namespace purlo
