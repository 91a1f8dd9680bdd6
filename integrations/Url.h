#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace purlo {

// An absolute or relative URL in the generic syntax (scheme, authority, path, query,
// fragment). Parsing is strict: text with characters a URL may not carry (spaces,
// quotes, non-ASCII, a bad percent escape) is not a URL at all, so nothing
// ambiguous ever reaches a network request or a browser.
class Url {
public:
    static std::optional<Url> parse(std::string_view text);

    // The text as given.
    const std::string& text() const { return text_; }
    // The scheme exactly as written, case included; empty for a relative reference.
    const std::string& scheme() const { return scheme_; }
    // The host, percent-decoded, without the brackets of an IP literal; none when the
    // URL has no authority or an empty host.
    std::optional<std::string> host() const;
    // The path, percent-decoded, without query or fragment.
    std::string path() const;
    // The text after the path's last "/", percent-decoded; empty when the path ends
    // with "/".
    std::string lastPathComponent() const;

    friend bool operator==(const Url&, const Url&) = default;

private:
    Url() = default;

    std::string text_;
    std::string scheme_;
    std::string host_; // as written
    std::string path_; // as written
};

} // namespace purlo
