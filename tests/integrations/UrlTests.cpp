#include "integrations/Url.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

struct ParsedCase {
    const char* text;
    const char* scheme;
    std::optional<std::string> host;
    const char* path;
    const char* lastComponent;
};

TEST(Url, SplitsIntoSchemeHostPathAndLastComponent) {
    const ParsedCase cases[] = {
        {"https://example.com/a/b.dmg?x=1#top", "https", "example.com", "/a/b.dmg", "b.dmg"},
        {"HTTPS://EXAMPLE.com/", "HTTPS", "EXAMPLE.com", "/", ""},
        {"https://user:pw@example.com:8443/x", "https", "example.com", "/x", "x"},
        // The host is what follows the user information, however it is dressed up.
        {"https://downloads.purlo.example@evil.test/P.dmg", "https", "evil.test", "/P.dmg",
         "P.dmg"},
        {"https://[::1]:443/p", "https", "::1", "/p", "p"},
        {"https://example.com", "https", "example.com", "", ""},
        {"https://example.com/dir/", "https", "example.com", "/dir/", ""},
        {"https://example.com/Purlo%202.0.dmg", "https", "example.com", "/Purlo 2.0.dmg",
         "Purlo 2.0.dmg"},
        // An encoded slash is part of the last segment, not a separator.
        {"https://example.com/downloads%2FP.dmg", "https", "example.com", "/downloads/P.dmg",
         "downloads/P.dmg"},
        {"https:///path", "https", std::nullopt, "/path", "path"},
        {"https:opaque", "https", std::nullopt, "opaque", "opaque"},
        {"relative/file.dmg", "", std::nullopt, "relative/file.dmg", "file.dmg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto url = Url::parse(c.text);
        ASSERT_TRUE(url);
        EXPECT_EQ(url->text(), c.text);
        EXPECT_EQ(url->scheme(), c.scheme);
        EXPECT_EQ(url->host(), c.host);
        EXPECT_EQ(url->path(), c.path);
        EXPECT_EQ(url->lastPathComponent(), c.lastComponent);
    }
}

TEST(Url, RefusesTextThatIsNoUrl) {
    const char* const cases[] = {
        "",
        "not a url",
        "https://example.com/a b.dmg",
        "https://example.com/%zz",
        "https://example.com/%4",
        "https://exämple.com/",
        "https://example.com/\"x\"",
        "1https://example.com/",
        "https://example.com:80a/",
        "https://[::1/",
        "https://ex[a]mple.com/",
        "https://example.com/#a#b",
        "https://example.com/<script>",
    };
    for (const char* text : cases) {
        EXPECT_FALSE(Url::parse(text)) << text;
    }
}

} // namespace
} // namespace purlo
