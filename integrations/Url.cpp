#include "integrations/Url.h"

#include <algorithm>

namespace purlo {
namespace {

bool isAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isHexDigit(char c) {
    return isAsciiDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int hexValue(char c) {
    if (isAsciiDigit(c)) {
        return c - '0';
    }
    return (c >= 'a' ? c - 'a' : c - 'A') + 10;
}

// Unreserved characters, delimiters and "%": everything a URL may carry literally.
bool isUrlCharacter(char c) {
    static constexpr std::string_view punctuation = "-._~:/?#[]@!$&'()*+,;=%";
    return isAsciiLetter(c) || isAsciiDigit(c) || punctuation.find(c) != std::string_view::npos;
}

bool hasOnlyUrlCharactersAndValidEscapes(std::string_view text) {
    for (std::size_t index = 0; index < text.size(); ++index) {
        const char c = text[index];
        if (!isUrlCharacter(c)) {
            return false;
        }
        if (c == '%' && (index + 2 >= text.size() || !isHexDigit(text[index + 1]) ||
                         !isHexDigit(text[index + 2]))) {
            return false;
        }
    }
    return true;
}

bool isValidScheme(std::string_view scheme) {
    return !scheme.empty() && isAsciiLetter(scheme.front()) &&
           std::all_of(scheme.begin(), scheme.end(), [](char c) {
               return isAsciiLetter(c) || isAsciiDigit(c) || c == '+' || c == '-' || c == '.';
           });
}

bool containsAny(std::string_view text, std::string_view characters) {
    return text.find_first_of(characters) != std::string_view::npos;
}

std::string percentDecoded(std::string_view text) {
    std::string decoded;
    decoded.reserve(text.size());
    for (std::size_t index = 0; index < text.size(); ++index) {
        // Parsing let through only complete escapes.
        if (text[index] == '%' && index + 2 < text.size()) {
            decoded.push_back(
                static_cast<char>(hexValue(text[index + 1]) * 16 + hexValue(text[index + 2])));
            index += 2;
        } else {
            decoded.push_back(text[index]);
        }
    }
    return decoded;
}

// The host of userinfo "@" host ":" port, where the host may be a bracketed IPv6
// literal; nothing when the authority is malformed.
std::optional<std::string_view> authorityHost(std::string_view authority) {
    if (const auto at = authority.find('@'); at != std::string_view::npos) {
        if (containsAny(authority.substr(0, at), "[]")) {
            return std::nullopt;
        }
        authority.remove_prefix(at + 1);
    }
    std::string_view host;
    std::string_view port;
    if (!authority.empty() && authority.front() == '[') {
        const auto close = authority.find(']');
        if (close == std::string_view::npos) {
            return std::nullopt;
        }
        host = authority.substr(1, close - 1);
        const std::string_view after = authority.substr(close + 1);
        if (!after.empty() && after.front() != ':') {
            return std::nullopt;
        }
        port = after.empty() ? after : after.substr(1);
        if (host.empty() || !std::all_of(host.begin(), host.end(), [](char c) {
                return isHexDigit(c) || c == ':' || c == '.';
            })) {
            return std::nullopt;
        }
    } else {
        const auto colon = authority.find(':');
        host = authority.substr(0, colon);
        port = colon == std::string_view::npos ? std::string_view() : authority.substr(colon + 1);
        if (containsAny(host, "[]@")) {
            return std::nullopt;
        }
    }
    if (!std::all_of(port.begin(), port.end(), isAsciiDigit)) {
        return std::nullopt;
    }
    return host;
}

} // namespace

std::optional<Url> Url::parse(std::string_view text) {
    if (text.empty() || !hasOnlyUrlCharactersAndValidEscapes(text)) {
        return std::nullopt;
    }
    Url url;
    url.text_ = std::string(text);
    std::string_view rest = text;

    const auto colon = rest.find(':');
    if (colon != std::string_view::npos && colon < rest.find_first_of("/?#")) {
        // A relative reference may not carry ":" in its first segment, so text before
        // the first ":" is a scheme or the whole thing is no URL.
        const std::string_view scheme = rest.substr(0, colon);
        if (!isValidScheme(scheme)) {
            return std::nullopt;
        }
        url.scheme_ = std::string(scheme);
        rest.remove_prefix(colon + 1);
    }

    const std::string_view beforeFragment = rest.substr(0, rest.find('#'));
    if (beforeFragment.size() < rest.size() &&
        containsAny(rest.substr(beforeFragment.size() + 1), "#[]")) {
        return std::nullopt;
    }
    const std::string_view hierarchy = beforeFragment.substr(0, beforeFragment.find('?'));
    if (containsAny(beforeFragment.substr(hierarchy.size()), "[]")) {
        return std::nullopt;
    }

    std::string_view path = hierarchy;
    if (hierarchy.starts_with("//")) {
        const std::string_view afterSlashes = hierarchy.substr(2);
        const auto pathStart = afterSlashes.find('/');
        const auto host = authorityHost(afterSlashes.substr(0, pathStart));
        if (!host) {
            return std::nullopt;
        }
        url.host_ = std::string(*host);
        path = pathStart == std::string_view::npos ? std::string_view()
                                                   : afterSlashes.substr(pathStart);
    }
    if (containsAny(path, "[]")) {
        return std::nullopt;
    }
    url.path_ = std::string(path);
    return url;
}

std::optional<std::string> Url::host() const {
    if (host_.empty()) {
        return std::nullopt;
    }
    return percentDecoded(host_);
}

std::string Url::path() const {
    return percentDecoded(path_);
}

std::string Url::lastPathComponent() const {
    const auto slash = path_.rfind('/');
    return percentDecoded(slash == std::string::npos ? std::string_view(path_)
                                                     : std::string_view(path_).substr(slash + 1));
}

} // namespace purlo
