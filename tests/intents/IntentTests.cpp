#include "intents/IntentActionNames.h"
#include "intents/PurloAppIntents.h"
#include "intents/PurloIntentCommandLine.h"
#include "intents/PurloIntentRequest.h"
#include "intents/PurloShortcuts.h"
#include "runtime/AgentEventPayload.h"
#include "runtime/AgentEventWriter.h"
#include "tests/support/RuntimeHarness.h"

#include <functional>
#include <gtest/gtest.h>

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
    using Check = std::function<void(RuntimeHarness&, Date before)>;
    const auto event = [](AgentEventKind kind, const char* source, double lifetime) -> Check {
        return [=](RuntimeHarness& harness, Date) {
            EXPECT_EQ(writtenEvent(harness), (AgentEventPayload{kind, source, std::nullopt,
                                                                harness.clock.uptime(), lifetime}));
        };
    };
    const auto napEnds = [](double seconds) -> Check {
        return [=](RuntimeHarness& harness, Date before) {
            EXPECT_EQ(harness.stored().nap.until, before.addingSeconds(seconds));
            EXPECT_EQ(harness.scene().mood, CatMood::sleeping);
        };
    };
    const struct {
        PurloIntent intent;
        std::string dialog;
        Check check;
    } cases[] = {
        {PetPurloIntent{}, "Purlo purrs.",
         [](RuntimeHarness& harness, Date) {
             EXPECT_EQ(harness.scene().mood, CatMood::purring);
         }},
        {StartPurloFocusIntent{}, "Purlo started a focus timer.",
         [](RuntimeHarness& harness, Date) {
             EXPECT_EQ(
                 *harness.runtime().pomodoro(),
                 (PomodoroController::State{Mode::focus, harness.clock.uptime() + 25 * 60, 1, 0}));
         }},
        {MarkPurloWinIntent{}, "Purlo marked your win.",
         [](RuntimeHarness& harness, Date before) {
             EXPECT_EQ(harness.stored().completionStreak.totalCompletions, 1);
             EXPECT_EQ(harness.stored().completionStreak.lastCompletionAt, before);
         }},
        {NapPurloIntent{}, "Purlo is napping.", napEnds(900)},
        {NapPurloIntent{PurloNapShortcutDuration::twentyMinutes}, "Purlo is napping.",
         napEnds(1200)},
        {NapPurloIntent{PurloNapShortcutDuration::thirtyMinutes}, "Purlo is napping.",
         napEnds(1800)},
        {NapPurloIntent{PurloNapShortcutDuration::oneHour}, "Purlo is napping.", napEnds(3600)},
        {WakePurloIntent{}, "Purlo woke up.",
         [](RuntimeHarness& harness, Date) {
             EXPECT_EQ(harness.stored().nap.until, std::nullopt);
             EXPECT_NE(harness.scene().mood, CatMood::sleeping);
         }},
        {SetPurloAgentStatusIntent{}, "Purlo is thinking too.",
         event(AgentEventKind::thinking, "Shortcut", 60)},
        {SetPurloAgentStatusIntent{PurloAgentShortcutStatus::done, "Shortcut"}, "Purlo celebrates.",
         event(AgentEventKind::completed, "Shortcut", 3)},
        {SetPurloAgentStatusIntent{PurloAgentShortcutStatus::thinking, " codex "},
         "Purlo is thinking too.", event(AgentEventKind::thinking, " codex ", 60)},
        {SetPurloAgentStatusIntent{PurloAgentShortcutStatus::done, ""}, "Purlo celebrates.",
         event(AgentEventKind::completed, "", 3)},
    };
    for (const auto& row : cases) {
        RuntimeHarness harness;
        harness.runtime().start();
        harness.runtime().napUntilWoken(); // so that waking has something to end
        if (!std::holds_alternative<WakePurloIntent>(row.intent)) {
            harness.runtime().wake();
        }
        const Date before = harness.clock.now();
        SCOPED_TRACE(intentTitle(row.intent));
        EXPECT_EQ(dialogOf(performIntent(row.intent, harness.runtime())), row.dialog);
        row.check(harness, before);
    }
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

    // With no program running, the same write and answer; the event waits in the file.
    const AgentEventWriter writer{harness.folder / "alone" / "agent-event.json", [] {
                                      return 7.0;
                                  }};
    const SetPurloAgentStatusIntent done{PurloAgentShortcutStatus::done, "Shortcut"};
    EXPECT_EQ(done.performWithoutProgram(writer),
              PurloIntentResult(IntentDialog{"Purlo celebrates."}));
    EXPECT_EQ(decodeAgentEventPayload(testing::readFile(writer.eventFileURL)),
              (AgentEventPayload{AgentEventKind::completed, "Shortcut", std::nullopt, 7, 3}));
    EXPECT_EQ(SetPurloAgentStatusIntent{}.performWithoutProgram(AgentEventWriter{eventFile}),
              PurloIntentResult(IntentError{expected->message}));
}

