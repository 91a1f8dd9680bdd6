#include <gtest/gtest.h>
#include <string>
#include <vector>
// Last, so that its macros meet none of the headers above.
#include "tests/app/RealProgram.h"

namespace purlo {
namespace {

using testing::Profile;
using testing::Purlo;

constexpr QSize panelSize = testing::herWindowSize;

// The Motif hints' bits, as window managers read them.
namespace motif {
constexpr long functionsGiven = 1L << 0;
constexpr long decorationsGiven = 1L << 1;
constexpr long move = 1L << 2;
constexpr long minimize = 1L << 3;
constexpr long close = 1L << 5;
constexpr long border = 1L << 1;
constexpr long title = 1L << 3;
constexpr long menu = 1L << 4;
constexpr long minimizeButton = 1L << 5;
} // namespace motif

// The Motif hints on the shown window of that size: flags, functions, decorations, input
// mode and status; empty when there is no such window or it has none.
std::vector<long> motifHints(const testing::Screen& screen, QSize size) {
    const auto found = screen.shownWindow(size);
    if (!found) {
        return {};
    }
    const Atom hints = XInternAtom(screen.display, "_MOTIF_WM_HINTS", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(screen.display, found->first, hints, 0, 5, False, hints, &type, &format,
                       &count, &after, &data);
    std::vector<long> values;
    if (data && format == 32) {
        values.assign(reinterpret_cast<long*>(data), reinterpret_cast<long*>(data) + count);
    }
    XFree(data);
    return values;
}

using FixedWindowsOnScreen = testing::OnTestDisplay;

// Without a window manager on the test display nothing else writes the hints: what is
// there is what the program told the window manager, before the window showed.
TEST_F(FixedWindowsOnScreen, OfferNoResizingOrMaximizingAndSettingsAloneOffersMinimizing) {
    struct Case {
        const char* window;
        bool onboarded; // a new user meets onboarding; one onboarded opens Settings
        QSize size;
        long functions;
        long decorations;
    };
    const Case cases[] = {
        {"Settings",
         true,
         {760, 620},
         motif::move | motif::minimize | motif::close,
         motif::border | motif::title | motif::menu | motif::minimizeButton},
        {"onboarding",
         false,
         {600, 760},
         motif::move | motif::close,
         motif::border | motif::title | motif::menu},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.window);
        const Profile profile(test.onboarded);
        Purlo purlo(profile, screen.name);
        if (test.onboarded) {
            // Once she is out, a second start opens Settings.
            ASSERT_TRUE(screen.awaited(panelSize)) << "the cat never came out";
            Purlo second(profile, screen.name);
            second.ended();
        }
        ASSERT_TRUE(screen.awaited(test.size)) << "the window never showed";
        const std::vector<long> expected{motif::functionsGiven | motif::decorationsGiven,
                                         test.functions, test.decorations, 0, 0};
        EXPECT_EQ(motifHints(screen, test.size), expected);

        // Closed, it is only hidden; a second start shows the same window again.
        screen.close(test.size);
        ASSERT_FALSE(screen.awaited(test.size, false)) << "closing did not hide it";
        Purlo again(profile, screen.name);
        again.ended();
        ASSERT_TRUE(screen.awaited(test.size)) << "a second start did not bring it back";
        EXPECT_EQ(motifHints(screen, test.size), expected) << "shown again";
        purlo.terminate();
        purlo.ended();
    }
}

} // namespace
} // namespace purlo
