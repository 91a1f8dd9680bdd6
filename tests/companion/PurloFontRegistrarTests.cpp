#include "companion/FontPostScriptName.h"
#include "companion/qt/PurloFontRegistrar.h"
#include "tests/companion/BuildFolder.h"
#include "tests/support/TemporaryFolder.h"

#include <QFontInfo>
#include <gtest/gtest.h>

namespace purlo {
namespace {

using Paths = std::vector<std::filesystem::path>;

std::string bigEndian(std::initializer_list<unsigned> values, int bytes) {
    std::string out;
    for (const unsigned value : values) {
        for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8) {
            out.push_back(static_cast<char>((value >> shift) & 0xff));
        }
    }
    return out;
}

// A font file cut down to one "name" table: a family name in Macintosh bytes, then
// the PostScript name in Windows UTF-16.
std::string fontNamed(const std::string& postScriptName) {
    std::string utf16;
    for (const char c : postScriptName) {
        utf16 += std::string{'\0', c};
    }
    const auto size = [](const std::string& text) {
        return static_cast<unsigned>(text.size());
    };
    const std::string table =
        bigEndian({0, 2, 30, 1, 0, 0, 1, 5, 0, 3, 1, 0, 6, size(utf16), 5}, 2) + "Pixel" + utf16;
    return bigEndian({0x10000}, 4) + bigEndian({1, 16, 0, 0}, 2) + "name" +
           bigEndian({0, 28, size(table)}, 4) + table;
}

TEST(FontPostScriptName, ReadsTheNameAndNothingPastTheEnd) {
    const std::string font = fontNamed("Pixel-Regular");
    EXPECT_EQ(fontPostScriptName(font), "Pixel-Regular");
    for (std::size_t length = 0; length < font.size(); ++length) {
        EXPECT_EQ(fontPostScriptName(font.substr(0, length)), std::nullopt) << length;
    }
    EXPECT_EQ(fontPostScriptName(fontNamed("Pixel Regular")), std::nullopt);
    EXPECT_EQ(fontPostScriptName(std::string(64, '\xff')), std::nullopt);
}

TEST(PurloFontRegistrar, RegistersTheFontsFolderFirstThenTheTopAndOnlyOnce) {
    const testing::TemporaryFolder resources;
    std::filesystem::create_directories(resources / "Fonts" / "Nested.ttf");
    for (const char* name : {"Fonts/b.ttf", "Fonts/a.ttf", "Fonts/Upper.TTF", "d.ttf", "c.ttf",
                             "e.otf", "Info.json"}) {
        testing::writeFile(resources / name, "font");
    }
    Paths registered;
    PurloFontRegistrar registrar([&](const std::filesystem::path& file) {
        registered.push_back(file);
        return QStringList{"Some Family"};
    });
    registrar.registerBundledFonts(resources.path());
    registrar.registerBundledFonts(resources.path());
    EXPECT_EQ(registered, (Paths{resources / "Fonts" / "a.ttf", resources / "Fonts" / "b.ttf",
                                 resources / "c.ttf", resources / "d.ttf"}));
    // Files that are no fonts have no name to be found by.
    EXPECT_EQ(registrar.family("a"), std::nullopt);

    // A first call that found nothing is not repeated either.
    registered.clear();
    const testing::TemporaryFolder empty;
    PurloFontRegistrar second([&](const std::filesystem::path& file) {
        registered.push_back(file);
        return QStringList();
    });
    second.registerBundledFonts(empty.path());
    second.registerBundledFonts(resources.path());
    EXPECT_EQ(registered, Paths{});
}

TEST(PurloFontRegistrar, FindsThePixelFontByItsPostScriptNameAndElseGivesTheDefault) {
    const auto resources = testing::programResources();
    if (!resources || !std::filesystem::exists(*resources / "Fonts" / "Silkscreen-Regular.ttf")) {
        GTEST_SKIP() << "the pixel font is not in the build (scripts/setup.sh installs it)";
    }
    PurloFontRegistrar registrar;
    registrar.registerBundledFonts(*resources);
    EXPECT_EQ(registrar.family(PurloFontRegistrar::pixelFontName), QString("Silkscreen"));
    const QFont pixelFont = registrar.font(PurloFontRegistrar::pixelFontName, 10);
    EXPECT_EQ(QFontInfo(pixelFont).family(), QString("Silkscreen"));
    EXPECT_EQ(pixelFont.pixelSize(), 10);

    const QFont fallback = PurloFontRegistrar().font(PurloFontRegistrar::pixelFontName, 10);
    EXPECT_EQ(fallback.family(), QFont().family());
    EXPECT_EQ(fallback.pixelSize(), 10);
}

} // namespace
} // namespace purlo
