#include "integrations/InternetDateTime.h"
#include "integrations/PurloSupportEmailDraft.h"
#include "integrations/PurloSupportSnapshot.h"

#include <cctype>
#include <gtest/gtest.h>
#include <limits>
#include <sstream>
#include <vector>

namespace purlo {
namespace {

using Kind = PurloPrivacySignal::Kind;
using State = PurloPrivacySignal::State;

// 2026-01-13T09:00:00Z
constexpr Date tuesdayMorning = Date::fromUnixSeconds(1768294800);

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find('\n', start);
        result.push_back(text.substr(start, end - start));
        if (end == std::string::npos) {
            return result;
        }
        start = end + 1;
    }
}

PurloPrivacyStatus sixSignals() {
    return {{
        {Kind::cursorAttention, State::active, "Eyes follow."},
        {Kind::typingRhythm, State::paused, "Timing rests."},
        {Kind::appContext, State::off, "App names off."},
        {Kind::localAgentBridge, State::needsPermission, "Bridge waits."},
        {Kind::motivation, State::active, "Cheers on."},
        {Kind::privateContent, State::never, "Never read."},
    }};
}

PurloSupportSnapshot snapshot() {
    AgentBridgeStatus bridge;
    bridge.enabled = true;
    bridge.eventFilePath = "/home/ada/.local/share/Purlo/agent-event.json";
    bridge.recentEvents.resize(2);
    PurloSettings settings;
    settings.habitReminders = {{"water", "Water", "Drink", 60, true},
                               {"eyes", "Eyes", "  ", 20, true},
                               {"custom", "Walk", "Walk", 90, false}};
    return PurloSupportSnapshot{
        .createdAt = tuesdayMorning.addingSeconds(0.75),
        .appInfo = {"Purlo", "1.4", "27"},
        .diagnostics = {.tickRate = 9.96,
                        .averageFrameInterval = 0.1,
                        .longestFrameInterval = 0.1046,
                        .memoryMegabytes = 41.5,
                        .sampleDuration = 1,
                        .level = PurloDiagnosticsLevel::steady},
        .privacyStatus = sixSignals(),
        .agentBridgeStatus = bridge,
        .settings = settings,
        .updateModeText = std::string(PurloSupportSnapshot::websiteDownloadText),
    };
}

TEST(PurloSupportSnapshot, TheWholeReportReadsLineForLine) {
    const std::string expected = R"(Purlo Support Report
Generated: 2026-01-13T09:00:00Z

App
- Name: Purlo
- Version: 1.4
- Build: 27
- Updates: Website download
- Network: Update checks do not include desktop activity or telemetry

Diagnostics
- Status: Steady
- Runtime cadence: 10 fps avg / 105 ms max
- Memory: 42 MB footprint
- Detail: Runtime cadence and memory look light.

Privacy Signals
- Cursor attention: Active - Eyes follow.
- Typing rhythm: Quiet - Timing rests.
- Developer app context: Off - App names off.
- Local agent bridge: Needs permission - Bridge waits.
- Motivation: Active - Cheers on.
- Private content: Never - Never read.

Local Agent
- Bridge: On
- Status: 2 recent
- Recent events: 2
- Event file path: Not included in support report
- Event messages: Not included in support report

Settings Summary
- Eye tracking: On
- Playful reactions: On
- Typing rhythm reactions: On
- Reaction intensity: 72%
- Developer tool awareness: On
- Local agent bridge: On
- Stretch reminder: 45 minutes
- Active habit reminders: 1
- Kind nudges: Every 120 minutes
- Pomodoro focus: 25 minutes
- Quiet hours: Off
- Scheduled nap: Off
- Cat body: Anchored unless dragged, reset, or re-homed after display changes

Excluded Private Content
- Typed text
- Screenshots
- Prompts, code, terminal output, and browser contents
- Messages and document contents
- User-provided names and pinned notes
- Full local file paths
- Local agent event details
- Reddit usernames or community data)";
    const std::string report = snapshot().buildSupportReport();
    EXPECT_EQ(report, expected);
    EXPECT_EQ(lines(report).size(), 55U);
}

TEST(PurloSupportSnapshot, PrivacySignalsTakeOneLineEachAndNoneLeaveOneEmptyLine) {
    for (const std::size_t count : {0U, 1U, 6U}) {
        PurloSupportSnapshot value = snapshot();
        value.privacyStatus.signals.resize(count);
        const std::vector<std::string> report = lines(value.buildSupportReport());
        SCOPED_TRACE(count);
        EXPECT_EQ(report.size(), 49U + std::max<std::size_t>(count, 1));
        EXPECT_EQ(report[16], "Privacy Signals");
        for (std::size_t index = 0; index < count; ++index) {
            EXPECT_EQ(report[17 + index].substr(0, 2), "- ");
        }
        const std::size_t after = 17 + std::max<std::size_t>(count, 1);
        if (count == 0) {
            EXPECT_EQ(report[17], "");
        }
        EXPECT_EQ(report[after], "");
        EXPECT_EQ(report[after + 1], "Local Agent");
        EXPECT_EQ(report.back(), "- Reddit usernames or community data");
    }
}

