// What happened since the last tick, turned into the engine's state: the user's
// action, a nap, a reminder, a Pomodoro phase change, an agent event and the user's
// own activity. The scene is chosen afterwards from the state alone.
#include "model/PlaySchedules.h"
#include "model/PurloBehaviorEngine.h"
#include "model/ReactionThresholds.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace purlo {
namespace {

// How long an agent event without an expiry holds her, by kind.
constexpr std::array<double, 5> agentHoldSeconds{60, 60, 45, 2.8, 7};

// Events further apart than this belong to different runs of the agent.
constexpr double agentRunGap = 1800;
// A run at least this long earns the long celebration.
constexpr double longAgentRun = 300;

// When the user was last seen at work in this tick: typing now, the pointer's last
// move within 2.5 s (stamped when it moved, not when the tick noticed), or a pointer
// moving fast enough right now. Nothing when none of these holds.
std::optional<double> activityTime(const BehaviorInput& input, const PurloSettings& settings,
                                   const ReactionThresholds& thresholds) {
    const double t = input.time;
    if (settings.typingReactionsEnabled && input.typing.recentKeyPressCount > 0) {
        return t;
    }
    if (!settings.reactionsEnabled) {
        return std::nullopt;
    }
    const std::optional<double> lastMove = input.pointer.lastMovementTime;
    if (lastMove && *lastMove <= t && t - *lastMove <= 2.5) {
        return lastMove;
    }
    const Size velocity = input.pointer.velocity;
    if (std::hypot(velocity.width, velocity.height) >= thresholds.pointerActivitySpeed) {
        return t;
    }
    return std::nullopt;
}

} // namespace

void PurloBehaviorEngine::applyInputs(const BehaviorInput& input, const PurloSettings& settings,
                                      bool quiet, bool napActive) {
    const double t = input.time;
    if (!settings.localAgentBridgeEnabled) {
        endAgentHold();
        state.agentRunStartedAt.reset();
        state.agentRunLastSeenAt = 0;
        // An agent's celebration ends with the bridge.
        if (state.celebrationIsAgent) {
            state.celebrationIsAgent = false;
            state.celebrationUntil = 0;
            state.celebrationMessage.reset();
        }
    }
    if (input.interaction) {
        applyInteraction(*input.interaction, input);
    }
    if (napActive) {
        // She sleeps through everything, and wakes with nothing left over.
        resetTransientState();
        if (state.nextZoomiesAt > 0 && state.nextZoomiesAt <= t) {
            state.nextZoomiesAt = t + zoomiesDelay(t);
        }
        return;
    }
    if (quiet) {
        // Remembered so that it is not played once quiet hours end.
        if (input.agentEvent.kind) {
            state.suppressedAgentEvent = input.agentEvent;
        }
        return;
    }
    applyReminder(input.reminder, t);
    applyPomodoroEvent(input.pomodoro.event, settings, t);
    if (state.suppressedAgentEvent != input.agentEvent) {
        state.suppressedAgentEvent.reset();
        applyAgentEvent(input.agentEvent, settings, t);
    }
    noteUserActivity(input, settings);
}

void PurloBehaviorEngine::applyInteraction(const CompanionInteraction& interaction,
                                           const BehaviorInput& input) {
    const double t = input.time;
    // Any touch ends a zoomies run.
    state.zoomiesUntil = 0;
    switch (interaction.kind) {
    case CompanionInteraction::Kind::dragMoved:
        state.position = clampedOrigin(interaction.point, companionSize, input.screenFrame, 8);
        state.dragging = true;
        break;
    case CompanionInteraction::Kind::dragBegan:
        state.dragging = true;
        break;
    case CompanionInteraction::Kind::dragEnded:
        // A short purr once she is put down.
        state.dragging = false;
        state.petUntil = t + 0.5;
        break;
    case CompanionInteraction::Kind::pet:
        state.petUntil = t + 2.4;
        break;
    case CompanionInteraction::Kind::celebrate:
        state.celebrationMessage.reset();
        state.celebrationIsAgent = false;
        state.celebrationUntil = t + 2.4;
        break;
    case CompanionInteraction::Kind::stretch:
        state.stretchUntil = t + 7.5;
        break;
    case CompanionInteraction::Kind::confirmedCompletion:
        state.fixedMessage.reset();
        state.fixedMessageUntil = 0;
        state.celebrationMessage = interaction.message;
        state.celebrationIsAgent = false;
        state.celebrationUntil = t + 2.8;
        break;
    }
}

