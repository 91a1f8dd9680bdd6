#include "integrations/AgentHookConfiguration.h"

#include "base/JsonText.h"
#include "integrations/ShellQuoting.h"

#include <algorithm>
#include <array>
#include <map>
#include <nlohmann/json.hpp>
#include <span>

namespace purlo {
namespace {

using Json = nlohmann::json;
using ConfigurationError = AgentHookConfiguration::ConfigurationError;
// Every command of ours, in its present form or a former one, with the present form.
using OwnCommands = std::map<std::string, std::string, std::less<>>;

struct HookEvent {
    std::string_view name;
    AgentEventKind word;
};

// Claude Code and Codex read the same hook events; Cursor names its own and has no
// permission prompt to report.
constexpr std::array<HookEvent, 4> sharedEvents{{
    {"UserPromptSubmit", AgentEventKind::thinking},
    {"PreToolUse", AgentEventKind::thinking},
    {"PermissionRequest", AgentEventKind::waiting},
    {"Stop", AgentEventKind::completed},
}};
constexpr std::array<HookEvent, 3> cursorEvents{{
    {"beforeSubmitPrompt", AgentEventKind::thinking},
    {"preToolUse", AgentEventKind::thinking},
    {"stop", AgentEventKind::completed},
}};

std::span<const HookEvent> eventsOf(AgentTool tool) {
    if (tool == AgentTool::cursor) {
        return cursorEvents;
    }
    return sharedEvents;
}

bool isArrayOfObjects(const Json& value) {
    return value.is_array() &&
           std::all_of(value.begin(), value.end(), [](const Json& e) { return e.is_object(); });
}

// Claude Code and Codex list matcher groups, each with its handlers; Cursor lists bare
// hooks, each a handler of its own.
bool isEventList(AgentTool tool, const Json& entries) {
    if (!isArrayOfObjects(entries)) {
        return false;
    }
    return tool == AgentTool::cursor ||
           std::all_of(entries.begin(), entries.end(), [](const Json& group) {
               const auto handlers = group.find("hooks");
               return handlers != group.end() && isArrayOfObjects(*handlers);
           });
}

// Calls visit with every handler of a well-shaped event list, in the list's order.
template <typename Entries, typename Visit>
void forEachHandler(AgentTool tool, Entries& entries, const Visit& visit) {
    if (tool == AgentTool::cursor) {
        std::for_each(entries.begin(), entries.end(), visit);
        return;
    }
    for (auto& group : entries) {
        auto& handlers = group.at("hooks");
        std::for_each(handlers.begin(), handlers.end(), visit);
    }
}

// A handler or hook without a string command has the empty command, which is
// never one of ours.
std::string_view commandOf(const Json& entry) {
    const auto found = entry.find("command");
    if (found != entry.end() && found->is_string()) {
        return found->get_ref<const std::string&>();
    }
    return {};
}

std::size_t ownHandlerCount(AgentTool tool, const Json& entries, const OwnCommands& own) {
    std::size_t count = 0;
    forEachHandler(tool, entries,
                   [&](const Json& handler) { count += own.contains(commandOf(handler)) ? 1 : 0; });
    return count;
}

// Our handlers at the end of the list go, the last first, until one of the user's is
// reached or only `kept` of ours are left. Nothing of the user's ever changes place: Codex keys the
// user's trust in a hook by its position, so ours before one of the user's stays (its
// command does nothing while the gate is closed). A group that loses its last handler
// goes with it.
void removeTrailingOwnHandlers(AgentTool tool, Json& entries, const OwnCommands& own,
                               std::size_t kept) {
    for (std::size_t owned = ownHandlerCount(tool, entries, own); owned > kept; --owned) {
        if (entries.empty()) {
            return;
        }
        Json& handlers = tool == AgentTool::cursor ? entries : entries.back().at("hooks");
        if (handlers.empty() || !own.contains(commandOf(handlers.back()))) {
            return;
        }
        handlers.erase(handlers.size() - 1);
        if (handlers.empty() && tool != AgentTool::cursor) {
            entries.erase(entries.size() - 1);
        }
    }
}

// Ours that stay while reactions are off are brought to the present form where they
// stand: a former command fails, and blocks the tool, once its script is gone.
void renewFormerCommands(AgentTool tool, Json& entries, const OwnCommands& own) {
    forEachHandler(tool, entries, [&](Json& handler) {
        if (const auto found = own.find(commandOf(handler)); found != own.end()) {
            handler["command"] = found->second;
        }
    });
}

// The handler this program writes for one event: Claude Code and Codex take a command
// with a timeout, Cursor a bare command.
Json ownHandler(AgentTool tool, std::string command) {
    if (tool == AgentTool::cursor) {
        return Json::object({{"command", std::move(command)}});
    }
    return Json::object({{"type", "command"}, {"command", std::move(command)}, {"timeout", 2}});
}

// Our handler, once, in the event's list. One of ours already there keeps its place and
// is made exactly ours, so an unchanged one changes nothing (Codex would take a moved one
// for a new, untrusted hook); ours that are too many go where that moves nothing of the
// user's. Without one, ours goes after everything else, in a group of its own.
void includeOwnHandler(AgentTool tool, Json& entries, const OwnCommands& own, const Json& handler) {
    if (ownHandlerCount(tool, entries, own) == 0) {
        entries.push_back(tool == AgentTool::cursor
                              ? handler
                              : Json::object({{"hooks", Json::array({handler})}}));
        return;
    }
    removeTrailingOwnHandlers(tool, entries, own, 1);
    forEachHandler(tool, entries, [&](Json& present) {
        if (own.contains(commandOf(present))) {
            present = handler;
        }
    });
}

} // namespace

std::string AgentHookConfiguration::command(AgentEventKind word) const {
    // The inner shell's "$0" is the script; its failure to open one is said to nobody.
    return R"(/bin/sh -c '/bin/sh "$0" "$@" 2>/dev/null; exit 0' )" + scriptWords(word);
}

std::string AgentHookConfiguration::formerCommand(AgentEventKind word) const {
    return "/bin/sh " + scriptWords(word);
}

std::string AgentHookConfiguration::scriptWords(AgentEventKind word) const {
    return shellQuoted(helperURL.native()) + " " + shellQuoted(toString(tool)) + " " +
           std::string(toString(word));
}

AgentHookConfiguration::Result
AgentHookConfiguration::updatedConfiguration(const std::optional<std::string>& present,
                                             bool enabled) const {
    Json root = Json::object();
    if (present) {
        // Other programs' long integers are theirs to keep exactly.
        auto parsed = parseJsonText(*present, LongIntegers::keptAsText);
        if (!parsed) {
            return ConfigurationError::unparsableJson;
        }
        root = std::move(*parsed);
        if (!root.is_object()) {
            return ConfigurationError::invalidConfiguration;
        }
    }

    const bool hadHooks = root.contains("hooks");
    Json hooks = hadHooks ? root["hooks"] : Json::object();
    if (!hooks.is_object()) {
        return ConfigurationError::invalidConfiguration;
    }

    OwnCommands own;
    for (const HookEvent& event : eventsOf(tool)) {
        const std::string current = command(event.word);
        own.emplace(current, current);
        own.emplace(formerCommand(event.word), current);
    }

    for (const HookEvent& event : eventsOf(tool)) {
        const std::string name(event.name);
        Json entries = Json::array();
        if (const auto found = hooks.find(name); found != hooks.end()) {
            if (!isEventList(tool, *found)) {
                return ConfigurationError::invalidConfiguration;
            }
            entries = *found;
        }
        if (enabled) {
            includeOwnHandler(tool, entries, own, ownHandler(tool, command(event.word)));
        } else {
            removeTrailingOwnHandlers(tool, entries, own, 0);
            renewFormerCommands(tool, entries, own);
        }
        if (entries.empty()) {
            hooks.erase(name);
        } else {
            hooks[name] = std::move(entries);
        }
    }

    if (hadHooks || !hooks.empty()) {
        root["hooks"] = std::move(hooks);
    }
    if (tool == AgentTool::cursor && enabled && !root.contains("version")) {
        root["version"] = 1;
    }

    // Sorted keys come with the library's object type; slashes stay unescaped.
    if (auto bytes = prettyJsonText(root)) {
        return std::move(*bytes);
    }
    return ConfigurationError::unwritableJson;
}

namespace {

class ConfigurationErrorCategory final : public std::error_category {
public:
    const char* name() const noexcept override { return "agent hook configuration"; }
    std::string message(int value) const override {
        switch (static_cast<ConfigurationError>(value)) {
        case ConfigurationError::invalidConfiguration:
            return "the hook file is not shaped as expected";
        case ConfigurationError::unparsableJson:
            return "the hook file is not JSON";
        case ConfigurationError::unwritableJson:
            return "the hook file cannot be written as JSON";
        }
        return "unknown hook file error";
    }
};

} // namespace

const std::error_category& configurationErrorCategory() {
    static const ConfigurationErrorCategory category;
    return category;
}

std::error_code make_error_code(AgentHookConfiguration::ConfigurationError error) {
    return {static_cast<int>(error), configurationErrorCategory()};
}

} // namespace purlo
