#include "intents/PurloIntentCommandLine.h"

#include "base/JsonCoding.h"
#include "base/UnicodeText.h"
#include "integrations/ShellQuoting.h"
#include "intents/IntentActionNames.h"
#include "intents/PurloIntentRequest.h"
#include "intents/PurloShortcuts.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace purlo::PurloIntentCommandLine {
namespace {

constexpr std::string_view programName = "Purlo";
constexpr std::string_view durationOption = "--duration";
constexpr std::string_view statusOption = "--status";
constexpr std::string_view sourceOption = "--source";
constexpr std::string_view listOption = "--list";
constexpr std::string_view helpOptions[] = {"--help", "-h"};

// Shorter spellings of the nap durations, in their order.
constexpr std::array<std::string_view, 4> durationShortNames{"15m", "20m", "30m", "1h"};

// Arguments are quoted whole up to this many characters. A longer one is cut there and
// its length given, so that a pasted file never floods the terminal.
constexpr std::size_t longestQuotedText = 60;

// Every byte but UTF-8's continuation bytes begins a character.
bool beginsCharacter(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
}

// Where the character after the first count characters begins; the end when there is none.
std::size_t lengthOfFirst(std::string_view text, std::size_t count) {
    std::size_t seen = 0;
    for (std::size_t index = 0; index < text.size(); ++index) {
        if (beginsCharacter(text[index]) && seen++ == count) {
            return index;
        }
    }
    return text.size();
}

// A given argument as it is printed back: its control characters escaped, so that it can
// only ever be read, never act on the terminal.
std::string inQuotes(std::string_view text) {
    const std::size_t quoted = lengthOfFirst(text, longestQuotedText);
    if (quoted == text.size()) {
        return "“" + escapedControls(text) + "”";
    }
    return "“" + escapedControls(text.substr(0, quoted)) + "…” (" +
           std::to_string(std::ranges::count_if(text, beginsCharacter)) + " characters)";
}

bool isHelpOption(std::string_view argument) {
    return std::ranges::find(helpOptions, argument) != std::end(helpOptions);
}

std::optional<PurloNapShortcutDuration> durationNamed(std::string_view value) {
    if (const auto raw = fromString<PurloNapShortcutDuration>(value)) {
        return raw;
    }
    const auto found = std::ranges::find(durationShortNames, value);
    if (found == durationShortNames.end()) {
        return std::nullopt;
    }
    return static_cast<PurloNapShortcutDuration>(found - durationShortNames.begin());
}

std::string joined(std::span<const std::string_view> words, std::string_view separator) {
    std::string text;
    for (const auto word : words) {
        text += (text.empty() ? "" : std::string(separator)) + std::string(word);
    }
    return text;
}

// The raw values of an enumeration, in case order.
template <NamedEnum E>
std::string joined(std::string_view separator) {
    return joined(EnumNames<E>::values, separator);
}

bool takesOption(const PurloIntent& intent, std::string_view option) {
    if (std::holds_alternative<NapPurloIntent>(intent)) {
        return option == durationOption;
    }
    if (std::holds_alternative<SetPurloAgentStatusIntent>(intent)) {
        return option == statusOption || option == sourceOption;
    }
    return false;
}

Mistake unknownOption(const PurloIntent& intent, std::string_view option) {
    return Mistake{inQuotes(intentActionName(intent)) + " has no option " + inQuotes(option) + "."};
}

// Sets the option on the action; a mistake when the action has no such option or the
// value does not fit it.
std::optional<Mistake> setOption(PurloIntent& intent, std::string_view option,
                                 const std::string& value) {
    if (!takesOption(intent, option)) {
        return unknownOption(intent, option);
    }
    if (auto* nap = std::get_if<NapPurloIntent>(&intent)) {
        const auto duration = durationNamed(value);
        if (!duration) {
            return Mistake{inQuotes(value) + " is not a nap duration; use " +
                           joined(durationShortNames, ", ") + "."};
        }
        nap->duration = *duration;
        return std::nullopt;
    }
    auto& agent = std::get<SetPurloAgentStatusIntent>(intent);
    if (option == statusOption) {
        const auto status = fromString<PurloAgentShortcutStatus>(value);
        if (!status) {
            return Mistake{inQuotes(value) + " is not an agent status; use " +
                           joined<PurloAgentShortcutStatus>(" or ") + "."};
        }
        agent.status = *status;
        return std::nullopt;
    }
    if (value.size() > PurloIntentRequest::maximumSourceLength || !encodeBytes(value)) {
        return Mistake{"The source must be UTF-8 text of at most " +
                       std::to_string(PurloIntentRequest::maximumSourceLength) + " bytes."};
    }
    agent.source = value;
    return std::nullopt;
}

Parsed parseAction(std::span<const std::string> arguments) {
    auto intent = intentNamed(arguments.front());
    if (!intent) {
        return Mistake{
            (arguments.front().starts_with('-') ? "Unknown option " : "Unknown action ") +
            inQuotes(arguments.front()) + "."};
    }
    // The first mistake is told, unless a later argument asks for the action's usage.
    std::optional<Mistake> mistake;
    for (std::size_t index = 1; index < arguments.size(); ++index) {
        const std::string& argument = arguments[index];
        if (isHelpOption(argument)) {
            return ShowHelp{intentNamed(arguments.front())};
        }
        if (!argument.starts_with("--")) {
            if (!mistake) {
                mistake = Mistake{"Unexpected argument " + inQuotes(argument) + "."};
            }
            continue;
        }
        const auto equals = argument.find('=');
        const std::string option = argument.substr(0, equals);
        std::string value;
        if (equals != std::string::npos) {
            value = argument.substr(equals + 1);
        } else if (index + 1 < arguments.size()) {
            value = arguments[++index];
        } else if (!takesOption(*intent, option)) {
            return mistake.value_or(unknownOption(*intent, option));
        } else {
            return mistake.value_or(Mistake{"The option " + inQuotes(option) + " needs a value."});
        }
        auto optionMistake = setOption(*intent, option, value);
        if (!mistake) {
            mistake = std::move(optionMistake);
        }
    }
    if (mistake) {
        return *mistake;
    }
    return Perform{*intent};
}

// A word the shell passes on as it is, or the word quoted.
std::string shellWord(std::string_view text) {
    const bool plain = !text.empty() && std::ranges::all_of(text, [](unsigned char c) {
        return std::isalnum(c) || c == '.' || c == '_' || c == '-';
    });
    return plain ? std::string(text) : shellQuoted(text);
}

std::string optionsFor(const PurloIntent& intent) {
    if (const auto* nap = std::get_if<NapPurloIntent>(&intent)) {
        return " " + std::string(durationOption) + " " + std::string(toString(nap->duration));
    }
    if (const auto* agent = std::get_if<SetPurloAgentStatusIntent>(&intent)) {
        return " " + std::string(statusOption) + " " + std::string(toString(agent->status)) + " " +
               std::string(sourceOption) + " " + shellWord(agent->source);
    }
    return "";
}

// The help's descriptions start in one column, past the longest action's name.
constexpr std::size_t descriptionColumn = 17;

std::string actionLine(std::string_view name, std::string_view title) {
    std::string line = "  " + std::string(name);
    line.resize(std::max(line.size() + 2, descriptionColumn), ' ');
    return line + std::string(title) + "\n";
}

std::string optionLines(std::string_view option, std::string_view values,
                        std::string_view description) {
    return "      " + std::string(option) + " " + std::string(values) + "\n" +
           std::string(descriptionColumn, ' ') + std::string(description) + "\n";
}

std::string optionHelp(const auto&) {
    return "";
}

std::string optionHelp(const NapPurloIntent& nap) {
    return optionLines(durationOption,
                       joined(durationShortNames, "|") + " (or " +
                           joined<PurloNapShortcutDuration>("|") + ")",
                       std::string(NapPurloIntent::durationTitle) + ", a " +
                           std::string(AppEnumTitles<PurloNapShortcutDuration>::typeTitle) + ": " +
                           std::string(caseTitle(nap.duration)) + " unless given");
}

std::string optionHelp(const SetPurloAgentStatusIntent& agent) {
    return optionLines(statusOption, joined<PurloAgentShortcutStatus>("|"),
                       std::string(SetPurloAgentStatusIntent::statusTitle) + ", a " +
                           std::string(AppEnumTitles<PurloAgentShortcutStatus>::typeTitle) + ": " +
                           std::string(caseTitle(agent.status)) + " unless given") +
           optionLines(sourceOption, "TEXT",
                       std::string(SetPurloAgentStatusIntent::sourceTitle) + ": " +
                           inQuotes(agent.source) + " unless given");
}

std::string optionsHelp(const PurloIntent& intent) {
    return std::visit([](const auto& action) { return optionHelp(action); }, intent);
}

std::string actionHelp(const PurloIntent& intent) {
    return actionLine(intentActionName(intent), intentTitle(intent)) + optionsHelp(intent);
}

constexpr std::string_view exitStatusHelp =
    "Exit status: 0 when Purlo did it, 1 when she could not or is not running,\n"
    "2 when the command is mistyped.\n";

} // namespace