TEST(PurloSupportSnapshot, SettingsLinesRoundClampAndSayOffAtTheirEdges) {
    const struct {
        void (*change)(PurloSettings&);
        std::size_t line; // counted from 1, with six privacy signals
        const char* text;
    } cases[] = {
        {[](PurloSettings& s) { s.reactionIntensity = 0.05; }, 31, "- Reaction intensity: 10%"},
        {[](PurloSettings& s) { s.reactionIntensity = 0.1; }, 31, "- Reaction intensity: 10%"},
        {[](PurloSettings& s) { s.reactionIntensity = 0.104; }, 31, "- Reaction intensity: 10%"},
        {[](PurloSettings& s) { s.reactionIntensity = 0.625; }, 31, "- Reaction intensity: 63%"},
        {[](PurloSettings& s) { s.reactionIntensity = 1.7; }, 31, "- Reaction intensity: 100%"},
        {[](PurloSettings& s) { s.stretchReminderMinutes = 0; }, 34,
         "- Stretch reminder: 0 minutes"},
        {[](PurloSettings& s) { s.kindNudgeMinutes = 0; }, 36, "- Kind nudges: Off"},
        {[](PurloSettings& s) { s.kindNudgeMinutes = 10; }, 36, "- Kind nudges: Every 30 minutes"},
        {[](PurloSettings& s) { s.kindNudgeMinutes = 500; }, 36,
         "- Kind nudges: Every 240 minutes"},
        {[](PurloSettings& s) { s.pomodoroFocusMinutes = 500; }, 37,
         "- Pomodoro focus: 500 minutes"},
        {[](PurloSettings& s) { s.eyeTrackingEnabled = false; }, 28, "- Eye tracking: Off"},
        {[](PurloSettings& s) { s.quietHours.enabled = true; }, 38, "- Quiet hours: On"},
    };
    for (const auto& [change, line, text] : cases) {
        PurloSupportSnapshot value = snapshot();
        change(value.settings);
        EXPECT_EQ(lines(value.buildSupportReport())[line + 4], text) << "line " << line;
    }
}

TEST(PurloSupportSnapshot, DiagnosticsAndTheBridgeHaveTheirOwnWordsBeforeASample) {
    const struct {
        PurloDiagnosticsSnapshot diagnostics;
        bool bridge;
        std::size_t events;
        std::vector<std::string> expected; // lines 12 to 15, then 21 to 23
    } cases[] = {
        {{},
         false,
         0,
         {"- Status: Collecting", "- Runtime cadence: Collecting sample", "- Memory: Unavailable",
          "- Detail: Collecting a short local sample.", "- Bridge: Off", "- Status: Off",
          "- Recent events: 0"}},
        {{6.5, 0.2, 0.5, std::nullopt, 1, PurloDiagnosticsLevel::attention},
         true,
         0,
         {"- Status: Needs attention", "- Runtime cadence: 7 fps avg / 500 ms max",
          "- Memory: Unavailable", "- Detail: Profile this build before shipping it broadly.",
          "- Bridge: On", "- Status: Waiting", "- Recent events: 0"}},
        {{9, 0.1, 0, 120.5, 1, PurloDiagnosticsLevel::watching},
         true,
         20,
         {"- Status: Watching", "- Runtime cadence: 9 fps avg / 0 ms max",
          "- Memory: 121 MB footprint",
          "- Detail: Cadence or memory is worth watching before release.", "- Bridge: On",
          "- Status: 20 recent", "- Recent events: 20"}},
    };
    for (const auto& [diagnostics, bridge, events, expected] : cases) {
        PurloSupportSnapshot value = snapshot();
        value.diagnostics = diagnostics;
        value.agentBridgeStatus.enabled = bridge;
        value.agentBridgeStatus.recentEvents.resize(events);
        const std::vector<std::string> report = lines(value.buildSupportReport());
        const std::vector<std::string> read{report[11], report[12], report[13], report[14],
                                            report[25], report[26], report[27]};
        EXPECT_EQ(read, expected);
    }
}

TEST(PurloSupportSnapshot, NoNameNoteMessageOrPathEverReachesTheReport) {
    PurloSupportSnapshot value = snapshot();
    value.settings.userName = "Ada Quillfeather";
    value.settings.companionName = "Mochimaru";
    value.settings.pinnedMessage = "remember the dentist";
    value.settings.habitReminders[0].message = "call grandma";
    value.settings.habitReminders[0].title = "Grandma";
    value.agentBridgeStatus.eventFilePath = "/home/quillfeather/secret/agent-event.json";
    value.agentBridgeStatus.recentEvents[0].detailText = "rm -rf the prod database";
    value.agentBridgeStatus.recentEvents[0].source = "Cursor";
    const std::string report = value.buildSupportReport();
    for (const char* secret : {"Quillfeather", "Mochimaru", "dentist", "grandma", "Grandma",
                               "/home", "secret", "prod database", "Cursor:"}) {
        EXPECT_EQ(report.find(secret), std::string::npos) << secret;
    }
    EXPECT_NE(report.back(), '\n');
    EXPECT_EQ(lines(value.buildSupportReport()), lines(report))
        << "the same snapshot, the same text";
}

