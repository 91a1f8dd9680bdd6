#include "integrations/AgentHookConfiguration.h"

#include "base/JsonText.h"
#include "integrations/ShellQuoting.h"

#include <algorithm>
#include <array>
#include <nlohmann/json.hpp>
#include <set>
#include <span>

namespace purlo {
namespace {

using Json = nlohmann::json;
using ConfigurationError = AgentHookConfiguration::ConfigurationError;
using OwnCommands = std::set<std::string, std::less<>>;

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

// A handler or hook without a string command has the empty command, which is
// never one of ours.
std::string_view commandOf(const Json& entry) {
    const auto found = entry.find("command");
    if (found != entry.end() && found->is_string()) {
        return found->get_ref<const std::string&>();
    }
    return {};
}

// Claude Code and Codex: our handlers leave their matcher groups; a group keeps its
// other keys and handlers, and goes only when nothing else was in it. Nothing when
// a group is not shaped as the tools define it.
std::optional<Json> withoutOwnHandlers(const Json& groups, const OwnCommands& own) {
    Json kept = Json::array();
    for (const Json& group : groups) {
        const auto handlers = group.find("hooks");
        if (handlers == group.end() || !isArrayOfObjects(*handlers)) {
            return std::nullopt;
        }
        Json remaining = Json::array();
        for (const Json& handler : *handlers) {
            if (!own.contains(commandOf(handler))) {
                remaining.push_back(handler);
            }
        }
        if (remaining.size() == handlers->size()) {
            kept.push_back(group);
        } else if (!remaining.empty()) {
            Json changed = group;
            changed["hooks"] = std::move(remaining);
            kept.push_back(std::move(changed));
        }
    }
    return kept;
}

// Cursor: each hook is one command, so ours are dropped whole.
Json withoutOwnHooks(const Json& hooks, const OwnCommands& own) {
    Json kept = Json::array();
    for (const Json& hook : hooks) {
        if (!own.contains(commandOf(hook))) {
            kept.push_back(hook);
        }
    }
    return kept;
}

// The entry this program writes for one event: Claude Code and Codex take a matcher
// group of one handler, Cursor a bare hook.
Json ownEntry(AgentTool tool, std::string command) {
    if (tool == AgentTool::cursor) {
        return Json::object({{"command", std::move(command)}});
    }
    const Json handler =
        Json::object({{"type", "command"}, {"command", std::move(command)}, {"timeout", 2}});
    return Json::object({{"hooks", Json::array({handler})}});
}

// Whether the event's entries hold our entry exactly as we write it and nothing else of
// ours, so that they can stay as they are. Codex keys the user's trust in a hook by its
// position in the list: moving an unchanged entry of ours makes it a new, untrusted hook.
bool holdsOnlyOwnEntry(const Json& entries, const Json& stripped, const Json& ownEntry) {
    const auto found = std::find(entries.begin(), entries.end(), ownEntry);
    if (found == entries.end()) {
        return false;
    }
    Json others = entries;
    others.erase(static_cast<Json::size_type>(found - entries.begin()));
    return others == stripped;
}

} // namespace

std::string AgentHookConfiguration::command(AgentEventKind word) const {
    return "/bin/sh " + shellQuoted(helperURL.native()) + " " + shellQuoted(toString(tool)) + " " +
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
        own.insert(command(event.word));
    }

    for (const HookEvent& event : eventsOf(tool)) {
        const std::string name(event.name);
        Json entries = Json::array();
        if (const auto found = hooks.find(name); found != hooks.end()) {
            if (!isArrayOfObjects(*found)) {
                return ConfigurationError::invalidConfiguration;
            }
            entries = *found;
        }
        std::optional<Json> stripped = tool == AgentTool::cursor ? withoutOwnHooks(entries, own)
                                                                 : withoutOwnHandlers(entries, own);
        if (!stripped) {
            return ConfigurationError::invalidConfiguration;
        }
        if (enabled) {
            const Json entry = ownEntry(tool, command(event.word));
            if (!holdsOnlyOwnEntry(entries, *stripped, entry)) {
                // A missing or changed entry of ours goes after everything else.
                stripped->push_back(entry);
                hooks[name] = std::move(*stripped);
            }
        } else if (stripped->empty()) {
            hooks.erase(name);
        } else {
            hooks[name] = std::move(*stripped);
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