TEST(IntentCommandLine, ReadsActionsOptionsAndMistakes) {
    using Args = std::vector<std::string>;
    using Parsed = CommandLine::Parsed;
    const auto perform = [](PurloIntent intent) {
        return Parsed{CommandLine::Perform{intent}};
    };
    const auto mistake = [](std::string text) {
        return Parsed{CommandLine::Mistake{text}};
    };
    const auto agent = [](PurloAgentShortcutStatus status, std::string source) {
        return SetPurloAgentStatusIntent{status, std::move(source)};
    };
    using enum PurloAgentShortcutStatus;
    const struct {
        Args arguments;
        Parsed parsed;
    } cases[] = {
        {{"pet"}, perform(PetPurloIntent{})},
        {{"nap"}, perform(NapPurloIntent{})},
        {{"nap", "--duration", "oneHour"},
         perform(NapPurloIntent{PurloNapShortcutDuration::oneHour})},
        {{"nap", "--duration=20m"},
         perform(NapPurloIntent{PurloNapShortcutDuration::twentyMinutes})},
        {{"nap", "--duration", "15m", "--duration", "30m"},
         perform(NapPurloIntent{PurloNapShortcutDuration::thirtyMinutes})},
        {{"agent-status"}, perform(agent(thinking, "Shortcut"))},
        {{"agent-status", "--status", "done", "--source", "Shortcut"},
         perform(agent(done, "Shortcut"))},
        {{"agent-status", "--source=", "--status=thinking"}, perform(agent(thinking, ""))},
        {{"agent-status", "--source", "--status"}, perform(agent(thinking, "--status"))},
        {{"--list"}, Parsed{CommandLine::ListShortcuts{}}},
        {{"--help"}, Parsed{CommandLine::ShowHelp{}}},
        {{"-h"}, Parsed{CommandLine::ShowHelp{}}},
        {{}, mistake("No action given.")},
        {{"purr"}, mistake("Unknown action “purr”.")},
        {{"Pet"}, mistake("Unknown action “Pet”.")},
        {{"--verbose"}, mistake("Unknown option “--verbose”.")},
        {{"--list", "pet"}, mistake("Unexpected argument “pet”.")},
        {{"pet", "now"}, mistake("Unexpected argument “now”.")},
        {{"pet", "--duration", "15m"}, mistake("“pet” has no option “--duration”.")},
        {{"nap", "--status", "done"}, mistake("“nap” has no option “--status”.")},
        {{"nap", "--duration"}, mistake("The option “--duration” needs a value.")},
        {{"nap", "--duration", "forever"},
         mistake("“forever” is not a nap duration; use 15m, 20m, 30m, 1h.")},
        {{"nap", "--duration", "OneHour"},
         mistake("“OneHour” is not a nap duration; use 15m, 20m, 30m, 1h.")},
        {{"agent-status", "--status", "completed"},
         mistake("“completed” is not an agent status; use thinking or done.")},
        {{"agent-status", "--source", std::string(1025, 'a')},
         mistake("The source must be UTF-8 text of at most 1024 bytes.")},
        {{"agent-status", "--source", "\xff"},
         mistake("The source must be UTF-8 text of at most 1024 bytes.")},
    };
    for (const auto& row : cases) {
        const Parsed parsed = CommandLine::parse(row.arguments);
        EXPECT_EQ(parsed.index(), row.parsed.index()) << ::testing::PrintToString(row.arguments);
        if (const auto* expected = std::get_if<CommandLine::Perform>(&row.parsed)) {
            const auto* got = std::get_if<CommandLine::Perform>(&parsed);
            EXPECT_TRUE(got && got->intent == expected->intent)
                << ::testing::PrintToString(row.arguments);
        }
        if (const auto* expected = std::get_if<CommandLine::Mistake>(&row.parsed)) {
            const auto* got = std::get_if<CommandLine::Mistake>(&parsed);
            EXPECT_EQ(got ? got->message : "", expected->message);
        }
    }
}

