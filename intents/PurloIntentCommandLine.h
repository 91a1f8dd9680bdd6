#pragma once

#include "intents/PurloAppIntents.h"

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace purlo {

// "purlo intent ACTION [OPTION...]": the actions from a shell. The running program
// performs them and answers; this side only reads the command line, sends the action
// and prints the answer.
namespace PurloIntentCommandLine {

inline constexpr std::string_view command = "intent";

// Exit statuses.
inline constexpr int succeeded = 0;
inline constexpr int failed = 1;
inline constexpr int misused = 2;

struct Perform {
    PurloIntent intent;
    friend bool operator==(const Perform&, const Perform&) = default;
};
struct ListShortcuts {
    friend bool operator==(const ListShortcuts&, const ListShortcuts&) = default;
};
struct ShowHelp {
    // The action whose usage is asked for; nothing for every action's.
    std::optional<PurloIntent> action;
    friend bool operator==(const ShowHelp&, const ShowHelp&) = default;
};
// What is wrong with the command line, in one line.
struct Mistake {
    std::string message;
    friend bool operator==(const Mistake&, const Mistake&) = default;
};
using Parsed = std::variant<Perform, ListShortcuts, ShowHelp, Mistake>;

// arguments: what follows "intent". Options are "--name value" or "--name=value"; a
// repeated option takes its last value. "--help" or "-h" where an option may stand
// asks for the action's usage, whatever else the line holds.
Parsed parse(std::span<const std::string> arguments);

// The line that follows a mistake.
std::string usageLine();
// Every action with its options, their values and defaults.
std::string help();
// One action with its options, their values and defaults.
std::string help(const PurloIntent& action);
// The ready-made shortcuts, each with the command that runs it and its phrases.
std::string shortcutList();
// The command that performs intent, as it could be typed.
std::string commandFor(const PurloIntent& intent);

// Sends one request line to the running program: nothing when no program listens,
// else its answer line (empty when it gave none).
using Sender = std::function<std::optional<std::string>(std::string_view request)>;

struct Outcome {
    int status = succeeded;
    std::string output; // for stdout
    std::string errors; // for stderr
    friend bool operator==(const Outcome&, const Outcome&) = default;
};

// The whole command: what to print and the exit status. With no program listening
// every action fails alike: an agent status written to the file then would never show,
// since a program that starts later takes the event already there as seen.
Outcome run(std::span<const std::string> arguments, const Sender& send);

} // namespace PurloIntentCommandLine
} // namespace purlo
