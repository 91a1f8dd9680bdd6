#include "platform/AtomicFile.h"
#include "runtime/AgentEventBridge.h"
#include "tests/support/TemporaryFolder.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace purlo {
namespace {

using testing::TemporaryFolder;

AgentEventSnapshot event(AgentEventKind kind, std::string source, double receivedAt,
                         double expiresAt) {
    return {kind, std::move(source), std::nullopt, receivedAt, expiresAt};
}

AgentEventSnapshot substitute(double now) {
    return event(AgentEventKind::failed, "Purlo", now, now + 7);
}

// Gives the file a modification time of exactly this second and nanosecond, as a file
// system with coarse timestamps would for two writes close together.
void setModificationTime(const std::filesystem::path& path, long nanoseconds) {
    const timespec times[2] = {{1700000000, 0}, {1700000000, nanoseconds}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

class AgentEventBridgeTest : public ::testing::Test {
protected:
    std::filesystem::path eventFile() const { return folder / "agent-event.json"; }
    void write(const std::string& bytes) const { testing::writeFile(eventFile(), bytes); }

    TemporaryFolder folder;
    AgentEventBridge bridge{AgentEventBridge::defaultEventFileURL(folder.path())};
};

struct DecodingCase {
    std::string content;
    AgentEventSnapshot expected; // the event read at uptime 100
};

TEST_F(AgentEventBridgeTest, DecodesEachFileIntoItsEvent) {
    using enum AgentEventKind;
    const DecodingCase cases[] = {
        {R"({"event":"thinking","source":"Codex"})", event(thinking, "Codex", 100, 160)},
        {R"({"event":"waiting"})", event(waiting, "Agent", 100, 145)},
        {R"({"event":"started","source":null,"ttlSeconds":null})",
         event(started, "Agent", 100, 160)},
        {R"({"event":"completed","source":""})", event(completed, "", 100, 103)},
        {R"({"event":"failed","source":"Cursor"})", event(failed, "Cursor", 100, 107)},
        {R"({"event":"thinking","ttlSeconds":0})", event(thinking, "Agent", 100, 101)},
        {R"({"event":"thinking","ttlSeconds":-1})", event(thinking, "Agent", 100, 101)},
        {R"({"event":"thinking","ttlSeconds":1.5})", event(thinking, "Agent", 100, 101.5)},
        {R"({"event":"thinking","ttlSeconds":2.5})", event(thinking, "Agent", 100, 102.5)},
        {R"({"event":"thinking","ttlSeconds":500})", event(thinking, "Agent", 100, 400)},
        {R"({"event":"thinking","timestamp":90})", event(thinking, "Agent", 90, 150)},
        // A stamp from the future counts as now, so it cannot outstay its lifetime.
        {R"({"event":"thinking","timestamp":5000})", event(thinking, "Agent", 100, 160)},
        {R"({"event":"waiting","message":"needs you","extra":[1,2]})",
         event(waiting, "Agent", 100, 145)},
        {R"({"event":"Thinking"})", substitute(100)},
        {R"({"event":"done"})", substitute(100)},
        {R"({"source":"Codex"})", substitute(100)},
        {R"({"event":null})", substitute(100)},
        {R"({"event":"thinking","message":5})", substitute(100)},
        {R"({"event":"thinking","source":7})", substitute(100)},
        {R"({"event":"thinking","ttlSeconds":"60"})", substitute(100)},
        {R"({"event":"thinking","timestamp":true})", substitute(100)},
        {R"({"event":"thinking","timestamp":1e400})", substitute(100)},
        {R"(["thinking"])", substitute(100)},
        {"thinking", substitute(100)},
        {"", substitute(100)},
    };
    for (const auto& [content, expected] : cases) {
        SCOPED_TRACE(content);
        std::filesystem::remove(eventFile());
        bridge.reset();
        write(content);
        EXPECT_EQ(bridge.sample(100), expected);
        EXPECT_EQ(bridge.eventHistory(), std::vector{expected});
    }
}

TEST_F(AgentEventBridgeTest, ReadsSixteenKibibytesAndNoMore) {
    const std::string opening = R"({"event":"thinking","source":")";
    const std::string closing = R"("})";
    const std::string padding(16384 - opening.size() - closing.size(), 'x');
    bridge.reset();

    write(opening + padding + closing);
    EXPECT_EQ(bridge.sample(100).kind, AgentEventKind::thinking);

    write(opening + padding + "x" + closing);
    EXPECT_EQ(bridge.sample(101), substitute(101));
}

TEST_F(AgentEventBridgeTest, SomethingOtherThanAFileGivesTheSubstituteWithoutBlocking) {
    bridge.reset();
    ASSERT_EQ(::mkfifo(eventFile().c_str(), 0600), 0);
    EXPECT_EQ(bridge.sample(100), substitute(100));

    std::filesystem::remove(eventFile());
    std::filesystem::create_directory(eventFile());
    EXPECT_EQ(bridge.sample(101), substitute(101));
}

