#include "base/JsonCoding.h"
#include "platform/AtomicFile.h"
#include "runtime/AgentEventBridge.h"
#include "runtime/AgentEventWriter.h"
#include "tests/support/NestedJson.h"
#include "tests/support/TemporaryFolder.h"

#include <cmath>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace purlo {
namespace {

using enum AgentEventKind;
const AgentEventSnapshot none = AgentEventSnapshot::empty();

AgentEventSnapshot event(AgentEventKind kind, std::string source, double at, double until) {
    return {kind, std::move(source), std::nullopt, at, until};
}

double fixedUptime() {
    return 1234.5;
}

AgentEventSnapshot substitute(double now) {
    return event(failed, "Purlo", now, now + 7);
}

class AgentEventBridgeTest : public ::testing::Test {
protected:
    // Writes the file; with a stamp, dates it at that nanosecond of one fixed second, as a
    // file system with coarse timestamps dates two writes close together.
    void write(const std::string& bytes, long stamp = -1) const {
        testing::writeFile(file, bytes);
        date(stamp);
    }
    void date(long stamp) const {
        const timespec times[2] = {{1700000000, 0}, {1700000000, stamp}};
        ASSERT_TRUE(stamp < 0 || ::utimensat(AT_FDCWD, file.c_str(), times, 0) == 0);
    }

    testing::TemporaryFolder folder;
    std::filesystem::path file = AgentEventBridge::defaultEventFileURL(folder.path());
    AgentEventBridge bridge{file};
};

TEST_F(AgentEventBridgeTest, DecodesEachFileIntoItsEvent) {
    const std::pair<std::string, AgentEventSnapshot> cases[] = {
        {R"({"event":"thinking","source":"Codex"})", event(thinking, "Codex", 100, 160)},
        {R"({"event":"waiting"})", event(waiting, "Agent", 100, 145)},
        {R"({"event":"completed","source":""})", event(completed, "", 100, 103)},
        {R"({"event":"thinking","ttlSeconds":0})", event(thinking, "Agent", 100, 101)},
        {R"({"event":"thinking","ttlSeconds":-1})", event(thinking, "Agent", 100, 101)},
        {R"({"event":"thinking","ttlSeconds":2.5})", event(thinking, "Agent", 100, 102.5)},
        {R"({"event":"thinking","ttlSeconds":500})", event(thinking, "Agent", 100, 400)},
        // A stamp from the future counts as now, so it cannot outstay its lifetime.
        {R"({"event":"thinking","timestamp":5000})", event(thinking, "Agent", 100, 160)},
        {R"({"event":"Thinking"})", substitute(100)},
        {R"({"event":"done"})", substitute(100)},
        {R"({"event":"thinking","ttlSeconds":"60"})", substitute(100)},
        {R"({"event":"thinking","timestamp":1e400})", substitute(100)},
    };
    for (const auto& [content, expected] : cases) {
        std::filesystem::remove(file);
        bridge.reset();
        write(content);
        EXPECT_EQ(bridge.sample(100), expected) << content;
        EXPECT_EQ(bridge.eventHistory(), std::vector{expected});
    }
}

TEST_F(AgentEventBridgeTest, ReadsSixteenKibibytesOfARegularFileAndNoMoreWithoutBlocking) {
    const std::string opening = R"({"event":"thinking","source":")";
    const std::string padding(16384 - opening.size() - 2, 'x');
    bridge.reset();
    write(opening + padding + R"("})");
    EXPECT_EQ(bridge.sample(100).kind, thinking);
    write(opening + padding + R"(x"})");
    EXPECT_EQ(bridge.sample(101), substitute(101));
    std::filesystem::remove(file);
    ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
    EXPECT_EQ(bridge.sample(102), substitute(102));
    std::filesystem::remove(file);
    std::filesystem::create_directory(file);
    EXPECT_EQ(bridge.sample(103), substitute(103));
}