TEST(InternetDateTime, WholeSecondsInUtcForAnyClock) {
    const std::pair<double, const char*> cases[] = {
        {1768294800, "2026-01-13T09:00:00Z"},
        {1768294800.999, "2026-01-13T09:00:00Z"},
        {1709210096, "2024-02-29T12:34:56Z"},
        {Date::referenceDateUnixSeconds, "2001-01-01T00:00:00Z"},
        {-0.5, "1969-12-31T23:59:59Z"},
        {1e18, "9999-12-31T23:59:59Z"},
        {-1e18, "0001-01-01T00:00:00Z"},
        {std::numeric_limits<double>::quiet_NaN(), "1970-01-01T00:00:00Z"},
    };
    for (const auto& [unix, text] : cases) {
        EXPECT_EQ(internetDateTime(Date::fromUnixSeconds(unix)), text) << unix;
    }
}

// The mail link's query as name and decoded value, in order.
std::vector<std::pair<std::string, std::string>> queryItems(const std::string& link) {
    const auto hex = [](char c) {
        return std::isdigit(c) ? c - '0' : std::toupper(c) - 'A' + 10;
    };
    const auto decoded = [&](const std::string& text) {
        std::string out;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '%' && i + 2 < text.size()) {
                out.push_back(static_cast<char>(hex(text[i + 1]) * 16 + hex(text[i + 2])));
                i += 2;
            } else {
                out.push_back(text[i]);
            }
        }
        return out;
    };
    std::vector<std::pair<std::string, std::string>> items;
    std::stringstream query(link.substr(link.find('?') + 1));
    for (std::string item; std::getline(query, item, '&');) {
        const auto equals = item.find('=');
        items.emplace_back(item.substr(0, equals), decoded(item.substr(equals + 1)));
    }
    return items;
}

TEST(PurloSupportEmailDraft, TheLinkCarriesSubjectThenBodyEncodedForAQuery) {
    const PurloSupportEmailDraft draft{{"Purlo", "1.4", "27"}};
    const auto url = draft.supportMailtoURL();
    ASSERT_TRUE(url.has_value());
    const std::string& link = url->text();
    EXPECT_EQ(link.substr(0, link.find('?')), "mailto:support@purlo.example");
    EXPECT_EQ(link.substr(link.find('?'), 48), "?subject=Purlo%20support%20-%201.4%20(27)&body=H");
    EXPECT_EQ(link.find(' '), std::string::npos);
    EXPECT_EQ(link.find('\n'), std::string::npos);
    EXPECT_NE(link.find("Hi%20Purlo%20support,%0A%0AWhat%20happened?%0A%0A%0A"), std::string::npos);
    EXPECT_NE(link.find("Settings%20%3E%20Help"), std::string::npos);

    const auto items = queryItems(link);
    ASSERT_EQ(items.size(), 2U);
    EXPECT_EQ(items[0].first, "subject");
    EXPECT_EQ(items[0].second, draft.subject());
    EXPECT_EQ(items[1].first, "body");
    EXPECT_EQ(items[1].second, draft.body());
}

TEST(PurloSupportEmailDraft, TheBodyHasItsFifteenLinesWhateverTheBundleSays) {
    for (const auto& [version, build] :
         {std::pair{"1.4", "27"}, std::pair{"Unavailable", "Unavailable"}}) {
        const PurloSupportEmailDraft draft{{"Purlo", version, build}};
        const std::vector<std::string> body = lines(draft.body());
        ASSERT_EQ(body.size(), 15U);
        EXPECT_EQ(draft.subject(), std::string("Purlo support - ") + version + " (" + build + ")");
        EXPECT_EQ(body[0], "Hi Purlo support,");
        EXPECT_EQ(body[2], "What happened?");
        EXPECT_EQ(body[5], "Purlo details:");
        EXPECT_EQ(body[6], std::string("- Version: ") + version);
        EXPECT_EQ(body[7], std::string("- Build: ") + build);
        EXPECT_EQ(body[8], "- Help page: https://purlo.example/help");
        EXPECT_EQ(body[9],
                  "- Community: Purlo Community for feature requests, launch notes, and setups");
        EXPECT_EQ(body[11], "Optional support report:");
        EXPECT_EQ(body[12], "If helpful, copy the support report from Purlo Settings > Help > "
                            "Support Report, skim it, then paste it below.");
        EXPECT_EQ(body[14], "Please do not include screenshots, typed text, prompts, code, "
                            "terminal output, documents, or private messages.");
        for (const std::size_t empty : {1, 3, 4, 10, 13}) {
            EXPECT_EQ(body[empty], "") << "line " << empty + 1;
        }
    }
}

} // namespace
} // namespace purlo
