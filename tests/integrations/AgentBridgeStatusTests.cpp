#include "integrations/AgentBridgeStatus.h"

#include <cmath>
#include <gtest/gtest.h>

namespace purlo {
namespace {

AgentEventSnapshot event(AgentEventKind kind, std::string source, std::optional<double> at) {
    return {kind, std::move(source), std::nullopt, at, std::nullopt};
}

TEST(AgentBridgeStatus, AgesReadInTheLargestWholeUnit) {
    struct Case {
        double eventTime;
        double now;
        std::string text;
    };
    const Case cases[] = {
        {100, 100, "now"}, {100, 104.99, "now"}, {100, 105, "5s"}, {0, 59.99, "59s"},
        {0, 60, "1m"},     {0, 3599, "59m"},     {0, 3600, "1h"},  {0, 90000, "25h"},
        {500, 100, "now"}, {NAN, 100, "now"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AgentBridgeEventRow::relativeAgeText(c.eventTime, c.now), c.text)
            << c.eventTime << " at " << c.now;
    }
}

using Texts = std::vector<std::string>;

Texts textsOf(const AgentBridgeEventRow& row) {
    return {row.id, row.source, row.statusText, row.detailText, row.ageText, row.systemImage};
}

TEST(AgentBridgeStatus, RowsCarryTheKindTextsAndAStableId) {
    struct Case {
        AgentEventSnapshot snapshot;
        Texts row;
    };
    const double now = 135;
    const Case cases[] = {
        {event(AgentEventKind::completed, "codex", 10),
         {"completed|Codex|10.0|Completed", "Codex", "Done", "Completed", "2m", "sparkles"}},
        {event(AgentEventKind::started, "Terminal", 134.25),
         {"started|Terminal|134.25|Work started", "Terminal", "Started", "Work started", "now",
          "play.circle"}},
        {event(AgentEventKind::thinking, "Claude Code", 0.1),
         {"thinking|Claude Code|0.1|Thinking", "Claude Code", "Thinking", "Thinking", "2m",
          "brain.head.profile"}},
        {event(AgentEventKind::waiting, "", std::nullopt),
         {"waiting|Agent|135.0|Waiting for input", "Agent", "Waiting", "Waiting for input", "now",
          "hourglass"}},
        {event(AgentEventKind::failed, "Purlo", 12000000),
         {"failed|Purlo|12000000.0|Needs attention", "Purlo", "Needs help", "Needs attention",
          "now", "exclamationmark.triangle"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(textsOf(AgentBridgeEventRow(c.snapshot, now)), c.row);
    }
    // An event's own message is never shown.
    AgentEventSnapshot withMessage = event(AgentEventKind::failed, "Codex", 1);
    withMessage.message = "disk full";
    EXPECT_EQ(AgentBridgeEventRow(withMessage, 2).detailText, "Needs attention");
}

TEST(AgentBridgeStatus, RowsThatDifferOnlyInAgeDiffer) {
    const auto snapshot = event(AgentEventKind::thinking, "Cursor", 0);
    EXPECT_NE(AgentBridgeEventRow(snapshot, 1), AgentBridgeEventRow(snapshot, 61));
    EXPECT_EQ(AgentBridgeEventRow(snapshot, 1), AgentBridgeEventRow(snapshot, 2));
}

TEST(AgentBridgeStatus, SummaryCountsRecentEventsOnlyWhenOn) {
    const AgentBridgeEventRow row(event(AgentEventKind::thinking, "Codex", 0), 0);
    EXPECT_EQ((AgentBridgeStatus{false, "/f", {row, row}}).summaryText(), "Off");
    EXPECT_EQ((AgentBridgeStatus{true, "/f", {}}).summaryText(), "Waiting");
    EXPECT_EQ((AgentBridgeStatus{true, "/f", {row}}).summaryText(), "1 recent");
    EXPECT_EQ((AgentBridgeStatus{true, "/f", {row, row, row}}).summaryText(), "3 recent");
}

} // namespace
} // namespace purlo