Parsed parse(std::span<const std::string> arguments) {
    if (arguments.empty()) {
        return Mistake{"No action given."};
    }
    const std::string& first = arguments.front();
    const bool asksForHelp = isHelpOption(first);
    if (asksForHelp || first == listOption) {
        if (arguments.size() > 1) {
            return Mistake{"Unexpected argument " + inQuotes(arguments[1]) + "."};
        }
        return asksForHelp ? Parsed{ShowHelp{}} : Parsed{ListShortcuts{}};
    }
    return parseAction(arguments);
}

std::string usageLine() {
    return "Usage: purlo intent " + joined(intentActionNames, "|") +
           " [OPTION...], or purlo intent --list; purlo intent --help explains them.";
}

std::string help() {
    std::string text = "Usage: purlo intent ACTION [OPTION...]\n"
                       "       purlo intent --list | --help\n\n"
                       "Asks the running Purlo to do something and prints her answer.\n\n"
                       "Actions:\n";
    for (const auto name : intentActionNames) {
        text += actionHelp(*intentNamed(name));
    }
    text += "\nOptions:\n"
            "  --list         the ready-made shortcuts, with their phrases\n"
            "  --help         this help; after an action, that action's usage\n\n" +
            std::string(exitStatusHelp);
    return text;
}