TEST(IntentCommandLine, PrintsTheAnswerOrSaysWhyNotWithTheRightExitStatus) {
    const std::string usage = CommandLine::usageLine() + "\n";
    const struct {
        std::vector<std::string> arguments;
        std::optional<std::string> answer; // nothing: no program listens
        CommandLine::Outcome outcome;
        std::string sent;
    } cases[] = {
        {{"pet"}, R"({"dialog":"Purlo purrs."})", {0, "Purlo purrs.\n", ""}, R"({"action":"pet"})"},
        {{"nap", "--duration", "1h"},
         R"({"dialog":"Purlo is napping."})",
         {0, "Purlo is napping.\n", ""},
         R"({"action":"nap","duration":"oneHour"})"},
        {{"agent-status", "--status", "done"},
         R"({"error":"Could not create the folder."})",
         {1, "", "Could not create the folder.\n"},
         R"({"action":"agent-status","source":"Shortcut","status":"done"})"},
        {{"wake"},
         std::nullopt,
         {1, "", "Purlo is not running. Start her first, then try again.\n"},
         R"({"action":"wake"})"},
        {{"wake"}, "", {1, "", "Purlo did not answer.\n"}, R"({"action":"wake"})"},
        {{"agent-status"},
         std::nullopt,
         {0, "Purlo is thinking too.\n",
          "Purlo is not running: the status was written to her agent event file.\n"},
         R"({"action":"agent-status","source":"Shortcut","status":"thinking"})"},
        {{"agent-status", "--status", "done"},
         std::nullopt,
         {1, "", "Could not write.\n"},
         R"({"action":"agent-status","source":"Shortcut","status":"done"})"},
        {{"wake"}, R"({"dialog":1})", {1, "", "Purlo did not answer.\n"}, R"({"action":"wake"})"},
        {{"wake"},
         R"({"dialog":"a","error":"b"})",
         {1, "", "Purlo did not answer.\n"},
         R"({"action":"wake"})"},
        {{"nap", "--duration", "2h"},
         std::nullopt,
         {2, "", "purlo intent: “2h” is not a nap duration; use 15m, 20m, 30m, 1h.\n" + usage},
         ""},
        {{}, std::nullopt, {2, "", "purlo intent: No action given.\n" + usage}, ""},
    };
    // Without a program only the agent status works: thinking is written, done fails here.
    const auto withoutProgram = [](const SetPurloAgentStatusIntent& status) -> PurloIntentResult {
        if (status.status == PurloAgentShortcutStatus::thinking) {
            return IntentDialog{"Purlo is thinking too."};
        }
        return IntentError{"Could not write."};
    };
    for (const auto& row : cases) {
        std::string sent;
        const auto outcome = CommandLine::run(
            row.arguments,
            [&](std::string_view request) {
                sent = request;
                return row.answer;
            },
            withoutProgram);
        EXPECT_EQ(outcome, row.outcome) << ::testing::PrintToString(row.arguments);
        EXPECT_EQ(sent, row.sent) << ::testing::PrintToString(row.arguments);
    }
    EXPECT_EQ(CommandLine::usageLine(),
              "Usage: purlo intent pet|start-focus|mark-win|nap|wake|agent-status [OPTION...], or "
              "purlo intent --list; purlo intent --help explains them.");
    const auto help = CommandLine::run(std::vector<std::string>{"--help"}, nullptr, nullptr);
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("  agent-status   Set Purlo Agent Status\n"
                               "      --status thinking|done\n"
                               "                 Status, a Purlo Agent Status: Thinking unless "
                               "given\n"),
              std::string::npos)
        << help.output;
}

