#pragma once

#include "base/Enumeration.h"

#include <array>
#include <string>
#include <string_view>
#include <variant>

namespace purlo {

class PurloRuntime;
struct PurloIntentActionService;

// How long a nap asked for from outside the program lasts.
enum class PurloNapShortcutDuration { fifteenMinutes, twentyMinutes, thirtyMinutes, oneHour };
// What an agent is doing, as told from outside the program.
enum class PurloAgentShortcutStatus { thinking, done };

template <>
struct EnumNames<PurloNapShortcutDuration> {
    static constexpr std::array<std::string_view, 4> values{"fifteenMinutes", "twentyMinutes",
                                                            "thirtyMinutes", "oneHour"};
};
template <>
struct EnumNames<PurloAgentShortcutStatus> {
    static constexpr std::array<std::string_view, 2> values{"thinking", "done"};
};

// What an enumeration and its cases are called where the user picks one.
template <typename E>
struct AppEnumTitles;
template <>
struct AppEnumTitles<PurloNapShortcutDuration> {
    static constexpr std::string_view typeTitle = "Purlo Nap Duration";
    static constexpr std::array<std::string_view, 4> caseTitles{"15 Minutes", "20 Minutes",
                                                                "30 Minutes", "1 Hour"};
};
template <>
struct AppEnumTitles<PurloAgentShortcutStatus> {
    static constexpr std::string_view typeTitle = "Purlo Agent Status";
    static constexpr std::array<std::string_view, 2> caseTitles{"Thinking", "Done"};
};

template <NamedEnum E>
constexpr std::string_view caseTitle(E value) {
    return AppEnumTitles<E>::caseTitles[static_cast<std::size_t>(value)];
}

// What an action answers when it is done: a short line for the user.
struct IntentDialog {
    std::string text;
    friend bool operator==(const IntentDialog&, const IntentDialog&) = default;
};

// Why an action failed, in words for the user.
struct IntentError {
    std::string message;
    friend bool operator==(const IntentError&, const IntentError&) = default;
};

// The dialog, or the error that stopped the action; a failed action gives no dialog.
using PurloIntentResult = std::variant<IntentDialog, IntentError>;

// The actions other programs and the user's shell can ask of the running program. Each
// holds nothing but its parameters; made without arguments, it has the defaults below.
// perform runs on the event loop and hands the work to the service.
struct PetPurloIntent {
    static constexpr std::string_view title = "Pet Purlo";
    PurloIntentResult perform(const PurloIntentActionService& service) const;
    friend bool operator==(const PetPurloIntent&, const PetPurloIntent&) = default;
};

struct StartPurloFocusIntent {
    static constexpr std::string_view title = "Start Purlo Focus";
    PurloIntentResult perform(const PurloIntentActionService& service) const;
    friend bool operator==(const StartPurloFocusIntent&, const StartPurloFocusIntent&) = default;
};

struct MarkPurloWinIntent {
    static constexpr std::string_view title = "Mark Purlo Win";
    PurloIntentResult perform(const PurloIntentActionService& service) const;
    friend bool operator==(const MarkPurloWinIntent&, const MarkPurloWinIntent&) = default;
};

struct NapPurloIntent {
    static constexpr std::string_view title = "Nap Purlo";
    static constexpr std::string_view durationTitle = "Duration";

    PurloNapShortcutDuration duration = PurloNapShortcutDuration::fifteenMinutes;

    PurloIntentResult perform(const PurloIntentActionService& service) const;
    friend bool operator==(const NapPurloIntent&, const NapPurloIntent&) = default;
};

struct WakePurloIntent {
    static constexpr std::string_view title = "Wake Purlo";
    PurloIntentResult perform(const PurloIntentActionService& service) const;
    friend bool operator==(const WakePurloIntent&, const WakePurloIntent&) = default;
};

// Fails when the agent event cannot be written.
struct SetPurloAgentStatusIntent {
    static constexpr std::string_view title = "Set Purlo Agent Status";
    static constexpr std::string_view statusTitle = "Status";
    static constexpr std::string_view sourceTitle = "Source";

    PurloAgentShortcutStatus status = PurloAgentShortcutStatus::thinking;
    // Passed on as it is: not trimmed, and empty stays empty.
    std::string source = "Shortcut";

    PurloIntentResult perform(const PurloIntentActionService& service) const;
    friend bool operator==(const SetPurloAgentStatusIntent&,
                           const SetPurloAgentStatusIntent&) = default;
};

using PurloIntent = std::variant<PetPurloIntent, StartPurloFocusIntent, MarkPurloWinIntent,
                                 NapPurloIntent, WakePurloIntent, SetPurloAgentStatusIntent>;

std::string_view intentTitle(const PurloIntent& intent);

// Makes the service for runtime, performs the intent with it and drops it.
PurloIntentResult performIntent(const PurloIntent& intent, PurloRuntime& runtime);

} // namespace purlo
