#include "runtime/CompanionPanelGeometry.h"
#include "runtime/PurloRuntime.h"
#include "runtime/ScreenFrameResolver.h"

#include <algorithm>

namespace purlo {
namespace {

double clampedCompanionScale(double scale) {
    if (scale <= PurloRuntime::minimumCompanionScale) {
        return PurloRuntime::minimumCompanionScale;
    }
    if (scale > PurloRuntime::maximumCompanionScale) {
        return PurloRuntime::maximumCompanionScale;
    }
    return scale;
}

bool sameApplication(const ActiveAppSnapshot& left, const ActiveAppSnapshot& right) {
    return left.name == right.name && left.bundleIdentifier == right.bundleIdentifier;
}

} // namespace

void PurloRuntime::tick(Date now, double uptime) {
    const std::int64_t minute = minuteOfDay(now);
    expireNapIfNeeded(now);
    const bool quiet = settings_->isQuietHoursActive(minute);
    std::optional<ReminderEvent> announcement = runScheduledNapStep(now, quiet, uptime);
    // Read after the two steps above, so a nap that ended or began in this tick counts.
    const bool napActive = settings_->nap.isActive(now);

    const bool onScreen = companionOnScreen();
    const std::optional<double> idle = idleTime_.secondsSinceAnyInput(uptime, onScreen);
    const PointerSnapshot pointer = samplePointer(uptime, onScreen, idle);
    const std::vector<Rect>& frames = visibleScreenFrames(uptime);
    const Point origin = scene_->position;
    const Rect pointerScreen =
        ScreenFrameResolver::screenFrame(frames, pointer.location, origin, companionPanelSize);
    const Rect companionScreen = ScreenFrameResolver::screenFrame(
        frames, offsetBy(origin, companionHeadOffset), origin, companionPanelSize);
    placeCompanionIfOffScreen(frames, pointer.location);

    applyTypingMonitorGate(napActive, quiet);
    const PurloRuntimeTickSamples samples =
        collectTickSamples(napActive, quiet, std::move(announcement), uptime);
    publishSamples(samples);

    BehaviorInput& input = behaviorInput_;
    // The published app stays unmasked: the window's presence mode needs it.
    if (napActive || quiet || !settings_->activeAppAwarenessEnabled) {
        input.activeApp = ActiveAppSnapshot{};
    } else {
        input.activeApp = samples.activeApp;
    }
    stampLastSeenIfDue(now, uptime);
    updateMouseAcceptance(clampedCompanionScale(settings_->companionScale), pointer.location);

    input.time = uptime;
    input.pointer = pointer;
    input.typing = samples.typing;
    input.screenFrame = pointerScreen;
    input.interaction = pendingInteraction_;
    input.reminder = samples.reminder;
    input.pomodoro = pomodoro_->snapshot(samples.pomodoroEvent, clock_.uptime());
    input.agentEvent = samples.agentEvent;
    input.napActive = napActive;
    input.localMinuteOfDay = minute;
    input.reduceMotionActive = appearance_.reduceMotion();
    input.storedAbsenceSeconds = storedAbsenceSeconds_;
    input.companionScreenFrame = companionScreen;
    input.secondsSinceAnyInput = idle;
    // Taken before the step, so an action the step sets off waits for the next tick.
    pendingInteraction_.reset();

    CompanionScene next = behaviorEngine_.step(input, *settings_);
    showPinnedMessage(next, napActive, quiet);
    showSaveFailure(next, uptime);
    // Visibility is the user's show/hide choice, never the engine's.
    next.isVisible = scene_->isVisible;
    const CatPose previousPose = scene_->pose;
    scene_.setIfChanged(std::move(next));
    updateZoomiesDash(previousPose, scene_->pose, uptime);

    refreshInputMonitoringIfDue(uptime);
    if (const auto snapshot = diagnosticsRecorder_.record(uptime)) {
        diagnostics_.set(*snapshot);
    }
}

void PurloRuntime::publishSamples(const PurloRuntimeTickSamples& samples) {
    // Compared before anything is copied, so an unchanged world costs no view work.
    if (samples.pomodoroState != *pomodoro_) {
        pomodoro_.set(samples.pomodoroState);
    }
    if (!AgentEventSnapshot::arraysEqual(*agentEventHistory_, samples.agentEventHistory)) {
        agentEventHistory_.set(samples.agentEventHistory);
    }
    if (!sameApplication(*activeApp_, samples.activeApp)) {
        activeApp_.set(samples.activeApp);
    }
}

void PurloRuntime::stampLastSeenIfDue(Date now, double uptime) {
    if (uptime - lastSeenStampedAt_ < lastSeenStampInterval) {
        return;
    }
    lastSeenStampedAt_ = uptime;
    store_.setDate(lastSeenKey, now);
}

// The pointer as this tick sampled it: asking the desktop again would cost a round
// trip to the display for the same answer.
void PurloRuntime::updateMouseAcceptance(double scale, Point mouse) {
    bool accepts = true;
    // While dragged she keeps the pointer wherever it goes.
    if (!companionDragInProgress_) {
        const CompanionScene& scene = *scene_;
        accepts = companionBodyArea(scene.position, scale * scene.scale).contains(mouse);
    }
    if (accepts != *companionAcceptsMouse_) {
        companionAcceptsMouse_.set(accepts);
    }
}

// Nobody sees a hidden cat look anywhere, whether the user hid her or she keeps out of
// the way of the application in front: the pointer is left alone until she is on screen
// again, and then measured afresh, so its first reading does not look like a leap.
PointerSnapshot PurloRuntime::samplePointer(double uptime, bool onScreen,
                                            std::optional<double> idle) {
    if (onScreen && !pointerFollowed_) {
        pointerTracker_.seed(uptime);
    }
    pointerFollowed_ = onScreen;
    return onScreen ? pointerTracker_.sample(uptime, idle) : pointerTracker_.hold(uptime);
}

// Whether her window shows, as far as it is for her to say: the user's choice, and
// the application in front as the last tick saw it.
bool PurloRuntime::companionOnScreen() const {
    return scene_->isVisible && !hidesCompanion(settings_->companionPresenceMode,
                                                activeApp_->bundleIdentifier, ownBundleIdentifier_);
}

void PurloRuntime::showPinnedMessage(CompanionScene& next, bool napActive,
                                     bool quietHoursActive) const {
    if (napActive || quietHoursActive || settings_->pinnedMessage.empty()) {
        return;
    }
    if (next.message && next.mood != CatMood::idle) {
        return;
    }
    if (auto pinned = settings_->trimmedPinnedMessage()) {
        next.message = std::move(pinned);
    }
}

// Said above anything else the cat has to say: a change the user just made will be
// lost at the next start unless they act.
void PurloRuntime::showSaveFailure(CompanionScene& next, double uptime) const {
    if (*settingsSaveFailure_ && uptime < saveFailureShownUntil_) {
        next.message = CompanionMessage{**settingsSaveFailure_, CompanionMessage::Kind::soft};
    }
}

} // namespace purlo
