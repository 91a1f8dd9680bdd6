#include "base/JsonText.h"
#include "integrations/AgentBridgeStatus.h"
#include "integrations/AgentHookConfiguration.h"
#include "tests/support/NestedJson.h"

#include <cmath>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace purlo {
namespace {

using Json = nlohmann::json;
using Error = AgentHookConfiguration::ConfigurationError;
using enum AgentTool;

const std::string script = "/home/ada/.local/share/Purlo/Integrations/purlo-agent-hook";

// The file's content after turning reactions on or off; "refused" when it is refused.
Json rewritten(AgentTool tool, const Json& before, bool enabled) {
    const auto result =
        AgentHookConfiguration{tool, script}.updatedConfiguration(before.dump(), enabled);
    const auto* text = std::get_if<std::string>(&result);
    return text ? Json::parse(*text) : Json("refused");
}

// The words the script takes: its path, the tool and the event word.
std::string scriptWords(AgentTool tool, std::string_view word) {
    return "'" + script + "' '" + std::string(toString(tool)) + "' " + std::string(word);
}

// An entry as earlier versions wrote it: a shell that fails when the script is gone.
Json former(AgentTool tool, std::string_view word) {
    const Json command = "/bin/sh " + scriptWords(tool, word);
    if (tool == cursor) {
        return {{"command", command}};
    }
    return {{"hooks", {{{"type", "command"}, {"command", command}, {"timeout", 2}}}}};
}

Json own(AgentTool tool, std::string_view word) {
    const Json command =
        R"(/bin/sh -c '/bin/sh "$0" "$@" 2>/dev/null; exit 0' )" + scriptWords(tool, word);
    if (tool == cursor) {
        return {{"command", command}};
    }
    return {{"hooks", {{{"type", "command"}, {"command", command}, {"timeout", 2}}}}};
}

// root with this program's entries for every event the tool reports, some events replaced.
Json withOwn(AgentTool tool, Json root, const Json& events = Json::object()) {
    Json hooks = tool == cursor ? Json{{"beforeSubmitPrompt", {own(tool, "thinking")}},
                                       {"preToolUse", {own(tool, "thinking")}},
                                       {"stop", {own(tool, "completed")}}}
                                : Json{{"UserPromptSubmit", {own(tool, "thinking")}},
                                       {"PreToolUse", {own(tool, "thinking")}},
                                       {"PermissionRequest", {own(tool, "waiting")}},
                                       {"Stop", {own(tool, "completed")}}};
    hooks.update(events);
    root["hooks"] = hooks;
    return root;
}

TEST(AgentHookConfiguration, KeepsEverythingButItsOwnEntries) {
    const Json other = {{"type", "command"}, {"command", "notify-send done"}};
    const Json strangers = {{"matcher", "Bash"}, {"hooks", {other, {{"type", "command"}}}}};
    const Json shared = {{"matcher", "*"}, {"hooks", {other}}};
    Json sharedWithOwn = shared;
    sharedWithOwn["hooks"].push_back(own(claudeCode, "completed")["hooks"][0]);
    const Json cursorOthers =
        Json::array({{{"command", "afplay done.wav"}, {"timeout", 5}},
                     {{"command", "/bin/sh '/old/purlo-agent-hook' 'Cursor' completed"}},
                     {{"command", own(codex, "completed")["hooks"][0]["command"]}}});
    Json cursorOn = cursorOthers;
    cursorOn.push_back(own(cursor, "completed"));
    Json slowOwn = own(codex, "completed");
    slowOwn["hooks"][0]["timeout"] = 5;
    struct Case {
        const char* name;
        AgentTool tool;
        Json before, on, off;
    };
    const Case cases[] = {
        {"other keys, events, groups and handlers stay; ours in a group of the user's counts",
         claudeCode,
         {{"model", "opus"},
          {"hooks", {{"Notification", {strangers}}, {"Stop", {strangers, sharedWithOwn}}}}},
         withOwn(claudeCode, {{"model", "opus"}},
                 {{"Notification", {strangers}}, {"Stop", {strangers, sharedWithOwn}}}),
         {{"model", "opus"},
          {"hooks", {{"Notification", {strangers}}, {"Stop", {strangers, shared}}}}}},
        {"a changed entry is mended where it stands, a repeated one goes where it moves "
         "nothing of the user's",
         codex,
         withOwn(
             codex, {},
             {{"Stop", {slowOwn, strangers}},
              {"PreToolUse", {own(codex, "thinking"), strangers, own(codex, "thinking")}},
              {"PermissionRequest", {own(codex, "waiting"), own(codex, "completed")}},
              {"UserPromptSubmit", {own(codex, "completed"), own(codex, "thinking"), strangers}}}),
         withOwn(
             codex, {},
             {{"Stop", {own(codex, "completed"), strangers}},
              {"PreToolUse", {own(codex, "thinking"), strangers}},
              {"UserPromptSubmit", {own(codex, "thinking"), own(codex, "thinking"), strangers}}}),
         {{"hooks",
           {{"Stop", {slowOwn, strangers}},
            {"PreToolUse", {own(codex, "thinking"), strangers}},
            {"UserPromptSubmit", {own(codex, "completed"), own(codex, "thinking"), strangers}}}}}},
        {"Cursor's hooks follow the same rule",
         cursor,
         withOwn(cursor, {},
                 {{"stop", {own(cursor, "thinking"), cursorOthers[0], own(cursor, "completed")}}}),
         withOwn(cursor, {{"version", 1}}, {{"stop", {own(cursor, "completed"), cursorOthers[0]}}}),
         {{"hooks", {{"stop", {own(cursor, "thinking"), cursorOthers[0]}}}}}},
        {"ours as earlier versions wrote them count as ours and are renewed where they stand",
         claudeCode,
         {{"hooks",
           {{"Stop", {former(claudeCode, "completed"), strangers}},
            {"PreToolUse", {strangers, former(claudeCode, "thinking")}},
            {"UserPromptSubmit", {former(claudeCode, "completed"), shared}}}}},
         withOwn(claudeCode, {},
                 {{"Stop", {own(claudeCode, "completed"), strangers}},
                  {"PreToolUse", {strangers, own(claudeCode, "thinking")}},
                  {"UserPromptSubmit", {own(claudeCode, "thinking"), shared}}}),
         {{"hooks",
           {{"Stop", {own(claudeCode, "completed"), strangers}},
            {"PreToolUse", {strangers}},
            {"UserPromptSubmit", {own(claudeCode, "completed"), shared}}}}}},
        {"Cursor's former entries too",
         cursor,
         {{"hooks", {{"stop", {former(cursor, "completed"), cursorOthers[0]}}}}},
         withOwn(cursor, {{"version", 1}}, {{"stop", {own(cursor, "completed"), cursorOthers[0]}}}),
         {{"hooks", {{"stop", {own(cursor, "completed"), cursorOthers[0]}}}}}},
        {"Cursor keeps its version, other scripts and other tools",
         cursor,
         {{"version", 2}, {"hooks", {{"stop", cursorOthers}}}},
         withOwn(cursor, {{"version", 2}}, {{"stop", cursorOn}}),
         {{"version", 2}, {"hooks", {{"stop", cursorOthers}}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(rewritten(c.tool, c.before, true), c.on);
        EXPECT_EQ(rewritten(c.tool, c.before, false), c.off);
        EXPECT_EQ(rewritten(c.tool, c.on, true), c.on) << "turning on again changes nothing";
    }
    EXPECT_EQ(rewritten(codex, {{"theme", "dark"}}, false), Json({{"theme", "dark"}}))
        << "turning off adds no hooks key";
    EXPECT_EQ(AgentHookConfiguration({cursor, "/o'brien/hook"}).command(AgentEventKind::completed),
              R"(/bin/sh -c '/bin/sh "$0" "$@" 2>/dev/null; exit 0' '/o'\''brien/hook' 'Cursor' )"
              "completed");
}

TEST(AgentHookConfiguration, RefusesShapesItDoesNotUnderstand) {
    const std::tuple<AgentTool, std::string, Error> cases[] = {
        {claudeCode, "", Error::unparsableJson},
        {cursor, "// settings\n{}", Error::unparsableJson},
        {claudeCode, "[]", Error::invalidConfiguration},
        {codex, R"({"hooks": []})", Error::invalidConfiguration},
        {codex, R"({"hooks": {"Stop": {}}})", Error::invalidConfiguration},
        {cursor, R"({"hooks": {"stop": ["afplay"]}})", Error::invalidConfiguration},
        {claudeCode, R"({"hooks": {"Stop": [{}]}})", Error::invalidConfiguration},
        {codex, R"({"hooks": {"PreToolUse": [{"hooks": [null]}]}})", Error::invalidConfiguration},
        {cursor, testing::withNesting("{}", maximumJsonDepth + 1), Error::unparsableJson},
    };
    for (const auto& [tool, bytes, error] : cases) {
        for (const bool enabled : {true, false}) {
            EXPECT_EQ(AgentHookConfiguration({tool, script}).updatedConfiguration(bytes, enabled),
                      AgentHookConfiguration::Result(error))
                << bytes;
        }
    }
    // Events the tool does not report are not this program's business.
    EXPECT_NE(rewritten(claudeCode, {{"hooks", {{"Notification", 5}}}}, true), "refused");
    // A script path that is no text cannot be written.
    EXPECT_EQ(AgentHookConfiguration({codex, "/home/\xff/hook"}).updatedConfiguration({}, true),
              AgentHookConfiguration::Result(Error::unwritableJson));
}

TEST(AgentHookConfiguration, OtherProgramsValuesComeBackAsWritten) {
    const auto turnedOn = [](const std::string& bytes) {
        return std::get<std::string>(
            AgentHookConfiguration{claudeCode, script}.updatedConfiguration(bytes, true));
    };
    // "#" marks where a long integer goes.
    const std::string layout =
        R"({"id": "#", "sizes": ["#", 18446744073709551615, -9223372036854775808, 0.5, 2.50,)"
        R"( 1E+300], "name": "Zoë ✨\u0001", "on": true, "none": null, "empty": {}, "list": []})";
    const std::string ordinary = turnedOn(layout);
    EXPECT_EQ(ordinary, Json::parse(ordinary).dump(2)) << "the library's own layout";
    // Integers beyond 64 bits, which the JSON library holds only as doubles.
    for (const std::string number :
         {"18446744073709551616", "-9223372036854775809", "123456789012345678901234567890"}) {
        std::string before = layout;
        std::string expected = ordinary;
        for (std::string* text : {&before, &expected}) {
            for (auto at = text->find("\"#\""); at != std::string::npos; at = text->find("\"#\"")) {
                text->replace(at, 3, number);
            }
        }
        EXPECT_EQ(turnedOn(before), expected);
        EXPECT_EQ(turnedOn(expected), expected);
    }
}

TEST(AgentBridgeStatus, AgesReadInTheLargestWholeUnit) {
    const std::tuple<double, double, std::string> cases[] = {
        {100, 104.99, "now"}, {100, 105, "5s"},  {0, 59.99, "59s"},
        {0, 60, "1m"},        {0, 3599, "59m"},  {0, 3600, "1h"},
        {0, 90000, "25h"},    {500, 100, "now"}, {NAN, 100, "now"},
    };
    for (const auto& [eventTime, now, text] : cases) {
        EXPECT_EQ(AgentBridgeEventRow::relativeAgeText(eventTime, now), text) << eventTime;
    }
}

TEST(AgentBridgeStatus, RowsHaveStableIdsAndNeverShowTheEventsOwnMessage) {
    const AgentBridgeEventRow done({AgentEventKind::completed, "codex", "disk full", 10.25, {}},
                                   135);
    EXPECT_EQ(done.id, "completed|Codex|10.25|Completed");
    // Without a source or a time, the row names an agent and is as old as now.
    EXPECT_EQ(AgentBridgeEventRow({AgentEventKind::waiting, "", {}, {}, {}}, 135).id,
              "waiting|Agent|135.0|Waiting for input");
    EXPECT_EQ(AgentBridgeEventRow({AgentEventKind::failed, "Purlo", {}, 12000000, {}}, 1).id,
              "failed|Purlo|12000000.0|Needs attention");
    EXPECT_EQ((AgentBridgeStatus{true, "/f", {}}).summaryText(), "Waiting");
}

} // namespace
} // namespace purlo