TEST_F(AgentEventBridgeTest, AFileNestedTooDeepGivesTheSubstituteEvent) {
    const std::string thinkingEvent = R"({"event":"thinking"})";
    const std::pair<std::size_t, AgentEventSnapshot> rows[] = {
        {maximumJsonDepth, event(thinking, "Agent", 100, 160)},
        {maximumJsonDepth + 1, substitute(100)},
        {10'000, substitute(100)},
        {50'000, substitute(100)},
    };
    for (const auto& [depth, expected] : rows) {
        bridge.reset();
        write(testing::withNesting(thinkingEvent, depth), depth);
        EXPECT_EQ(bridge.sample(100), expected) << depth;
        // The file's size limit catches the deepest ones first; the record alone still fails.
        EXPECT_EQ(decodeAgentEventPayload(testing::withNesting(thinkingEvent, depth)).has_value(),
                  depth == maximumJsonDepth);
    }
}

TEST_F(AgentEventBridgeTest, RewriteWithinOneTimestampTickIsSeen) {
    bridge.reset();
    write(R"({"event":"started"})", 0);
    EXPECT_EQ(bridge.sample(100).kind, started);
    // Renamed over the old file, with the very same modification time.
    ASSERT_FALSE(writeFileAtomically(file, R"({"event":"thinking"})"));
    date(0);
    EXPECT_EQ(bridge.sample(101).kind, thinking);
    // In place with another length, then the same length a little later.
    write(R"({"event":"waiting","source":"Codex"})", 0);
    EXPECT_EQ(bridge.sample(102).kind, waiting);
    write(R"({"event":"waiting","source":"Kiro!"})", 500);
    EXPECT_EQ(bridge.sample(103).source, "Kiro!");
    EXPECT_EQ(bridge.eventHistory().size(), 4u);
}

TEST_F(AgentEventBridgeTest, EventsLeaveAtTheirEndAStaleOneOnlyEntersTheHistoryAndNoneReplays) {
    write(R"({"event":"thinking","source":"Codex"})");
    bridge.reset(); // the program starts with an old file in place
    EXPECT_EQ(bridge.sample(99), none);
    write(R"({"event":"waiting","source":"Codex"})");
    bridge.sample(100);
    EXPECT_EQ(bridge.sample(144.9).kind, waiting);
    EXPECT_EQ(bridge.sample(145), none);
    write(R"({"event":"thinking","source":"Codex","timestamp":10})");
    EXPECT_EQ(bridge.sample(146), none);
    EXPECT_EQ(bridge.eventHistory(),
              (std::vector{event(waiting, "Codex", 100, 145), event(thinking, "Codex", 10, 70)}));
    // Off: every tick resets, and something arrives meanwhile.
    bridge.reset();
    write(R"({"event":"completed"})", 7);
    bridge.reset();
    EXPECT_EQ(bridge.currentEvent(), none);
    EXPECT_TRUE(bridge.eventHistory().empty());
    EXPECT_EQ(bridge.sample(147), none);
    write(R"({"event":"started"})");
    EXPECT_EQ(bridge.sample(148).kind, started);
}

TEST(AgentEventHistory, KeepsTheTwentyNewestAndDropsOnlyARepeatOfTheNewest) {
    AgentEventBridge bridge("/nonexistent/agent-event.json");
    for (int index = 0; index < 21; ++index) {
        bridge.ingest(event(thinking, "Codex", index, index + 60));
    }
    ASSERT_EQ(bridge.eventHistory().size(), 20u);
    bridge.ingest(bridge.eventHistory().back());
    bridge.ingest(none);
    EXPECT_EQ(bridge.eventHistory().back().receivedAt, 20);
    EXPECT_EQ(bridge.eventHistory().front().receivedAt, 1);
    bridge.ingest(bridge.eventHistory()[18]);
    EXPECT_EQ(bridge.eventHistory().back().receivedAt, 19);
}

TEST(AgentEventWriter, WritesOnlyTheKeysThatHaveValuesAndFailsWithoutHarm) {
    testing::TemporaryFolder folder;
    const AgentEventWriter writer{folder / "new" / "agent-event.json", fixedUptime};
    ASSERT_EQ(writer.write(thinking, "Shortcut", 60), std::nullopt);
    EXPECT_EQ(Json::parse(testing::readFile(writer.eventFileURL)),
              Json::parse(R"({"event":"thinking","source":"Shortcut","timestamp":1234.5,)"
                          R"("ttlSeconds":60})"));
    ASSERT_EQ(writer.write(completed, std::nullopt, std::nullopt), std::nullopt);
    const std::string before = testing::readFile(writer.eventFileURL);
    EXPECT_EQ(Json::parse(before), Json::parse(R"({"event":"completed","timestamp":1234.5})"));

    const FileError unencodable{"The agent event could not be encoded."};
    EXPECT_EQ(writer.write(thinking, "Codex", NAN), unencodable);
    EXPECT_EQ(writer.write(thinking, "\xff\xfe", 60), unencodable);
    EXPECT_EQ(testing::readFile(writer.eventFileURL), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder / "new"), {}), 1)
        << "no temporary file is left behind";
    testing::writeFile(folder / "blocked", "a file where the folder should be");
    EXPECT_EQ(AgentEventWriter{folder / "blocked" / "agent-event.json"}.write(thinking, "C", 60),
              FileError{"Could not create the folder “blocked”: Not a directory."});
}

} // namespace
} // namespace purlo
