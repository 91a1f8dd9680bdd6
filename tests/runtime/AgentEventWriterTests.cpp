#include "model/JsonCoding.h"
#include "runtime/AgentEventWriter.h"
#include "tests/support/TemporaryFolder.h"

#include <cmath>
#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::TemporaryFolder;

double fixedUptime() {
    return 1234.5;
}

TEST(AgentEventWriter, WritesOneEventWithOnlyTheKeysThatHaveValues) {
    TemporaryFolder folder;
    const AgentEventWriter writer{folder / "new" / "Purlo" / "agent-event.json", fixedUptime};

    ASSERT_EQ(writer.write(AgentEventKind::thinking, "Shortcut", 60), std::nullopt);
    const Json thinking = Json::parse(testing::readFile(writer.eventFileURL));
    EXPECT_EQ(
        thinking,
        Json::parse(
            R"({"event":"thinking","source":"Shortcut","timestamp":1234.5,"ttlSeconds":60})"));

    ASSERT_EQ(writer.write(AgentEventKind::completed, std::nullopt, std::nullopt), std::nullopt);
    const Json completed = Json::parse(testing::readFile(writer.eventFileURL));
    EXPECT_EQ(completed, Json::parse(R"({"event":"completed","timestamp":1234.5})"));
}

TEST(AgentEventWriter, FailuresLeaveTheOldFileAndSayWhy) {
    TemporaryFolder folder;
    testing::writeFile(folder / "blocked", "a file where the folder should be");
    const AgentEventWriter blocked{folder / "blocked" / "agent-event.json", fixedUptime};
    EXPECT_EQ(blocked.write(AgentEventKind::thinking, "Codex", 60),
              FileError{"Could not create the folder “blocked”: Not a directory."});

    const AgentEventWriter writer{folder / "agent-event.json", fixedUptime};
    ASSERT_EQ(writer.write(AgentEventKind::thinking, "Codex", 60), std::nullopt);
    const std::string before = testing::readFile(writer.eventFileURL);
    EXPECT_EQ(writer.write(AgentEventKind::thinking, "Codex", NAN),
              FileError{"The agent event could not be encoded."});
    EXPECT_EQ(writer.write(AgentEventKind::thinking, "\xff\xfe", 60),
              FileError{"The agent event could not be encoded."});
    EXPECT_EQ(testing::readFile(writer.eventFileURL), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 2)
        << "no temporary file is left behind";
}

} // namespace
} // namespace purlo