TEST_F(AgentEventBridgeTest, EventsLeaveAtTheirEndButStayInTheHistory) {
    bridge.reset();
    write(R"({"event":"waiting","source":"Codex"})");
    bridge.sample(100);
    EXPECT_EQ(bridge.sample(144.9).kind, AgentEventKind::waiting);
    EXPECT_EQ(bridge.sample(145), AgentEventSnapshot::empty());

    // Older than its lifetime when read: history only.
    write(R"({"event":"thinking","source":"Codex","timestamp":10})");
    EXPECT_EQ(bridge.sample(146), AgentEventSnapshot::empty());
    EXPECT_EQ(bridge.eventHistory(),
              (std::vector{event(AgentEventKind::waiting, "Codex", 100, 145),
                           event(AgentEventKind::thinking, "Codex", 10, 70)}));
}

TEST_F(AgentEventBridgeTest, RewriteWithinOneTimestampTickIsSeen) {
    bridge.reset();
    write(R"({"event":"started"})");
    setModificationTime(eventFile(), 0);
    EXPECT_EQ(bridge.sample(100).kind, AgentEventKind::started);

    // Renamed over the old file, with the very same modification time.
    ASSERT_FALSE(writeFileAtomically(eventFile(), R"({"event":"thinking"})"));
    setModificationTime(eventFile(), 0);
    EXPECT_EQ(bridge.sample(101).kind, AgentEventKind::thinking);

    // Rewritten in place with another length, same time again.
    write(R"({"event":"waiting","source":"Codex"})");
    setModificationTime(eventFile(), 0);
    EXPECT_EQ(bridge.sample(102).kind, AgentEventKind::waiting);

    // Same length, a time that differs below the second.
    write(R"({"event":"waiting","source":"Kiro!"})");
    setModificationTime(eventFile(), 500);
    EXPECT_EQ(bridge.sample(103).source, "Kiro!");

    EXPECT_EQ(bridge.sample(104).source, "Kiro!");
    EXPECT_EQ(bridge.eventHistory().size(), 4u);
}

TEST_F(AgentEventBridgeTest, SameContentAddsAnEntryOnlyWhenItsTimesDiffer) {
    bridge.reset();
    write(R"({"event":"thinking"})");
    bridge.sample(100);
    write(R"({"event":"thinking"})");
    setModificationTime(eventFile(), 1);
    bridge.sample(101);
    EXPECT_EQ(bridge.eventHistory().size(), 2u);

    write(R"({"event":"completed","timestamp":90})");
    bridge.sample(102);
    write(R"({"event":"completed","timestamp":90})");
    setModificationTime(eventFile(), 2);
    bridge.sample(103);
    EXPECT_EQ(bridge.eventHistory().size(), 3u);
}

TEST_F(AgentEventBridgeTest, DeletedFileChangesNothingUntilItReturns) {
    bridge.reset();
    write(R"({"event":"thinking"})");
    bridge.sample(100);
    std::filesystem::remove(eventFile());
    EXPECT_EQ(bridge.sample(101).kind, AgentEventKind::thinking);
    EXPECT_EQ(bridge.lastModificationDate(), std::nullopt);

    write(R"({"event":"thinking"})");
    EXPECT_EQ(bridge.sample(102).receivedAt, 102);
    EXPECT_EQ(bridge.eventHistory().size(), 2u);
}

TEST_F(AgentEventBridgeTest, SwitchingOffAndOnAgainDoesNotReplayTheFile) {
    write(R"({"event":"thinking","source":"Codex"})");
    bridge.reset(); // the program starts with an old file in place
    EXPECT_EQ(bridge.sample(100), AgentEventSnapshot::empty());

    write(R"({"event":"waiting"})");
    bridge.sample(101);
    ASSERT_EQ(bridge.eventHistory().size(), 1u);

    // Off: every tick resets, and something arrives meanwhile.
    bridge.reset();
    write(R"({"event":"completed"})");
    setModificationTime(eventFile(), 7);
    bridge.reset();
    EXPECT_EQ(bridge.currentEvent(), AgentEventSnapshot::empty());
    EXPECT_TRUE(bridge.eventHistory().empty());

    // On again: only what is written from now on counts.
    EXPECT_EQ(bridge.sample(103), AgentEventSnapshot::empty());
    write(R"({"event":"started"})");
    EXPECT_EQ(bridge.sample(104).kind, AgentEventKind::started);
}

TEST(AgentEventHistory, KeepsTheTwentyNewestDistinctEvents) {
    AgentEventBridge bridge("/nonexistent/agent-event.json");
    for (int index = 0; index < 21; ++index) {
        bridge.ingest(event(AgentEventKind::thinking, "Codex", index, index + 60));
    }
    ASSERT_EQ(bridge.eventHistory().size(), 20u);
    EXPECT_EQ(bridge.eventHistory().front().receivedAt, 1);
    EXPECT_EQ(bridge.eventHistory().back().receivedAt, 20);

    bridge.ingest(bridge.eventHistory().back());
    bridge.ingest(AgentEventSnapshot::empty());
    EXPECT_EQ(bridge.eventHistory().back().receivedAt, 20);
    EXPECT_EQ(bridge.eventHistory().front().receivedAt, 1);

    // Only a repeat of the newest entry is dropped.
    bridge.ingest(bridge.eventHistory()[18]);
    EXPECT_EQ(bridge.eventHistory().back().receivedAt, 19);
    EXPECT_EQ(bridge.eventHistory().size(), 20u);
}

} // namespace
} // namespace purlo
