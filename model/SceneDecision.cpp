// The scene of one step: the state brought up to date, then a fixed cascade of rows
// in which the first that holds chooses her mood, pose, size, bubble and gaze. The
// order is the cat's sense of priority: being held beats everything, her own
// napping beats what the desk asks of her, and play comes only when nothing else
// does.
#include "model/PlaySchedules.h"
#include "model/PurloBehaviorEngine.h"
#include "model/ReactionThresholds.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace purlo {
namespace {

using State = PurloBehaviorEngine::State;
using Kind = CompanionMessage::Kind;

// What the row that holds has chosen.
struct Choice {
    Choice(CatMood mood, CatPose pose, double scale, std::optional<CompanionMessage> message,
           Size eyeOffset)
        : mood(mood)
        , pose(pose)
        , scale(scale)
        , message(std::move(message))
        , eyeOffset(eyeOffset) {}

    CatMood mood;
    CatPose pose;
    double scale;
    std::optional<CompanionMessage> message;
    Size eyeOffset;
    double yawnProgress = 0;
    std::optional<Point> butterflyPosition;
};

// What the rows of one step share.
struct StepFacts {
    double t;
    bool quiet;
    ReactionThresholds thresholds;
    Point head;
    Size gaze;
    double focusedFor;
    bool mayRoam;
};

constexpr double butterflyVisitSeconds = 12;
constexpr double zoomiesRunSeconds = 3.6;
constexpr double yawnSeconds = 2.6;

CompanionMessage say(PurloPhrasePack pack, PhraseSlot slot, Kind kind) {
    return {std::string(phrase(pack, slot)), kind};
}

// A pupil offset looking from the head toward target; down the screen looks down.
Size lookToward(Point head, Point target) {
    return {std::clamp((target.x - head.x) / 80, -1.0, 1.0),
            std::clamp((head.y - target.y) / 80, -1.0, 1.0)};
}

bool recentlyActive(const State& state, const StepFacts& facts) {
    return state.lastUserActivityTime &&
           facts.t - *state.lastUserActivityTime <= facts.thresholds.recentActivityWindow;
}

// Being handled, napping, and what the user, the desk and the agent asked of her; then
// her greetings and her ears.
std::optional<Choice> heldRow(const State& state, const BehaviorInput& input,
                              const PurloSettings& settings, const StepFacts& facts) {
    const double t = facts.t;
    const PurloPhrasePack pack = settings.phrasePack;
    const Size gaze = facts.gaze;
    if (state.dragging) {
        return Choice{CatMood::dragged, CatPose::drag, 1.08,
                      say(pack, PhraseSlot::dragged, Kind::soft), gaze};
    }
    if (t < state.petUntil) {
        return Choice{CatMood::purring, CatPose::purr, 1.0,
                      say(pack, PhraseSlot::purring, Kind::happy), gaze};
    }
    if (input.napActive) {
        return Choice{CatMood::sleeping, CatPose::sleep, 0.98, std::nullopt, {}};
    }
    if (t < state.stretchUntil) {
        return Choice{CatMood::stretching, CatPose::stretch, 1.16,
                      CompanionMessage{stretchPhrase(pack, settings.userName), Kind::focus}, gaze};
    }
    if (t < state.celebrationUntil) {
        return Choice{CatMood::celebrating, CatPose::celebrate, 1.04,
                      state.celebrationMessage ? state.celebrationMessage
                                               : say(pack, PhraseSlot::celebration, Kind::happy),
                      gaze};
    }
    if (state.agentMood && state.agentPose && t < state.agentUntil) {
        return Choice{*state.agentMood, *state.agentPose, 1.0, state.agentMessage, gaze};
    }
    if (t < state.stareUntil) {
        return Choice{CatMood::purring, CatPose::stare, 1.0, std::nullopt, gaze};
    }
    if (t < state.greetUntil) {
        return Choice{CatMood::purring, CatPose::greet, 1.0, std::nullopt, gaze};
    }
    if (t < state.returnUntil) {
        return Choice{CatMood::purring, CatPose::purr, 1.0,
                      state.returnMessage ? state.returnMessage
                                          : say(pack, PhraseSlot::welcomeBack, Kind::happy),
                      gaze};
    }
    if (t < state.perkUntil) {
        return Choice{CatMood::curious, CatPose::wait, 1.0, std::nullopt, gaze};
    }
    if (t < state.groomUntil) {
        return Choice{CatMood::curious, CatPose::groom, 1.0, std::nullopt, gaze};
    }
    return std::nullopt;
}

// Typing fast, typing, resting after a long stretch of focused typing,
// and a moment's hesitation when a burst of fast typing stops dead.
std::optional<Choice> typingRow(State& state, const BehaviorInput& input,
                                const PurloSettings& settings, const StepFacts& facts) {
    const double t = facts.t;
    if (!facts.quiet && settings.typingReactionsEnabled) {
        if (input.typing.keysPerSecond >= facts.thresholds.overheatedTypingRate) {
            state.lastFastTypingTime = t;
            state.hesitateUntil = 0;
            return Choice{CatMood::overheated, CatPose::typing, 1.02,
                          say(settings.phrasePack, PhraseSlot::overheated, Kind::alert),
                          facts.gaze};
        }
        if (input.typing.recentKeyPressCount >= 1) {
            state.lastUserActivityTime = t;
            state.lastFastTypingTime.reset();
            state.hesitateUntil = 0;
            std::optional<CompanionMessage> message;
            if (input.activeApp.isCodingContext()) {
                message = say(settings.phrasePack, PhraseSlot::codingTyping, Kind::focus);
            }
            return Choice{CatMood::typing, CatPose::typing, 1.0, std::move(message), facts.gaze};
        }
        if (facts.focusedFor < 1500 && state.lastFastTypingTime) {
            if (t - *state.lastFastTypingTime <= 1.0) {
                state.hesitateUntil = t + 1.4;
            }
            state.lastFastTypingTime.reset();
        }
    }
    if (facts.focusedFor >= 1500) {
        return Choice{CatMood::typing, CatPose::loaf, 1.0, std::nullopt, facts.gaze};
    }
    if (t < state.hesitateUntil) {
        return Choice{CatMood::curious, CatPose::hesitate, 1.0, std::nullopt, facts.gaze};
    }
    return std::nullopt;
}

// A zoomies run under way, and a butterfly visit.
std::optional<Choice> roamRow(State& state, const BehaviorInput& input,
                              const PurloSettings& settings, const StepFacts& facts) {
    const double t = facts.t;
    if (!facts.mayRoam) {
        return std::nullopt;
    }
    if (t < state.zoomiesUntil) {
        // The eyes follow the dash: left, across to the right, home to the left.
        const double running = t - state.zoomiesStartedAt;
        const double facing = running < 1 || running >= 2.4 ? -1.0 : 1.0;
        return Choice{CatMood::hunting, CatPose::zoomies, 1.0, std::nullopt, {facing, 0}};
    }
    if (state.butterflyUntil <= t && state.nextButterflyAt <= t &&
        (recentlyActive(state, facts) || isRoamWhenAway(settings.companionMovementMode))) {
        state.butterflyStartedAt = t;
        state.butterflyUntil = t + butterflyVisitSeconds;
        state.nextButterflyAt = t + butterflyVisitSeconds + butterflyDelay(t);
        state.butterflyStage = input.companionScreenFrame;
    }
    if (t >= state.butterflyUntil) {
        return std::nullopt;
    }
    const double elapsed = t - state.butterflyStartedAt;
    const Point butterfly =
        PurloBehaviorEngine::butterflyPoint(elapsed, facts.head, state.butterflyStage);
    const Size watching = lookToward(facts.head, butterfly);
    Choice choice{CatMood::curious, CatPose::wait, 1.0, std::nullopt, watching};
    choice.butterflyPosition = butterfly;
    if (elapsed >= 9.6) {
        choice.pose = CatPose::groom;
        choice.eyeOffset = facts.gaze;
    } else if (elapsed >= 6.75) {
        choice.pose = CatPose::wait;
    } else if (elapsed >= 5.85) {
        choice.mood = CatMood::hunting;
        choice.pose = CatPose::swat;
    } else if (elapsed >= 3.4) {
        choice.mood = CatMood::hunting;
        choice.pose = CatPose::crouch;
    }
    return choice;
}

// The ambush: a pointer that lingers near her for 10 s and then slips away slowly
// gets a crouch and a feint stretch, at most once every 25 minutes; a pointer that
// races past her close by is hunted.
std::optional<Choice> ambushRow(State& state, const BehaviorInput& input,
                                const PurloSettings& settings, const StepFacts& facts) {
    const double t = facts.t;
    const Point pointer = input.pointer.location;
    const double distance = std::hypot(pointer.x - facts.head.x, pointer.y - facts.head.y);
    const double speed = std::hypot(input.pointer.velocity.width, input.pointer.velocity.height);
    const bool reactive = !facts.quiet && settings.reactionsEnabled;
    const bool near = distance < facts.thresholds.pointerNearRadius;

    if (!reactive || input.reduceMotionActive) {
        state.ambushArmedSince.reset();
        state.ambushCrouchUntil = 0;
        state.feintStretchUntil = 0;
    } else if (t < state.ambushCrouchUntil) {
        return Choice{CatMood::hunting, CatPose::crouch, 1.0, std::nullopt, facts.gaze};
    } else if (t < state.feintStretchUntil) {
        return Choice{CatMood::stretching, CatPose::stretch, 1.0, std::nullopt, facts.gaze};
    } else if (near) {
        state.ambushLastNearAt = t;
        if (!state.ambushArmedSince) {
            state.ambushArmedSince = t;
        }
    } else if (state.ambushArmedSince) {
        const double armedSince = *state.ambushArmedSince;
        state.ambushArmedSince.reset();
        if (t - armedSince >= 10 && t - state.ambushLastNearAt <= 1.2 &&
            speed < facts.thresholds.fastPointerSpeed && state.ambushCooldownUntil <= t) {
            state.ambushCooldownUntil = t + 1500;
            state.ambushCrouchUntil = t + 0.7;
            state.feintStretchUntil = t + 3.1;
            return Choice{CatMood::hunting, CatPose::crouch, 1.0, std::nullopt, facts.gaze};
        }
    }
    if (reactive && speed > facts.thresholds.fastPointerSpeed && near) {
        return Choice{CatMood::hunting, CatPose::hunt, 1.0,
                      say(settings.phrasePack, PhraseSlot::hunting, Kind::happy), facts.gaze};
    }
    return std::nullopt;
}

// A zoomies run that is due starts now.
std::optional<Choice> zoomiesStartRow(State& state, const StepFacts& facts) {
    const double t = facts.t;
    if (!facts.mayRoam || state.nextZoomiesAt > t) {
        return std::nullopt;
    }
    state.zoomiesStartedAt = t;
    state.zoomiesUntil = t + zoomiesRunSeconds;
    state.nextZoomiesAt = t + zoomiesRunSeconds + zoomiesDelay(t);
    return Choice{CatMood::hunting, CatPose::zoomies, 1.0, std::nullopt, {-1, 0}};
}

// One yawn about half an hour before quiet hours begin. The start hour is the one the
// quiet-hours test uses, clamped, so she never yawns for hours that cannot begin.
void latchYawn(State& state, const BehaviorInput& input, const PurloSettings& settings,
               const StepFacts& facts) {
    if (!settings.quietHours.enabled || facts.quiet || !settings.reactionsEnabled) {
        return;
    }
    const std::int64_t start = settings.quietHours.clampedStartHour() * 60;
    const std::int64_t minute = std::clamp<std::int64_t>(input.localMinuteOfDay, 0, 1439);
    const std::int64_t minutesUntilQuiet = (start - minute + 1440) % 1440;
    if (minutesUntilQuiet < 26 || minutesUntilQuiet > 35) {
        state.yawnLatched = false;
    } else if (!state.yawnLatched) {
        state.yawnLatched = true;
        state.yawnUntil = facts.t + yawnSeconds;
    }
}

// A yawn, a funny face, dozing off when the user has gone, else idle.
Choice restingRow(State& state, const BehaviorInput& input, const PurloSettings& settings,
                  const StepFacts& facts) {
    const double t = facts.t;
    latchYawn(state, input, settings, facts);
    if (t < state.yawnUntil) {
        const double progress = std::clamp(1 - (state.yawnUntil - t) / yawnSeconds, 0.0, 1.0);
        Choice yawn{CatMood::idle, CatPose::yawn, 1.0, std::nullopt, {}};
        yawn.yawnProgress = progress;
        return yawn;
    }
    if (!facts.quiet && recentlyActive(state, facts) && settings.reactionsEnabled) {
        if (state.funnyFaceUntil <= t && state.nextFunnyFaceAt <= t) {
            state.funnyFaceIsBlep = fractionalPart(t * 3.17) < 0.55;
            state.funnyFaceUntil = t + 2.4;
            state.nextFunnyFaceAt = t + 2.4 + funnyFaceDelay(t);
        }
        if (t < state.funnyFaceUntil) {
            return Choice{CatMood::idle, state.funnyFaceIsBlep ? CatPose::blep : CatPose::crossEyed,
                          1.0, std::nullopt, facts.gaze};
        }
    }
    if (state.lastUserActivityTime &&
        t - *state.lastUserActivityTime > facts.thresholds.recentActivityWindow) {
        return Choice{CatMood::sleeping, CatPose::sleep, 0.98, std::nullopt, {}};
    }
    return Choice{CatMood::idle, CatPose::idle, 1.0, std::nullopt, facts.gaze};
}

Choice chooseRow(State& state, const BehaviorInput& input, const PurloSettings& settings,
                 const StepFacts& facts) {
    if (auto choice = heldRow(state, input, settings, facts)) {
        return std::move(*choice);
    }
    if (auto choice = typingRow(state, input, settings, facts)) {
        return std::move(*choice);
    }
    if (auto choice = roamRow(state, input, settings, facts)) {
        return std::move(*choice);
    }
    if (auto choice = ambushRow(state, input, settings, facts)) {
        return std::move(*choice);
    }
    if (auto choice = zoomiesStartRow(state, facts)) {
        return std::move(*choice);
    }
    return restingRow(state, input, settings, facts);
}

// The first zoomies, funny face and butterfly are set on the first step; in the
// stay-put mode the roaming ones keep being put off, while funny faces still come.
void schedulePlays(State& state, const PurloSettings& settings, double t) {
    if (state.nextZoomiesAt == 0) {
        state.nextZoomiesAt = t + zoomiesDelay(t);
    }
    if (state.nextFunnyFaceAt == 0) {
        state.nextFunnyFaceAt = t + firstFunnyFaceDelay(t);
    }
    if (state.nextButterflyAt == 0) {
        state.nextButterflyAt = t + firstButterflyDelay(t);
    }
    if (settings.companionMovementMode == CompanionMovementMode::stayPut) {
        if (state.nextZoomiesAt <= t) {
            state.nextZoomiesAt = t + zoomiesDelay(t);
        }
        if (state.nextButterflyAt <= t) {
            state.nextButterflyAt = t + firstButterflyDelay(t);
        }
    }
}

// After two days away she stares, then greets; looked at once per launch.
void noticeStoredAbsence(State& state, const BehaviorInput& input, const PurloSettings& settings,
                         bool quiet) {
    if (state.storedAbsenceHandled) {
        return;
    }
    state.storedAbsenceHandled = true;
    if (!quiet && input.storedAbsenceSeconds >= 172800 && settings.reactionsEnabled) {
        state.stareUntil = input.time + 3;
        state.greetUntil = input.time + 5.2;
    }
}

// An app switch while typing perks her ears; six within 30 s make her groom.
void noticeAppSwitch(State& state, const BehaviorInput& input, const PurloSettings& settings,
                     bool quiet) {
    const double t = input.time;
    const ActiveAppSnapshot& app = input.activeApp;
    const std::string_view key = app.bundleIdentifier ? *app.bundleIdentifier : app.name;
    const bool recentTyping =
        input.typing.lastKeyPressTime && t - *input.typing.lastKeyPressTime < 90;
    const bool switched = state.lastActiveAppKey && *state.lastActiveAppKey != key;
    if (switched) {
        std::vector<double>& times = state.appSwitchTimes;
        if (quiet || !settings.reactionsEnabled) {
            times.clear();
        } else {
            times.push_back(t);
            std::erase_if(times, [t](double at) { return t - at > 30; });
            if (recentTyping) {
                state.perkUntil = t + 0.8;
            }
            if (times.size() >= 6) {
                state.groomUntil = t + 3.2;
                times.clear();
            }
        }
    }
    if (switched || !state.lastActiveAppKey) {
        state.lastActiveAppKey = std::string(key);
        state.focusedTypingSince.reset();
    }
}

// How long she has watched the user type without a break of 90 s.
double focusedTypingDuration(State& state, const BehaviorInput& input,
                             const PurloSettings& settings, bool quiet) {
    const double t = input.time;
    const bool recentTyping =
        input.typing.lastKeyPressTime && t - *input.typing.lastKeyPressTime < 90;
    if (quiet || !recentTyping || !settings.typingReactionsEnabled) {
        state.focusedTypingSince.reset();
        return 0;
    }
    if (input.typing.recentKeyPressCount >= 1 && !state.focusedTypingSince) {
        state.focusedTypingSince = t;
    }
    return state.focusedTypingSince ? t - *state.focusedTypingSince : 0;
}

} // namespace

