#include "integrations/AgentBridgeStatus.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace purlo {
namespace {

struct KindTexts {
    std::string_view status;
    std::string_view detail;
    std::string_view systemImage;
};

constexpr std::array<KindTexts, 5> textsByKind{{
    {"Started", "Work started", "play.circle"},
    {"Thinking", "Thinking", "brain.head.profile"},
    {"Waiting", "Waiting for input", "hourglass"},
    {"Done", "Completed", "sparkles"},
    {"Needs help", "Needs attention", "exclamationmark.triangle"},
}};

// The shortest text that reads back as the same number, whole numbers with one
// decimal place ("12.0"), very large and very small ones in exponent form, so
// that an id never depends on the locale or on a rounding choice.
std::string shortestDecimal(double value) {
    const double magnitude = std::fabs(value);
    const bool exponent =
        std::isfinite(value) && magnitude != 0 && (magnitude < 1e-4 || magnitude >= 1e16);
    std::array<char, 64> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                      exponent ? std::chars_format::scientific : std::chars_format::fixed);
    std::string text(buffer.data(), result.ptr);
    if (!exponent && std::isfinite(value) && text.find('.') == std::string::npos) {
        text += ".0";
    }
    return text;
}

} // namespace

AgentBridgeEventRow::AgentBridgeEventRow(const AgentEventSnapshot& snapshot, double now) {
    const double eventTime = snapshot.receivedAt.value_or(now);
    // Rows are made from the history, which never holds an event without a kind;
    // such a row would carry no kind texts.
    const KindTexts texts =
        snapshot.kind ? textsByKind[static_cast<std::size_t>(*snapshot.kind)] : KindTexts{};
    const std::string word = snapshot.kind ? std::string(toString(*snapshot.kind)) : "";
    source = snapshot.sourceDisplayName();
    statusText = texts.status;
    detailText = texts.detail;
    systemImage = texts.systemImage;
    ageText = relativeAgeText(eventTime, now);
    id = word + "|" + source + "|" + shortestDecimal(eventTime) + "|" + detailText;
}

std::string AgentBridgeEventRow::relativeAgeText(double eventTime, double now) {
    const double age = std::trunc(now - eventTime);
    // Written so that an age that is not a number reads "now" as well.
    if (!(age >= 5)) {
        return "now";
    }
    const auto seconds = static_cast<std::int64_t>(std::fmin(age, 9e18));
    if (seconds < 60) {
        return std::to_string(seconds) + "s";
    }
    if (seconds >= 3600) {
        return std::to_string(seconds / 3600) + "h";
    }
    return std::to_string(seconds / 60) + "m";
}

std::string AgentBridgeStatus::summaryText() const {
    if (!enabled) {
        return "Off";
    }
    if (recentEvents.empty()) {
        return "Waiting";
    }
    return std::to_string(recentEvents.size()) + " recent";
}

} // namespace purlo