TEST(IntentCommandLine, ListsTheSevenShortcutsEachRunnableAsPrinted) {
    const std::string list = CommandLine::shortcutList();
    EXPECT_TRUE(list.starts_with("Pet Purlo: purlo intent pet\n"
                                 "    Pet Purlo\n"
                                 "    Give Purlo a pet\n"
                                 "Start Focus: purlo intent start-focus\n"))
        << list;
    EXPECT_TRUE(list.ends_with("Agent Done: purlo intent agent-status --status done --source "
                               "Shortcut\n"
                               "    Purlo agent done\n"
                               "    Tell Purlo the agent finished\n"))
        << list;
    EXPECT_EQ(std::ranges::count(list, '\n'), 7 * 3);
    for (const PurloShortcut& shortcut : PurloShortcuts::appShortcuts()) {
        SCOPED_TRACE(shortcut.shortTitle);
        const std::string command = CommandLine::commandFor(shortcut.intent);
        std::vector<std::string> words;
        for (std::size_t start = 0, end = 0; start < command.size(); start = end + 1) {
            end = std::min(command.find(' ', start), command.size());
            words.emplace_back(command.substr(start, end - start));
        }
        const auto parsed = CommandLine::parse(std::span(words).subspan(2)); // after "purlo intent"
        const auto* perform = std::get_if<CommandLine::Perform>(&parsed);
        EXPECT_TRUE(perform && perform->intent == shortcut.intent);
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
        "{}",
        "[]",
        R"({"action":"Pet"})",
        R"({"action":"rm -rf ~"})",
        R"({"action":"pet","force":true})",
        R"({"action":["pet"]})",
        R"({"action":"nap"})",
        R"({"action":"nap","duration":15})",
        R"({"action":"nap","duration":"fifteen"})",
        R"({"action":"agent-status","status":"done"})",
        R"({"action":"agent-status","status":"done","source":null})",
        R"({"action":"agent-status","status":"completed","source":"x"})",
        R"({"action":"pet"} {"action":"wake"})",
        deep,
        R"({"action":"pet","pad":")" + std::string(Request::maximumLength, ' ') + "\"}",
    };
    for (const auto& request : requests) {
        RuntimeHarness harness;
        harness.runtime().start();
        const CompanionScene before = harness.scene();
        EXPECT_EQ(Request::answer(request, harness.runtime()), refused) << request.substr(0, 80);
        EXPECT_EQ(harness.scene(), before);
        EXPECT_FALSE(std::filesystem::exists(harness.runtime().agentEventBridge().eventFileURL()));
    }
    RuntimeHarness harness;
    harness.runtime().start();
    EXPECT_EQ(Request::answer(R"({"action":"pet"})", harness.runtime()),
              R"({"dialog":"Purlo purrs."})");
    EXPECT_EQ(Request::answer(R"({"action":"agent-status","source":"\u00e9\n","status":"done"})",
                              harness.runtime()),
              R"({"dialog":"Purlo celebrates."})");
    EXPECT_EQ(writtenEvent(harness)->source, "é\n");
}

} // namespace
} // namespace purlo
