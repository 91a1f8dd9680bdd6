#include "integrations/PurloSupportEmailDraft.h"

#include "integrations/PurloReleaseHosts.h"
#include "integrations/PurloWebsiteLinks.h"

#include <array>
#include <string_view>

namespace purlo {
namespace {

// A query value's characters that travel as they are: letters, digits and the
// punctuation a query allows, less the three that would split it ("&", "=") or that
// some mail programs read as a space ("+").
bool travelsLiterally(unsigned char c) {
    static constexpr std::string_view punctuation = "-._~!$'()*,;:@/?";
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           punctuation.find(static_cast<char>(c)) != std::string_view::npos;
}

std::string percentEncoded(std::string_view value) {
    static constexpr std::array<char, 16> hex{'0', '1', '2', '3', '4', '5', '6', '7',
                                              '8', '9', 'A', 'B', 'C', 'D', 'E', 'F'};
    std::string encoded;
    encoded.reserve(value.size() * 3);
    for (const char character : value) {
        const auto c = static_cast<unsigned char>(character);
        if (travelsLiterally(c)) {
            encoded.push_back(character);
        } else {
            encoded += {'%', hex[c >> 4], hex[c & 0x0f]};
        }
    }
    return encoded;
}

} // namespace

std::string PurloSupportEmailDraft::subject() const {
    return "Purlo support - " + appInfo.version + " (" + appInfo.build + ")";
}

std::string PurloSupportEmailDraft::body() const {
    const auto& help = PurloWebsiteLinks::helpPage();
    return "Hi Purlo support,\n"
           "\n"
           "What happened?\n"
           "\n"
           "\n"
           "Purlo details:\n"
           "- Version: " +
           appInfo.version + "\n- Build: " + appInfo.build +
           "\n- Help page: " + (help ? help->text() : std::string()) +
           "\n- Community: " + std::string(PurloReleaseHosts::communityName) +
           " for feature requests, launch notes, and setups\n"
           "\n"
           "Optional support report:\n"
           "If helpful, copy the support report from Purlo Settings > Help > Support Report, "
           "skim it, then paste it below.\n"
           "\n"
           "Please do not include screenshots, typed text, prompts, code, terminal output, "
           "documents, or private messages.";
}

std::optional<Url> PurloSupportEmailDraft::supportMailtoURL() const {
    return Url::parse("mailto:" + std::string(PurloReleaseHosts::supportAddress) +
                      "?subject=" + percentEncoded(subject()) + "&body=" + percentEncoded(body()));
}

} // namespace purlo
