#pragma once

#include "base/Enumeration.h"
#include "model/PurloSettings.h"

#include <string>

namespace purlo {

// One line of what the companion observes, and whether it does so right now.
struct PurloPrivacySignal {
    // The signals, in the order they are listed.
    enum class Kind {
        cursorAttention,
        typingRhythm,
        appContext,
        localAgentBridge,
        motivation,
        privateContent
    };

    enum class State {
        active,          // observing now
        paused,          // switched on, resting for a nap or quiet hours
        off,             // switched off in the settings
        needsPermission, // switched on, but the system permission is missing
        never,           // the companion never does this
    };

    Kind kind = Kind::cursorAttention;
    State state = State::off;
    std::string detail;

    // Each row follows from the settings and from whether the cat is resting: napping,
    // or in quiet hours (the agent bridge rests only for a nap).
    static PurloPrivacySignal cursorAttentionSignal(const PurloSettings& settings, bool napActive,
                                                    bool quietHoursActive);
    static PurloPrivacySignal typingRhythmSignal(const PurloSettings& settings, bool napActive,
                                                 bool quietHoursActive,
                                                 bool inputMonitoringGranted);
    static PurloPrivacySignal appContextSignal(const PurloSettings& settings, bool napActive,
                                               bool quietHoursActive);
    static PurloPrivacySignal localAgentBridgeSignal(const PurloSettings& settings, bool napActive);
    static PurloPrivacySignal motivationSignal(const PurloSettings& settings, bool napActive,
                                               bool quietHoursActive);
    static PurloPrivacySignal privateContentSignal();

    friend bool operator==(const PurloPrivacySignal&, const PurloPrivacySignal&) = default;
};

// The reaction intensity as the engine uses it, as a whole percentage: "10%" up to a
// tenth (and for anything that is not a number), above it capped at "100%", halves
// rounded away from zero.
std::string reactionIntensityPercentage(double intensity);

template <>
struct EnumNames<PurloPrivacySignal::Kind> {
    static constexpr std::array<std::string_view, 6> values{"cursorAttention", "typingRhythm",
                                                            "appContext",      "localAgentBridge",
                                                            "motivation",      "privateContent"};
};

} // namespace purlo