std::string help(const PurloIntent& action) {
    const std::string name(intentActionName(action));
    const std::string options = optionsHelp(action);
    return "Usage: purlo intent " + name + (options.empty() ? "" : " [OPTION...]") + "\n\n" +
           actionLine(name, intentTitle(action)) + options + "\n" + std::string(exitStatusHelp);
}

std::string shortcutList() {
    std::string text;
    for (const PurloShortcut& shortcut : PurloShortcuts::appShortcuts()) {
        text += std::string(shortcut.shortTitle) + ": " + commandFor(shortcut.intent) + "\n";
        for (const auto phrase : shortcut.phrases) {
            text += "    " + PurloShortcut::phrase(phrase, programName) + "\n";
        }
    }
    return text;
}

std::string commandFor(const PurloIntent& intent) {
    return "purlo intent " + std::string(intentActionName(intent)) + optionsFor(intent);
}

namespace {

Outcome outcomeOf(const PurloIntentResult& result) {
    if (const auto* dialog = std::get_if<IntentDialog>(&result)) {
        return {succeeded, dialog->text + "\n", ""};
    }
    return {failed, "", std::get<IntentError>(result).message + "\n"};
}

} // namespace

Outcome run(std::span<const std::string> arguments, const Sender& send) {
    const Parsed parsed = parse(arguments);
    if (const auto* mistake = std::get_if<Mistake>(&parsed)) {
        return {misused, "", "purlo intent: " + mistake->message + "\n" + usageLine() + "\n"};
    }
    if (const auto* showHelp = std::get_if<ShowHelp>(&parsed)) {
        return {succeeded, showHelp->action ? help(*showHelp->action) : help(), ""};
    }
    if (std::holds_alternative<ListShortcuts>(parsed)) {
        return {succeeded, shortcutList(), ""};
    }
    const PurloIntent& intent = std::get<Perform>(parsed).intent;
    const auto answer = send(PurloIntentRequest::encode(intent));
    if (!answer) {
        return {failed, "", "Purlo is not running. Start her first, then try again.\n"};
    }
    const auto result = PurloIntentRequest::decodeAnswer(*answer);
    if (!result) {
        return {failed, "", "Purlo did not answer.\n"};
    }
    return outcomeOf(*result);
}

} // namespace purlo::PurloIntentCommandLine