CompanionScene PurloBehaviorEngine::step(const BehaviorInput& input,
                                         const PurloSettings& settings) {
    CompanionScene scene = decideScene(input, settings);
    const double t = input.time;
    if (t < state.zoomiesUntil && scene.pose != CatPose::zoomies) {
        state.zoomiesUntil = 0;
    }
    if (t < state.butterflyUntil && !scene.butterflyPosition) {
        state.butterflyUntil = 0;
    }
    return scene;
}

CompanionScene PurloBehaviorEngine::decideScene(const BehaviorInput& input,
                                                const PurloSettings& settings) {
    const double t = input.time;
    const bool quiet = settings.isQuietHoursActive(input.localMinuteOfDay);
    if (quiet && !state.quietHoursActive) {
        // Quiet hours wipe what was going on, but she remembers when the user was last
        // around, and the agent's run ends.
        const std::optional<double> lastActivity = state.lastUserActivityTime;
        resetTransientState();
        state.lastUserActivityTime = lastActivity;
        state.agentRunStartedAt.reset();
        state.agentRunLastSeenAt = 0;
    }
    state.quietHoursActive = quiet;

    applyInputs(input, settings, quiet, input.napActive);
    schedulePlays(state, settings, t);
    noticeStoredAbsence(state, input, settings, quiet);
    noticeAppSwitch(state, input, settings, quiet);

    const Point head{state.position.x + headOffset.x, state.position.y + headOffset.y};
    const bool watchesPointer = !quiet && !input.napActive && settings.eyeTrackingEnabled;
    const StepFacts facts{
        t,
        quiet,
        ReactionThresholds::forIntensity(settings.reactionIntensity),
        head,
        watchesPointer ? lookToward(head, input.pointer.location) : Size{},
        focusedTypingDuration(state, input, settings, quiet),
        mayRoam(input, settings, quiet),
    };
    Choice choice = chooseRow(state, input, settings, facts);

    CompanionScene scene;
    scene.position = state.position;
    scene.mood = choice.mood;
    scene.pose = choice.pose;
    // Reminders and a finished rest speak over whatever she is doing.
    if (state.fixedMessage && t < state.fixedMessageUntil) {
        scene.message = state.fixedMessage;
    } else {
        scene.message = std::move(choice.message);
    }
    scene.eyeOffset = choice.eyeOffset;
    scene.scale = choice.scale;
    scene.timerLabel = input.pomodoro.label;
    scene.isVisible = true;
    scene.yawnProgress = choice.yawnProgress;
    scene.butterflyPosition = choice.butterflyPosition;
    return scene;
}

} // namespace purlo
