#include "integrations/AgentHookConfiguration.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace purlo {
namespace {

using Json = nlohmann::json;
using Error = AgentHookConfiguration::ConfigurationError;

const std::string script = "/home/ada/.local/share/Purlo/Integrations/purlo-agent-hook";

std::string own(std::string_view tool, std::string_view word) {
    return "/bin/sh '" + script + "' '" + std::string(tool) + "' " + std::string(word);
}

Json ownGroup(const std::string& command) {
    return {{"hooks", {{{"type", "command"}, {"command", command}, {"timeout", 2}}}}};
}

AgentHookConfiguration::Result rewrite(AgentTool tool, const std::optional<std::string>& before,
                                       bool enabled) {
    return AgentHookConfiguration{tool, script}.updatedConfiguration(before, enabled);
}

Json rewritten(AgentTool tool, const std::optional<std::string>& before, bool enabled) {
    const auto result = rewrite(tool, before, enabled);
    if (!std::holds_alternative<std::string>(result)) {
        ADD_FAILURE() << "refused: " << make_error_code(std::get<Error>(result)).message();
        return {};
    }
    return Json::parse(std::get<std::string>(result));
}

TEST(AgentHookConfiguration, CommandsQuoteTheScriptAndToolName) {
    struct Case {
        AgentTool tool;
        std::string path;
        AgentEventKind word;
        std::string command;
    };
    const Case cases[] = {
        {AgentTool::codex, "/a/hook", AgentEventKind::thinking,
         "/bin/sh '/a/hook' 'Codex' thinking"},
        {AgentTool::claudeCode, "/My Files/hook", AgentEventKind::waiting,
         "/bin/sh '/My Files/hook' 'Claude Code' waiting"},
        {AgentTool::cursor, "/o'brien/hook", AgentEventKind::completed,
         "/bin/sh '/o'\\''brien/hook' 'Cursor' completed"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ((AgentHookConfiguration{c.tool, c.path}.command(c.word)), c.command);
    }
}

Json cursorHook(std::string_view word) {
    return {{"command", own("Cursor", word)}};
}

// The hooks a file holds when nothing but this program's entries are in it.
Json freshHooks(AgentTool tool) {
    if (tool == AgentTool::cursor) {
        return {{"beforeSubmitPrompt", {cursorHook("thinking")}},
                {"preToolUse", {cursorHook("thinking")}},
                {"stop", {cursorHook("completed")}}};
    }
    const std::string_view name = toString(tool);
    return {{"UserPromptSubmit", {ownGroup(own(name, "thinking"))}},
            {"PreToolUse", {ownGroup(own(name, "thinking"))}},
            {"PermissionRequest", {ownGroup(own(name, "waiting"))}},
            {"Stop", {ownGroup(own(name, "completed"))}}};
}

// root holding the fresh hooks, with some events replaced.
Json withHooks(AgentTool tool, Json root, const Json& events) {
    Json hooks = freshHooks(tool);
    hooks.update(events);
    root["hooks"] = hooks;
    return root;
}

TEST(AgentHookConfiguration, ANewFileGetsOneEntryPerToolEvent) {
    EXPECT_EQ(rewritten(AgentTool::claudeCode, std::nullopt, true),
              withHooks(AgentTool::claudeCode, Json::object(), Json::object()));
    EXPECT_EQ(rewritten(AgentTool::codex, std::nullopt, true),
              withHooks(AgentTool::codex, Json::object(), Json::object()));
    EXPECT_EQ(rewritten(AgentTool::cursor, std::nullopt, true),
              withHooks(AgentTool::cursor, {{"version", 1}}, Json::object()));
    // The table itself, spelled out once.
    EXPECT_EQ(freshHooks(AgentTool::claudeCode)["PreToolUse"][0]["hooks"][0],
              Json::parse(R"({"type": "command", "timeout": 2, "command":
                  "/bin/sh '/home/ada/.local/share/Purlo/Integrations/purlo-agent-hook' 'Claude Code' thinking"})"));
}

TEST(AgentHookConfiguration, WritesSortedKeysPlainSlashesAndExactNumbers) {
    const auto result =
        rewrite(AgentTool::claudeCode, R"({"z": 12345678901234567890, "a": 0.1, "n": 30})", true);
    const std::string& bytes = std::get<std::string>(result);
    EXPECT_NE(bytes.find("\"/bin/sh '/home/ada/"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("12345678901234567890"), std::string::npos);
    EXPECT_NE(bytes.find("\"n\": 30,"), std::string::npos);
    EXPECT_NE(bytes.find("\"timeout\": 2,"), std::string::npos);
    EXPECT_LT(bytes.find("\"PermissionRequest\""), bytes.find("\"PreToolUse\""));
    EXPECT_LT(bytes.find("\"Stop\""), bytes.find("\"UserPromptSubmit\""));
    EXPECT_LT(bytes.find("\"a\""), bytes.find("\"hooks\""));
    EXPECT_NE(bytes.back(), '\n');
}

TEST(AgentHookConfiguration, KeepsEverythingButItsOwnEntries) {
    const Json other = {{"type", "command"}, {"command", "notify-send done"}};
    const Json strangers = {{"matcher", "Bash"}, {"hooks", {other, {{"type", "command"}}}}};
    const Json shared = {{"matcher", "*"}, {"hooks", {other}}};
    const Json claudeDone = ownGroup(own("Claude Code", "completed"));
    const Json codexDone = ownGroup(own("Codex", "completed"));
    const Json afplay = {{"command", "afplay done.wav"}, {"timeout", 5}};
    const Json oldScript = {{"command", "/bin/sh '/old/purlo-agent-hook' 'Cursor' completed"}};
    const Json codexInCursor = {{"command", own("Codex", "completed")}};
    struct Case {
        const char* name;
        AgentTool tool;
        Json before;
        Json on;
        Json off;
    };
    const Case cases[] = {
        {"other keys, events and groups stay",
         AgentTool::claudeCode,
         {{"model", "opus"}, {"hooks", {{"Notification", {strangers}}, {"Stop", {strangers}}}}},
         withHooks(AgentTool::claudeCode, {{"model", "opus"}},
                   {{"Notification", {strangers}}, {"Stop", {strangers, claudeDone}}}),
         {{"model", "opus"}, {"hooks", {{"Notification", {strangers}}, {"Stop", {strangers}}}}}},
        {"a moved entry returns to the end",
         AgentTool::codex,
         withHooks(AgentTool::codex, Json::object(), {{"Stop", {codexDone, strangers}}}),
         withHooks(AgentTool::codex, Json::object(), {{"Stop", {strangers, codexDone}}}),
         {{"hooks", {{"Stop", {strangers}}}}}},
        {"a shared group keeps its keys and other handlers",
         AgentTool::claudeCode,
         {{"hooks", {{"Stop", {{{"matcher", "*"}, {"hooks", {other, claudeDone["hooks"][0]}}}}}}}},
         withHooks(AgentTool::claudeCode, Json::object(), {{"Stop", {shared, claudeDone}}}),
         {{"hooks", {{"Stop", {shared}}}}}},
        {"only own entries leave an empty hooks object",
         AgentTool::cursor,
         {{"hooks", {{"stop", {cursorHook("completed")}}}}},
         withHooks(AgentTool::cursor, {{"version", 1}}, Json::object()),
         {{"hooks", Json::object()}}},
        {"Cursor keeps its version and other hooks",
         AgentTool::cursor,
         {{"version", 2}, {"hooks", {{"stop", {afplay, Json::object()}}}}},
         withHooks(AgentTool::cursor, {{"version", 2}},
                   {{"stop", {afplay, Json::object(), cursorHook("completed")}}}),
         {{"version", 2}, {"hooks", {{"stop", {afplay, Json::object()}}}}}},
        {"other scripts and tools are not own",
         AgentTool::cursor,
         {{"hooks", {{"stop", {oldScript, codexInCursor}}}}},
         withHooks(AgentTool::cursor, {{"version", 1}},
                   {{"stop", {oldScript, codexInCursor, cursorHook("completed")}}}),
         {{"hooks", {{"stop", {oldScript, codexInCursor}}}}}},
        {"turning off adds no hooks key",
         AgentTool::codex,
         {{"theme", "dark"}},
         withHooks(AgentTool::codex, {{"theme", "dark"}}, Json::object()),
         {{"theme", "dark"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(rewritten(c.tool, c.before.dump(), true), c.on);
        EXPECT_EQ(rewritten(c.tool, c.before.dump(), false), c.off);
        // Turning on again changes nothing.
        EXPECT_EQ(rewritten(c.tool, c.on.dump(), true), c.on);
    }
}

TEST(AgentHookConfiguration, RefusesShapesItDoesNotUnderstand) {
    struct Case {
        AgentTool tool;
        std::string bytes;
        Error error;
    };
    const Case cases[] = {
        {AgentTool::claudeCode, "", Error::unparsableJson},
        {AgentTool::claudeCode, "{\"hooks\": {},}", Error::unparsableJson},
        {AgentTool::cursor, "// settings\n{}", Error::unparsableJson},
        {AgentTool::claudeCode, "[]", Error::invalidConfiguration},
        {AgentTool::cursor, "null", Error::invalidConfiguration},
        {AgentTool::codex, R"({"hooks": []})", Error::invalidConfiguration},
        {AgentTool::codex, R"({"hooks": {"Stop": {}}})", Error::invalidConfiguration},
        {AgentTool::cursor, R"({"hooks": {"stop": ["afplay"]}})", Error::invalidConfiguration},
        {AgentTool::claudeCode, R"({"hooks": {"Stop": [{}]}})", Error::invalidConfiguration},
        {AgentTool::claudeCode, R"({"hooks": {"Stop": [{"hooks": {}}]}})",
         Error::invalidConfiguration},
        {AgentTool::codex, R"({"hooks": {"PreToolUse": [{"hooks": [null]}]}})",
         Error::invalidConfiguration},
    };
    for (const Case& c : cases) {
        for (const bool enabled : {true, false}) {
            const auto result = rewrite(c.tool, c.bytes, enabled);
            ASSERT_TRUE(std::holds_alternative<Error>(result)) << c.bytes;
            EXPECT_EQ(std::get<Error>(result), c.error) << c.bytes;
        }
    }
    // Events the tool does not report are not this program's business.
    EXPECT_TRUE(std::holds_alternative<std::string>(
        rewrite(AgentTool::claudeCode, R"({"hooks": {"Notification": 5}})", true)));
}

TEST(AgentHookConfiguration, AScriptPathThatIsNoTextCannotBeWritten) {
    const AgentHookConfiguration editor{AgentTool::codex, "/home/\xff/hook"};
    EXPECT_EQ(std::get<Error>(editor.updatedConfiguration(std::nullopt, true)),
              Error::unwritableJson);
}

} // namespace
} // namespace purlo