void PurloBehaviorEngine::applyReminder(const std::optional<ReminderEvent>& reminder, double now) {
    if (!reminder) {
        return;
    }
    switch (reminder->kind) {
    case ReminderEvent::Kind::fixedMessage:
        state.fixedMessage = CompanionMessage{reminder->text, CompanionMessage::Kind::soft};
        state.fixedMessageUntil = now + 5;
        break;
    case ReminderEvent::Kind::kindNudge:
        state.fixedMessage = CompanionMessage{reminder->text, CompanionMessage::Kind::happy};
        state.fixedMessageUntil = now + 5;
        break;
    case ReminderEvent::Kind::stretch:
        // Never cuts short a longer stretch already under way.
        state.stretchUntil = std::max(state.stretchUntil, now + 8);
        break;
    }
}

void PurloBehaviorEngine::applyPomodoroEvent(const std::optional<PomodoroEvent>& event,
                                             const PurloSettings& settings, double now) {
    if (!event) {
        return;
    }
    switch (event->kind) {
    case PomodoroEvent::Kind::focusCompleted:
        state.fixedMessage.reset();
        state.fixedMessageUntil = 0;
        state.celebrationMessage = CompanionMessage{
            sessionPhrase(settings.phrasePack, PhraseSlot::focusCompleted, event->number),
            CompanionMessage::Kind::happy};
        state.celebrationIsAgent = false;
        state.celebrationUntil = now + 2.8;
        break;
    case PomodoroEvent::Kind::restCompleted:
        state.fixedMessage = CompanionMessage{
            sessionPhrase(settings.phrasePack, PhraseSlot::restCompleted, event->number),
            CompanionMessage::Kind::focus};
        state.fixedMessageUntil = now + 4;
        break;
    }
}

void PurloBehaviorEngine::applyAgentEvent(const AgentEventSnapshot& event,
                                          const PurloSettings& settings, double now) {
    // An event without a kind is no event at all: applying or remembering it would let
    // the same real event play twice and would keep a finished run open.
    if (!settings.localAgentBridgeEnabled || !event.kind ||
        (event.expiresAt && now >= *event.expiresAt)) {
        return;
    }
    if (state.lastAppliedAgentEvent == event) {
        return;
    }
    state.lastAppliedAgentEvent = event;

    const AgentEventKind kind = *event.kind;
    const double holdEnd =
        event.expiresAt.value_or(now + agentHoldSeconds[static_cast<std::size_t>(kind)]);
    const bool newRun = !state.agentRunStartedAt || now - state.agentRunLastSeenAt > agentRunGap;
    if (newRun) {
        state.agentRunStartedAt.reset();
    }
    state.agentRunLastSeenAt = now;
    CompanionMessage message = agentMessage(kind, event, settings);

    switch (kind) {
    case AgentEventKind::started:
    case AgentEventKind::thinking:
        if (newRun) {
            state.agentRunStartedAt = event.receivedAt.value_or(now);
        }
        state.agentMood = CatMood::thinking;
        state.agentPose = CatPose::think;
        break;
    case AgentEventKind::waiting:
        state.agentMood = CatMood::curious;
        state.agentPose = CatPose::wait;
        break;
    case AgentEventKind::failed:
        state.agentRunStartedAt.reset();
        state.agentMood = CatMood::curious;
        state.agentPose = CatPose::flop;
        break;
    case AgentEventKind::completed: {
        const bool longRun =
            !newRun && state.agentRunStartedAt && now - *state.agentRunStartedAt >= longAgentRun;
        endAgentHold();
        state.celebrationMessage = std::move(message);
        state.celebrationIsAgent = true;
        state.celebrationUntil = now + (longRun ? 6.4 : 2.8);
        state.agentRunStartedAt.reset();
        return;
    }
    }
    state.agentMessage = std::move(message);
    state.agentUntil = holdEnd;
}

