#include "app/StartupEnvironmentDefault.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace purlo {
namespace {

constexpr const char* variable = "PURLO_TEST_STARTUP_DEFAULT";

std::optional<std::string> current() {
    const char* value = std::getenv(variable);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

void setCurrent(const std::optional<std::string>& value) {
    if (value) {
        setenv(variable, value->c_str(), 1);
    } else {
        unsetenv(variable);
    }
}

TEST(StartupEnvironmentDefault, HoldsOnlyWhileTheToolkitStartsAndNeverOverTheUsersValue) {
    struct Case {
        std::optional<std::string> users;
        std::optional<std::string> whileStarting;
    };
    const Case cases[] = {
        {std::nullopt, "1"},
        {"0", "0"},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.users.value_or("(unset)"));
        setCurrent(c.users);
        {
            StartupEnvironmentDefault startup(variable, "1");
            EXPECT_EQ(current(), c.whileStarting);
            startup.takeBack();
            EXPECT_EQ(current(), c.users);
            // Whatever is set after the take-back is someone else's.
            setenv(variable, "later", 1);
            startup.takeBack();
        }
        EXPECT_EQ(current(), std::optional<std::string>("later"));
        {
            setCurrent(c.users);
            const StartupEnvironmentDefault startup(variable, "1");
        }
        EXPECT_EQ(current(), c.users);
    }
    unsetenv(variable);
}

} // namespace
} // namespace purlo
