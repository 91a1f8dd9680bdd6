#include "integrations/InternetDateTime.h"
#include "integrations/PurloSupportEmailDraft.h"
#include "integrations/PurloSupportSnapshot.h"

#include <gtest/gtest.h>
#include <limits>
#include <sstream>
#include <vector>

namespace purlo {
namespace {

using Kind = PurloPrivacySignal::Kind;
using State = PurloPrivacySignal::State;
using Lines = std::vector<std::string>;

// 2026-01-13T09:00:00Z
constexpr Date tuesdayMorning = Date::fromUnixSeconds(1768294800);

Lines lines(const std::string& text) {
    Lines result;
    std::stringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        result.push_back(line);
    }
    return result;
}

// A snapshot whose names, notes, messages and paths must never reach the report.
PurloSupportSnapshot snapshot() {
    AgentBridgeStatus bridge{true, "/home/quillfeather/secret/agent-event.json", {}};
    bridge.recentEvents.resize(2);
    bridge.recentEvents[0].detailText = "rm -rf the prod database";
    bridge.recentEvents[0].source = "Cursor";
    PurloSettings settings;
    settings.userName = "Ada Quillfeather";
    settings.companionName = "Mochimaru";
    settings.pinnedMessage = "remember the dentist";
    settings.habitReminders = {{"water", "Grandma", "call grandma", 60, true},
                               {"eyes", "Eyes", "  ", 20, true},
                               {"custom", "Walk", "Walk", 90, false}};
    return PurloSupportSnapshot{
        .createdAt = tuesdayMorning.addingSeconds(0.75),
        .appInfo = {"Purlo", "1.4", "27"},
        .diagnostics = {9.96, 0.1, 0.1046, 41.5, 1, PurloDiagnosticsLevel::steady},
        .privacyStatus = {{
            {Kind::cursorAttention, State::active, "Eyes follow."},
            {Kind::typingRhythm, State::paused, "Timing rests."},
            {Kind::appContext, State::off, "App names off."},
            {Kind::localAgentBridge, State::needsPermission, "Bridge waits."},
            {Kind::motivation, State::active, "Cheers on."},
            {Kind::privateContent, State::never, "Never read."},
        }},
        .agentBridgeStatus = bridge,
        .settings = settings,
        .updateModeText = std::string(PurloSupportSnapshot::websiteDownloadText),
    };
}

TEST(PurloSupportSnapshot, TheWholeReportReadsLineForLineWithoutAnythingPrivate) {
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

TEST(PurloSupportSnapshot, EachValueHasItsWordsAtItsEdges) {
    using S = PurloSupportSnapshot;
    const struct {
        void (*change)(S&);
        std::size_t line; // counted from 1, with six privacy signals
        Lines expected;
    } cases[] = {
        {[](S& s) { s.privacyStatus.signals.clear(); },
         17,
         {"Privacy Signals", "", "", "Local Agent"}},
        {[](S& s) { s.diagnostics = {}; },
         12,
         {"- Status: Collecting", "- Runtime cadence: Collecting sample", "- Memory: Unavailable",
          "- Detail: Collecting a short local sample."}},
        {[](S& s) { s.settings.reactionIntensity = 0.05; }, 36, {"- Reaction intensity: 10%"}},
        {[](S& s) { s.settings.reactionIntensity = 0.1; }, 36, {"- Reaction intensity: 10%"}},
        {[](S& s) { s.settings.reactionIntensity = 0.104; }, 36, {"- Reaction intensity: 10%"}},
        {[](S& s) { s.settings.reactionIntensity = 0.625; }, 36, {"- Reaction intensity: 63%"}},
        {[](S& s) { s.settings.reactionIntensity = 1.7; }, 36, {"- Reaction intensity: 100%"}},
        {[](S& s) { s.settings.stretchReminderMinutes = 0; },
         39,
         {"- Stretch reminder: 0 minutes"}},
        {[](S& s) { s.settings.kindNudgeMinutes = 0; }, 41, {"- Kind nudges: Off"}},
        {[](S& s) { s.settings.kindNudgeMinutes = 10; }, 41, {"- Kind nudges: Every 30 minutes"}},
        {[](S& s) { s.settings.kindNudgeMinutes = 500; }, 41, {"- Kind nudges: Every 240 minutes"}},
    };
    for (const auto& [change, line, expected] : cases) {
        PurloSupportSnapshot value = snapshot();
        change(value);
        const Lines report = lines(value.buildSupportReport());
        const auto first = report.begin() + static_cast<std::ptrdiff_t>(line - 1);
        EXPECT_EQ(Lines(first, first + static_cast<std::ptrdiff_t>(expected.size())), expected)
            << "line " << line;
    }
}

TEST(InternetDateTime, WholeSecondsInUtcForAnyClock) {
    const std::pair<double, const char*> cases[] = {
        {1768294800.999, "2026-01-13T09:00:00Z"},
        {-0.5, "1969-12-31T23:59:59Z"},
        {1e18, "9999-12-31T23:59:59Z"},
        {-1e18, "0001-01-01T00:00:00Z"},
        {std::numeric_limits<double>::quiet_NaN(), "1970-01-01T00:00:00Z"},
    };
    for (const auto& [unix, text] : cases) {
        EXPECT_EQ(internetDateTime(Date::fromUnixSeconds(unix)), text) << unix;
    }
}

// The mail link's query as names and decoded values, in order.
std::vector<std::pair<std::string, std::string>> queryItems(const std::string& link) {
    std::vector<std::pair<std::string, std::string>> items;
    std::stringstream query(link.substr(link.find('?') + 1));
    for (std::string item; std::getline(query, item, '&');) {
        const auto equals = item.find('=');
        std::string value;
        for (std::size_t i = equals + 1; i < item.size(); ++i) {
            const bool escape = item[i] == '%';
            value +=
                escape ? static_cast<char>(std::stoi(item.substr(i + 1, 2), nullptr, 16)) : item[i];
            i += escape ? 2 : 0;
        }
        items.emplace_back(item.substr(0, equals), value);
    }
    return items;
}

TEST(PurloSupportEmailDraft, TheLinkCarriesSubjectThenTheFifteenLineBodyEncodedForAQuery) {
    const std::string body = R"(Hi Purlo support,

What happened?


Purlo details:
- Version: 1.4
- Build: 27
- Help page: https://purlo.example/help
- Community: Purlo Community for feature requests, launch notes, and setups

Optional support report:
If helpful, copy the support report from Purlo Settings > Help > Support Report, skim it, then paste it below.

Please do not include screenshots, typed text, prompts, code, terminal output, documents, or private messages.)";
    const PurloSupportEmailDraft draft{{"Purlo", "1.4", "27"}};
    EXPECT_EQ(draft.body(), body);
    const auto url = draft.supportMailtoURL();
    ASSERT_TRUE(url.has_value());
    EXPECT_TRUE(url->text().starts_with("mailto:support@purlo.example?subject=Purlo%20support%20-%"
                                        "201.4%20(27)&body=Hi%20Purlo%20support,%0A%0AWhat%"
                                        "20happened?%0A%0A%0A"))
        << url->text();
    EXPECT_NE(url->text().find("Settings%20%3E%20Help"), std::string::npos);
    EXPECT_EQ(queryItems(url->text()),
              (std::vector<std::pair<std::string, std::string>>{
                  {"subject", "Purlo support - 1.4 (27)"}, {"body", body}}));

    const PurloSupportEmailDraft unknown{{"Purlo", "Unavailable", "Unavailable"}};
    EXPECT_EQ(unknown.subject(), "Purlo support - Unavailable (Unavailable)");
    const Lines unknownBody = lines(unknown.body());
    EXPECT_EQ(unknownBody[6], "- Version: Unavailable");
    EXPECT_EQ(unknownBody[7], "- Build: Unavailable");
}

} // namespace
} // namespace purlo