CompanionMessage PurloBehaviorEngine::agentMessage(AgentEventKind kind,
                                                   const AgentEventSnapshot& event,
                                                   const PurloSettings& settings) {
    const PurloPhrasePack pack = settings.phrasePack;
    switch (kind) {
    case AgentEventKind::started:
        return {agentStartedPhrase(pack, event.sourceDisplayName()), CompanionMessage::Kind::focus};
    case AgentEventKind::thinking:
        return {std::string(phrase(pack, PhraseSlot::agentThinking)),
                CompanionMessage::Kind::focus};
    case AgentEventKind::waiting:
        return {std::string(phrase(pack, PhraseSlot::agentWaiting)), CompanionMessage::Kind::soft};
    case AgentEventKind::failed:
        return {std::string(phrase(pack, PhraseSlot::agentFailed)), CompanionMessage::Kind::alert};
    case AgentEventKind::completed:
        break;
    }
    return {std::string(phrase(pack, PhraseSlot::celebration)), CompanionMessage::Kind::happy};
}

void PurloBehaviorEngine::noteUserActivity(const BehaviorInput& input,
                                           const PurloSettings& settings) {
    const double t = input.time;
    const ReactionThresholds thresholds =
        ReactionThresholds::forIntensity(settings.reactionIntensity);
    const std::optional<double> activity = activityTime(input, settings, thresholds);
    if (!activity) {
        return;
    }
    if (state.lastUserActivityTime) {
        const double away = t - *state.lastUserActivityTime;
        if (away > thresholds.recentActivityWindow) {
            // After a long absence she greets first, then purrs.
            double purrFrom = t;
            if (away > 1200) {
                state.greetUntil = t + 2.2;
                purrFrom = t + 2.2;
            }
            state.returnUntil = purrFrom + 3;
            state.returnMessage =
                CompanionMessage{std::string(phrase(settings.phrasePack, PhraseSlot::welcomeBack)),
                                 CompanionMessage::Kind::happy};
        }
    }
    state.lastUserActivityTime = activity;
}

void PurloBehaviorEngine::resetTransientState() {
    state.stretchUntil = 0;
    state.celebrationUntil = 0;
    state.agentUntil = 0;
    state.returnUntil = 0;
    state.fixedMessageUntil = 0;
    state.greetUntil = 0;
    state.hesitateUntil = 0;
    state.zoomiesStartedAt = 0;
    state.zoomiesUntil = 0;
    state.perkUntil = 0;
    state.groomUntil = 0;
    state.ambushCrouchUntil = 0;
    state.feintStretchUntil = 0;
    state.stareUntil = 0;
    state.funnyFaceUntil = 0;
    state.butterflyUntil = 0;
    state.yawnUntil = 0;
    state.celebrationMessage.reset();
    state.agentMood.reset();
    state.agentPose.reset();
    state.agentMessage.reset();
    state.returnMessage.reset();
    state.fixedMessage.reset();
    state.lastUserActivityTime.reset();
    state.lastFastTypingTime.reset();
    state.focusedTypingSince.reset();
    state.ambushArmedSince.reset();
    state.celebrationIsAgent = false;
    state.appSwitchTimes.clear();
}

void PurloBehaviorEngine::endAgentHold() {
    state.agentMood.reset();
    state.agentPose.reset();
    state.agentMessage.reset();
    state.agentUntil = 0;
}

bool PurloBehaviorEngine::mayRoam(const BehaviorInput& input, const PurloSettings& settings,
                                  bool quiet) const {
    if (quiet || input.reduceMotionActive || !settings.reactionsEnabled) {
        return false;
    }
    // The engine's own sightings miss input it does not see (other keyboards, a
    // disabled sensor), so the system's idle time may shorten the absence.
    std::optional<double> away = input.secondsSinceAnyInput;
    if (state.lastUserActivityTime) {
        const double sinceSeen = input.time - *state.lastUserActivityTime;
        away = away ? std::min(sinceSeen, *away) : sinceSeen;
    }
    switch (settings.companionMovementMode) {
    case CompanionMovementMode::freeRange:
        return true;
    case CompanionMovementMode::roamWhenAway:
        return away && *away >= 180;
    case CompanionMovementMode::stayPut:
        return false;
    }
    return false;
}

} // namespace purlo
