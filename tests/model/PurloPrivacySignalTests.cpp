#include "model/PurloPrivacySignal.h"

#include <gtest/gtest.h>
#include <map>

namespace purlo {
namespace {

using Kind = PurloPrivacySignal::Kind;
using State = PurloPrivacySignal::State;

struct Rest {
    bool nap;
    bool quietHours;
};
constexpr Rest awake{false, false};
constexpr Rest napping{true, false};
constexpr Rest quietHours{false, true};

TEST(PurloPrivacySignal, CursorAttention) {
    struct Case {
        bool eyes;
        bool reactions;
        Rest rest;
        double intensity;
        State state;
        std::string detail;
    };
    const std::string quiet = "Eyes and in-place cursor play are quiet right now.";
    const Case cases[] = {
        {true, true, napping, 0.72, State::paused, quiet},
        {true, false, quietHours, 0.72, State::paused, quiet},
        {true, false, awake, 0.72, State::active,
         "Eyes can look toward the cursor; body stays anchored."},
        {true, true, awake, 0.72, State::active,
         "Eyes can look toward the cursor and react in place at 72%."},
        {false, false, napping, 0.72, State::off, "Eyes and in-place cursor play are disabled."},
        {false, true, quietHours, 0.72, State::paused, quiet},
        {false, true, awake, 0.72, State::active,
         "Fast cursor movement can trigger in-place play at 72%."},
        // The percentage is the intensity the engine uses: 10 to 100, halves rounded up.
        {true, true, awake, 0.05, State::active,
         "Eyes can look toward the cursor and react in place at 10%."},
        {true, true, awake, 1.7, State::active,
         "Eyes can look toward the cursor and react in place at 100%."},
        {true, true, awake, 0.555, State::active,
         "Eyes can look toward the cursor and react in place at 56%."},
    };
    for (const auto& c : cases) {
        PurloSettings settings;
        settings.eyeTrackingEnabled = c.eyes;
        settings.reactionsEnabled = c.reactions;
        settings.reactionIntensity = c.intensity;
        EXPECT_EQ(
            PurloPrivacySignal::cursorAttentionSignal(settings, c.rest.nap, c.rest.quietHours),
            (PurloPrivacySignal{Kind::cursorAttention, c.state, c.detail}))
            << c.eyes << c.reactions << c.rest.nap << c.rest.quietHours << " " << c.intensity;
    }
}

TEST(PurloPrivacySignal, TypingRhythm) {
    struct Case {
        bool enabled;
        bool granted;
        Rest rest;
        State state;
        std::string detail;
    };
    const Case cases[] = {
        {false, false, napping, State::off, "Typing rhythm reactions are disabled."},
        {true, false, napping, State::needsPermission,
         "Input Monitoring is needed before keypress timing can be counted."},
        {true, true, napping, State::paused, "Keypress timing reactions are paused."},
        {true, true, quietHours, State::paused, "Keypress timing reactions are paused."},
        {true, true, awake, State::active,
         "Only timing is counted; typed text is never read. Intensity 72%."},
    };
    for (const auto& c : cases) {
        PurloSettings settings;
        settings.typingReactionsEnabled = c.enabled;
        EXPECT_EQ(PurloPrivacySignal::typingRhythmSignal(settings, c.rest.nap, c.rest.quietHours,
                                                         c.granted),
                  (PurloPrivacySignal{Kind::typingRhythm, c.state, c.detail}))
            << c.detail;
    }
}

TEST(PurloPrivacySignal, AppContext) {
    const auto autoHide = CompanionPresenceMode::autoHideWhenAppsActive;
    const auto floating = CompanionPresenceMode::floatAboveApps;
    struct Case {
        bool awareness;
        CompanionPresenceMode mode;
        Rest rest;
        State state;
        std::string detail;
    };
    const Case cases[] = {
        {true, floating, napping, State::paused,
         "Active app context is not sampled while Purlo is quiet."},
        {true, CompanionPresenceMode::desktopLevel, quietHours, State::paused,
         "Active app context is not sampled while Purlo is quiet."},
        {true, autoHide, napping, State::active,
         "Purlo can notice app name and bundle identifier for developer-tool awareness and "
         "auto-hide."},
        {true, autoHide, awake, State::active,
         "Purlo can notice app name and bundle identifier for developer-tool awareness and "
         "auto-hide."},
        {true, floating, awake, State::active, "Purlo can notice app name and bundle identifier."},
        {false, autoHide, quietHours, State::active,
         "Purlo can notice app name and bundle identifier only to hide while another app is "
         "frontmost."},
        {false, floating, awake, State::off, "Developer-tool awareness is disabled."},
    };
    for (const auto& c : cases) {
        PurloSettings settings;
        settings.activeAppAwarenessEnabled = c.awareness;
        settings.companionPresenceMode = c.mode;
        EXPECT_EQ(PurloPrivacySignal::appContextSignal(settings, c.rest.nap, c.rest.quietHours),
                  (PurloPrivacySignal{Kind::appContext, c.state, c.detail}))
            << c.detail;
    }
}

TEST(PurloPrivacySignal, LocalAgentBridgeRestsOnlyForANap) {
    PurloSettings settings;
    EXPECT_EQ(PurloPrivacySignal::localAgentBridgeSignal(settings, false),
              (PurloPrivacySignal{Kind::localAgentBridge, State::active,
                                  "Explicit short local status events can change Purlo's mood; "
                                  "do not include prompts, code, or output."}));
    EXPECT_EQ(PurloPrivacySignal::localAgentBridgeSignal(settings, true),
              (PurloPrivacySignal{Kind::localAgentBridge, State::paused,
                                  "Local agent events are paused while Purlo naps."}));
    settings.localAgentBridgeEnabled = false;
    EXPECT_EQ(PurloPrivacySignal::localAgentBridgeSignal(settings, true),
              (PurloPrivacySignal{Kind::localAgentBridge, State::off,
                                  "Local agent events are ignored."}));
}

TEST(PurloPrivacySignal, Motivation) {
    const PurloHabitReminder blank{"custom-1", "Blank", "  ", 30, true};
    const PurloHabitReminder water{"water", "Water", "sip water?", 90, true};
    struct Case {
        std::int64_t stretch;
        std::int64_t kind;
        std::int64_t focus;
        std::vector<PurloHabitReminder> reminders;
        Rest rest;
        State state;
    };
    const Case cases[] = {
        {0, 0, 0, {blank}, awake, State::off},
        {-5, -1, 0, {}, napping, State::off},
        {0, 0, 25, {}, awake, State::active},
        {0, 0, 25, {}, quietHours, State::paused},
        {1, 0, 0, {}, awake, State::active},
        {0, 1, 0, {}, napping, State::paused},
        {0, 0, 0, {blank, water}, awake, State::active},
    };
    const std::map<State, std::string> details = {
        {State::off, "Motivation nudges are disabled."},
        {State::paused, "Reminders are quiet right now."},
        {State::active, "Stretch, habit, kind, focus, and small-win nudges are available."}};
    for (const auto& c : cases) {
        PurloSettings settings;
        settings.stretchReminderMinutes = c.stretch;
        settings.kindNudgeMinutes = c.kind;
        settings.pomodoroFocusMinutes = c.focus;
        settings.habitReminders = c.reminders;
        EXPECT_EQ(PurloPrivacySignal::motivationSignal(settings, c.rest.nap, c.rest.quietHours),
                  (PurloPrivacySignal{Kind::motivation, c.state, details.at(c.state)}))
            << c.stretch << " " << c.kind << " " << c.focus << " " << c.reminders.size();
    }
}

TEST(PurloPrivacySignal, PrivateContentIsNeverCaptured) {
    EXPECT_EQ(PurloPrivacySignal::privateContentSignal(),
              (PurloPrivacySignal{Kind::privateContent, State::never,
                                  "No screenshots, messages, documents, prompts, code, terminal "
                                  "output, browser contents, full paths, license keys, or typed "
                                  "content are captured."}));
}

} // namespace
} // namespace purlo
