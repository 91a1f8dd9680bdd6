#include "app/DisplayCheck.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

TEST(DisplayCheck, NamesWhatKeepsTheCatOffTheDesktopInOneLine) {
    const auto opens = [](const std::string& name) {
        return name == ":0";
    };
    const struct {
        const char* name;
        Environment environment;
        std::optional<std::string> problem;
    } cases[] = {
        {"an X11 display", {{"DISPLAY", ":0"}}, std::nullopt},
        {"no DISPLAY",
         {},
         "Purlo needs an X11 display (an X11 session, or XWayland under Wayland), and DISPLAY is "
         "not set."},
        {"an empty DISPLAY",
         {{"DISPLAY", ""}},
         "Purlo needs an X11 display (an X11 session, or XWayland under Wayland), and DISPLAY is "
         "not set."},
        {"a display that is not there",
         {{"DISPLAY", ":42"}},
         "Purlo cannot open the X11 display :42."},
        {"X11 chosen by the user", {{"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", "xcb"}}, std::nullopt},
        {"X11 with options, no display",
         {{"QT_QPA_PLATFORM", "xcb:nograb"}},
         "Purlo needs an X11 display (an X11 session, or XWayland under Wayland), and DISPLAY is "
         "not set."},
        {"another platform the user chose", {{"QT_QPA_PLATFORM", "offscreen"}}, std::nullopt},
    };
    for (const auto& [name, environment, problem] : cases) {
        EXPECT_EQ(displayProblem(environment, opens), problem) << name;
    }
}

} // namespace
} // namespace purlo
