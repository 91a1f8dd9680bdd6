#include "platform/Environment.h"
#include "platform/KeyValueStore.h"
#include "tests/support/InMemoryKeyValueStore.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

TEST(Environment, XdgFoldersFollowAbsoluteVariablesOnly) {
    const Environment plain{{"HOME", "/home/ada"}};
    EXPECT_EQ(configFolder(plain), "/home/ada/.config/Purlo");
    EXPECT_EQ(supportFolder(plain), "/home/ada/.local/share/Purlo");

    const Environment custom{
        {"HOME", "/home/ada"}, {"XDG_CONFIG_HOME", "/cfg"}, {"XDG_DATA_HOME", "/data"}};
    EXPECT_EQ(configFolder(custom), "/cfg/Purlo");
    EXPECT_EQ(supportFolder(custom), "/data/Purlo");

    const Environment relative{
        {"HOME", "/home/ada"}, {"XDG_CONFIG_HOME", "cfg"}, {"XDG_DATA_HOME", ""}};
    EXPECT_EQ(configFolder(relative), "/home/ada/.config/Purlo");
    EXPECT_EQ(supportFolder(relative), "/home/ada/.local/share/Purlo");
}

TEST(KeyValueStore, DatesAndBooleansRoundTrip) {
    testing::InMemoryKeyValueStore store;
    ASSERT_TRUE(store.setDate("seen", Date{812345678.125}));
    EXPECT_EQ(store.date("seen"), Date{812345678.125});
    ASSERT_TRUE(store.setBoolean("declined", true));
    EXPECT_EQ(store.boolean("declined"), true);
    store.values["seen"] = "nonsense";
    EXPECT_EQ(store.date("seen"), std::nullopt);
    store.values["declined"] = "yes";
    EXPECT_EQ(store.boolean("declined"), std::nullopt);
    EXPECT_EQ(store.date("absent"), std::nullopt);
}

} // namespace
} // namespace purlo
