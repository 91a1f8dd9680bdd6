#include "intents/PurloAppIntents.h"
#include "intents/PurloIntentCommandLine.h"
#include "intents/PurloIntentRequest.h"
#include "intents/PurloShortcuts.h"
#include "runtime/AgentEventPayload.h"
#include "runtime/AgentEventWriter.h"
#include "tests/support/RuntimeHarness.h"

#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>

namespace purlo {
namespace {

namespace CommandLine = PurloIntentCommandLine;
namespace Request = PurloIntentRequest;
using Mode = PomodoroController::State::Mode;
using testing::RuntimeHarness;

std::optional<AgentEventPayload> writtenEvent(RuntimeHarness& harness) {
    return decodeAgentEventPayload(
        testing::readFile(harness.runtime().agentEventBridge().eventFileURL()));
}

std::string dialogOf(const PurloIntentResult& result) {
    const auto* dialog = std::get_if<IntentDialog>(&result);
    return dialog ? dialog->text : "(failed: " + std::get<IntentError>(result).message + ")";
}

TEST(Intents, EachActionAnswersItsDialogAndDoesItsWork) {
    RuntimeHarness harness;
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    const Date now = harness.clock.now();
    const auto perform = [&](const PurloIntent& intent) {
        return dialogOf(performIntent(intent, runtime));
    };
    for (const auto& [nap, seconds] : {std::pair{NapPurloIntent{}, 900.0},
                                       {NapPurloIntent{PurloNapShortcutDuration::oneHour}, 3600}}) {
        EXPECT_EQ(perform(nap), "Purlo is napping.");
        EXPECT_EQ(harness.stored().nap.until, now.addingSeconds(seconds));
        EXPECT_EQ(harness.scene().mood, CatMood::sleeping);
    }
    EXPECT_EQ(perform(WakePurloIntent{}), "Purlo woke up.");
    EXPECT_EQ(harness.stored().nap.until, std::nullopt);
    EXPECT_NE(harness.scene().mood, CatMood::sleeping);
    EXPECT_EQ(perform(PetPurloIntent{}), "Purlo purrs.");
    EXPECT_EQ(harness.scene().mood, CatMood::purring);
    EXPECT_EQ(perform(StartPurloFocusIntent{}), "Purlo started a focus timer.");
    EXPECT_EQ(*runtime.pomodoro(),
              (PomodoroController::State{Mode::focus, harness.clock.uptime() + 25 * 60, 1, 0}));
    EXPECT_EQ(perform(MarkPurloWinIntent{}), "Purlo marked your win.");
    EXPECT_EQ(harness.stored().completionStreak.totalCompletions, 1);
    EXPECT_EQ(harness.stored().completionStreak.lastCompletionAt, now);

    using enum PurloAgentShortcutStatus;
    const struct {
        SetPurloAgentStatusIntent intent;
        std::string dialog;
        AgentEventKind kind;
        double lifetime;
    } statuses[] = {
        {{}, "Purlo is thinking too.", AgentEventKind::thinking, 60},
        {{done, "Shortcut"}, "Purlo celebrates.", AgentEventKind::completed, 3},
        {{thinking, " codex "}, "Purlo is thinking too.", AgentEventKind::thinking, 60},
    };
    for (const auto& [intent, dialog, kind, lifetime] : statuses) {
        EXPECT_EQ(perform(intent), dialog);
        EXPECT_EQ(writtenEvent(harness), (AgentEventPayload{kind, intent.source, std::nullopt,
                                                            harness.clock.uptime(), lifetime}));
    }
}

TEST(Intents, AChangeTheSettingsCouldNotKeepFailsWithWhy) {
    RuntimeHarness harness;
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    harness.store.failingKeys.emplace(purloSettingsKey);
    const std::string failed = "(failed: Couldn’t save settings: no space left on device)";
    const auto perform = [&](const PurloIntent& intent) {
        return dialogOf(performIntent(intent, runtime));
    };
    EXPECT_EQ(perform(MarkPurloWinIntent{}), failed);
    EXPECT_EQ(perform(NapPurloIntent{}), failed);
    EXPECT_EQ(perform(WakePurloIntent{}), failed);
    EXPECT_EQ(perform(PetPurloIntent{}), "Purlo purrs.") << "saves nothing";
    EXPECT_EQ(Request::answer(R"({"action":"wake"})", runtime),
              R"({"error":"Couldn’t save settings: no space left on device"})");
    harness.store.failingKeys.clear();
    EXPECT_EQ(perform(WakePurloIntent{}), "Purlo woke up.");
}

TEST(Intents, TheAgentStatusTakesTheHooksRoadAndFailsWithTheWritersError) {
    RuntimeHarness harness(testing::settingsWith(
        [](PurloSettings& settings) { settings.localAgentBridgeEnabled = true; }));
    harness.runtime().start();
    performIntent(SetPurloAgentStatusIntent{}, harness.runtime());
    EXPECT_TRUE(harness.runtime().agentEventHistory()->empty()) << "only through the file";
    harness.loop.advance(1.1);
    ASSERT_EQ(harness.runtime().agentEventHistory()->size(), 1u);
    EXPECT_EQ(harness.runtime().agentEventHistory()->back().kind, AgentEventKind::thinking);
    EXPECT_EQ(harness.runtime().agentEventHistory()->back().source, "Shortcut");

    RuntimeHarness blocked;
    testing::writeFile(blocked.folder / "support", "a file where the folder belongs");
    const auto eventFile = blocked.runtime().agentEventBridge().eventFileURL();
    const auto expected = AgentEventWriter{eventFile}.write(AgentEventKind::thinking, "x", 1);
    ASSERT_TRUE(expected);
    const auto result = performIntent(SetPurloAgentStatusIntent{}, blocked.runtime());
    EXPECT_EQ(result, PurloIntentResult(IntentError{expected->message})) << "and no dialog";
}

std::string repeated(std::string_view text, int times) {
    std::string repeats;
    for (int time = 0; time < times; ++time) {
        repeats += text;
    }
    return repeats;
}

TEST(IntentCommandLine, ReadsActionsOptionsAndMistakes) {
    using Parsed = CommandLine::Parsed;
    using CommandLine::Mistake;
    using CommandLine::Perform;
    using enum PurloAgentShortcutStatus;
    using enum PurloNapShortcutDuration;
    const std::pair<std::vector<std::string>, Parsed> cases[] = {
        {{"pet"}, Perform{PetPurloIntent{}}},
        {{"nap"}, Perform{NapPurloIntent{}}},
        {{"nap", "--duration", "oneHour"}, Perform{NapPurloIntent{oneHour}}},
        {{"nap", "--duration=20m"}, Perform{NapPurloIntent{twentyMinutes}}},
        {{"nap", "--duration", "15m", "--duration", "30m"}, Perform{NapPurloIntent{thirtyMinutes}}},
        {{"agent-status"}, Perform{SetPurloAgentStatusIntent{thinking, "Shortcut"}}},
        {{"agent-status", "--status", "done", "--source", "Shortcut"},
         Perform{SetPurloAgentStatusIntent{done, "Shortcut"}}},
        {{"agent-status", "--source=", "--status=thinking"},
         Perform{SetPurloAgentStatusIntent{thinking, ""}}},
        {{"agent-status", "--source", "--status"},
         Perform{SetPurloAgentStatusIntent{thinking, "--status"}}},
        {{"--list"}, CommandLine::ListShortcuts{}},
        {{"-h"}, CommandLine::ShowHelp{}},
        {{"wake", "--help"}, CommandLine::ShowHelp{WakePurloIntent{}}},
        // The usage shows the defaults, and wins over any mistake before or after it.
        {{"nap", "--duration", "2h", "now", "-h", "--duration"},
         CommandLine::ShowHelp{NapPurloIntent{}}},
        {{"agent-status", "--source", "--help"},
         Perform{SetPurloAgentStatusIntent{thinking, "--help"}}},
        {{}, Mistake{"No action given."}},
        {{"Pet"}, Mistake{"Unknown action “Pet”."}},
        {{"--verbose"}, Mistake{"Unknown option “--verbose”."}},
        {{"--list", "pet"}, Mistake{"Unexpected argument “pet”."}},
        {{"pet", "now"}, Mistake{"Unexpected argument “now”."}},
        {{"nap", "--duration", "1d", "now", "--duration", "1h"},
         Mistake{"“1d” is not a nap duration; use 15m, 20m, 30m, 1h."}},
        // Quoted whole up to 60 characters, else cut there with the length given.
        {{std::string(60, 'x')}, Mistake{"Unknown action “" + std::string(60, 'x') + "”."}},
        {{std::string(102'400, 'x')},
         Mistake{"Unknown action “" + std::string(60, 'x') + "…” (102400 characters)."}},
        {{"nap", "--duration", "-" + repeated("é", 61)},
         Mistake{"“-" + repeated("é", 59) +
                 "…” (62 characters) is not a nap duration; use "
                 "15m, 20m, 30m, 1h."}},
        {{"wake", "--" + std::string(70, 'o') + "=1"},
         Mistake{"“wake” has no option “--" + std::string(58, 'o') + "…” (72 characters)."}},
        // Printed back, an argument can never act on the terminal.
        {{"\x1b[31mRED"}, Mistake{"Unknown action “\\x1b[31mRED”."}},
        {{"nap", "--duration",
          "1\th\r\x7f\xc2\x9b"
          "2J\xff"},
         Mistake{
             "“1\\x09h\\x0d\\x7f\\u009b2J\\xff” is not a nap duration; use 15m, 20m, 30m, 1h."}},
        {{std::string(59, 'x') + "\x1b\x1b"},
         Mistake{"Unknown action “" + std::string(59, 'x') + "\\x1b…” (61 characters)."}},
        {{"pet", "--duration", "15m"}, Mistake{"“pet” has no option “--duration”."}},
        {{"nap", "--status", "done"}, Mistake{"“nap” has no option “--status”."}},
        {{"nap", "--duration"}, Mistake{"The option “--duration” needs a value."}},
        {{"pet", "--foo"}, Mistake{"“pet” has no option “--foo”."}},
        {{"nap", "--status"}, Mistake{"“nap” has no option “--status”."}},
        {{"nap", "--duration", "OneHour"},
         Mistake{"“OneHour” is not a nap duration; use 15m, 20m, 30m, 1h."}},
        {{"agent-status", "--status", "completed"},
         Mistake{"“completed” is not an agent status; use thinking or done."}},
        {{"agent-status", "--source", std::string(1025, 'a')},
         Mistake{"The source must be UTF-8 text of at most 1024 bytes."}},
        {{"agent-status", "--source", "\xff"},
         Mistake{"The source must be UTF-8 text of at most 1024 bytes."}},
    };
    for (const auto& [arguments, parsed] : cases) {
        EXPECT_TRUE(CommandLine::parse(arguments) == parsed) << ::testing::PrintToString(arguments);
    }
}

TEST(IntentCommandLine, PrintsTheAnswerOrSaysWhyNotWithTheRightExitStatus) {
    const std::string usage = CommandLine::usageLine() + "\n";
    const std::string notRunning = "Purlo is not running. Start her first, then try again.\n";
    const struct {
        std::vector<std::string> arguments;
        std::optional<std::string> answer; // nothing: no program listens
        CommandLine::Outcome outcome;
    } cases[] = {
        {{"pet"}, R"({"dialog":"Purlo purrs."})", {0, "Purlo purrs.\n", ""}},
        {{"agent-status"},
         R"({"error":"Could not create it."})",
         {1, "", "Could not create it.\n"}},
        {{"wake"}, std::nullopt, {1, "", notRunning}},
        {{"wake"}, "", {1, "", "Purlo did not answer.\n"}},
        {{"wake"}, R"({"dialog":"a","error":"b"})", {1, "", "Purlo did not answer.\n"}},
        // A status written with no program running would never show: she takes an event
        // already in the file at her start as seen.
        {{"agent-status", "--status", "done"}, std::nullopt, {1, "", notRunning}},
        {{"nap", "--duration", "2h"},
         R"({"dialog":"Purlo is napping."})",
         {2, "", "purlo intent: “2h” is not a nap duration; use 15m, 20m, 30m, 1h.\n" + usage}},
    };
    for (const auto& row : cases) {
        bool asked = false;
        const auto send = [&](std::string_view request) {
            asked = Request::decode(request) ==
                    std::get<CommandLine::Perform>(CommandLine::parse(row.arguments)).intent;
            return row.answer;
        };
        EXPECT_EQ(CommandLine::run(row.arguments, send), row.outcome)
            << ::testing::PrintToString(row.arguments);
        EXPECT_EQ(asked, row.outcome.status != CommandLine::misused)
            << "only a sound command is sent";
    }
    const auto help = CommandLine::run(std::vector<std::string>{"--help"}, nullptr);
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("  agent-status   Set Purlo Agent Status\n"
                               "      --status thinking|done\n"
                               "                 Status, a Purlo Agent Status: Thinking unless "
                               "given\n"),
              std::string::npos)
        << help.output;
    const std::string exitStatus =
        "\nExit status: 0 when Purlo did it, 1 when she could not or is not running,\n"
        "2 when the command is mistyped.\n";
    const std::pair<std::vector<std::string>, std::string> usages[] = {
        {{"wake", "--help"},
         "Usage: purlo intent wake\n\n"
         "  wake           Wake Purlo\n"},
        {{"nap", "--duration=1h", "-h"},
         "Usage: purlo intent nap [OPTION...]\n\n"
         "  nap            Nap Purlo\n"
         "      --duration 15m|20m|30m|1h (or fifteenMinutes|twentyMinutes|thirtyMinutes|oneHour)\n"
         "                 Duration, a Purlo Nap Duration: 15 Minutes unless given\n"},
    };
    for (const auto& [arguments, text] : usages) {
        EXPECT_EQ(CommandLine::run(arguments, nullptr),
                  (CommandLine::Outcome{0, text + exitStatus, ""}));
    }
}

TEST(IntentCommandLine, ListsTheSevenShortcutsEachRunnableAsPrinted) {
    const std::string list = CommandLine::shortcutList();
    EXPECT_TRUE(list.starts_with("Pet Purlo: purlo intent pet\n"
                                 "    Pet Purlo\n"
                                 "    Give Purlo a pet\n"
                                 "Start Focus: purlo intent start-focus\n"))
        << list;
    EXPECT_EQ(std::ranges::count(list, '\n'), 7 * 3);
    for (const PurloShortcut& shortcut : PurloShortcuts::appShortcuts()) {
        SCOPED_TRACE(shortcut.shortTitle);
        std::istringstream stream(CommandLine::commandFor(shortcut.intent));
        const std::vector<std::string> words(std::istream_iterator<std::string>(stream), {});
        EXPECT_TRUE(CommandLine::parse(std::span(words).subspan(2)) == // after "purlo intent"
                    CommandLine::Parsed{CommandLine::Perform{shortcut.intent}});
        EXPECT_EQ(Request::decode(Request::encode(shortcut.intent)), shortcut.intent);
    }
    EXPECT_EQ(PurloShortcut::phrase("${applicationName} nap, ${applicationName}!", "Purlo"),
              "Purlo nap, Purlo!");
}

TEST(IntentRequest, ARequestThatIsNotExactlyAKnownActionIsRefusedAndDoesNothing) {
    const std::string refused = R"({"error":"Purlo did not understand that request."})";
    const std::string deep = std::string(5000, '[') + std::string(5000, ']');
    const std::string requests[] = {
        "",
        "pet",
        R"({"action":"Pet"})",
        R"({"action":"pet","force":true})",
        R"({"action":["pet"]})",
        R"({"action":"nap","duration":15})",
        R"({"action":"agent-status","status":"done"})",
        R"({"action":"agent-status","status":"completed","source":"x"})",
        R"({"action":"pet"} {"action":"wake"})",
        std::string(R"({"action":"pet"})") + '\0' + "garbage",
        deep,
        R"({"action":"pet","pad":")" + std::string(Request::maximumLength, ' ') + "\"}"};
    RuntimeHarness harness;
    harness.runtime().start();
    const CompanionScene before = harness.scene();
    for (const auto& request : requests) {
        EXPECT_EQ(Request::answer(request, harness.runtime()), refused) << request.substr(0, 80);
    }
    EXPECT_EQ(harness.scene(), before);
    EXPECT_FALSE(std::filesystem::exists(harness.runtime().agentEventBridge().eventFileURL()));
    EXPECT_EQ(Request::answer(R"({"action":"pet"})", harness.runtime()),
              R"({"dialog":"Purlo purrs."})");
    EXPECT_EQ(Request::answer(R"({"action":"agent-status","source":"\u00e9\n","status":"done"})",
                              harness.runtime()),
              R"({"dialog":"Purlo celebrates."})");
    EXPECT_EQ(writtenEvent(harness)->source, "é\n");
}

} // namespace
} // namespace purlo
