#include "platform/qt/QtUrlOpener.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

TEST(QtUrlOpener, HandsTheDesktopNothingThatIsNoUrl) {
    QtUrlOpener opener;
    for (const char* text : {"", "   ", "no scheme at all", "https://exa mple.com/%zz"}) {
        EXPECT_FALSE(opener.open(text)) << text;
    }
}

} // namespace
} // namespace purlo
