#include "model/PurloPhrasePack.h"
#include "runtime/CompanionPanelGeometry.h"
#include "runtime/PurloRuntime.h"
#include "runtime/ScreenFrameResolver.h"

namespace purlo {
namespace {

double napSeconds(PurloNapDuration duration) {
    return static_cast<double>(rawValue(duration)) * 60;
}

} // namespace

void PurloRuntime::expireNapIfNeeded(Date now) {
    const auto& until = settings_->nap.until;
    if (!until || *until > now) {
        return;
    }
    changeSettings([](PurloSettings& settings) { settings.nap.until.reset(); });
}

bool PurloRuntime::handsOnWithin(double window, double uptime) const {
    return uptime - lastHandsOnInteractionAt_ < window;
}

void PurloRuntime::markScheduledNapDayFired(Date now) {
    const std::string today = ScheduledNapSchedule::dayKey(now, calendar_);
    changeSettings([&](PurloSettings& settings) { settings.scheduledNap.lastFiredDay = today; });
}

std::optional<ReminderEvent> PurloRuntime::runScheduledNapStep(Date now, bool quietHoursActive,
                                                               double uptime) {
    const bool handsOn =
        companionDragInProgress_ || handsOnWithin(scheduledNapHandsOnWindow, uptime);
    const ScheduledNapSchedule& schedule = settings_->scheduledNap;
    if (scheduledNapController_.isArmed()) {
        if (!schedule.enabled || settings_->nap.isActive(now)) {
            scheduledNapController_.disarm();
            return std::nullopt;
        }
        // The announcement is on screen; a pet or a drag holds the nap back.
        if (*scheduledNapController_.napAt <= uptime && !handsOn) {
            const double seconds = napSeconds(*scheduledNapController_.pendingDuration);
            scheduledNapController_.disarm();
            changeSettings(
                [&](PurloSettings& settings) { settings.nap.until = now.addingSeconds(seconds); });
        }
        return std::nullopt;
    }

    if (!schedule.enabled ||
        schedule.lastFiredDay == ScheduledNapSchedule::dayKey(now, calendar_)) {
        return std::nullopt;
    }
    const auto fire = schedule.fireDate(now, calendar_);
    if (!fire) {
        return std::nullopt;
    }
    const double elapsed = now.secondsSince(*fire);
    if (!(elapsed >= 0 && elapsed < scheduledNapFiringWindow)) {
        return std::nullopt;
    }
    // She sleeps anyway, or already naps: the day's nap is skipped, not postponed.
    if (quietHoursActive || schedule.overlapsQuietHours(settings_->quietHours) ||
        settings_->nap.isActive(now)) {
        markScheduledNapDayFired(now);
        return std::nullopt;
    }
    if (handsOn) {
        return std::nullopt;
    }
    scheduledNapController_.arm(uptime + scheduledNapAnnouncementLead, schedule.duration);
    std::string announcement(phrase(settings_->phrasePack, PhraseSlot::napInvitation));
    markScheduledNapDayFired(now);
    return ReminderEvent::fixedMessage(std::move(announcement));
}

void PurloRuntime::applyTypingMonitorGate(bool paused, bool quietHoursActive) {
    const bool shouldRun = settings_->typingReactionsEnabled && !paused && !quietHoursActive;
    if (typingMonitorShouldBeRunning_ == shouldRun) {
        // A listener that could not start (no permission yet) is tried again each time.
        if (shouldRun && !typingMonitor_->isRunning()) {
            typingMonitor_->start();
        }
        return;
    }
    typingMonitorShouldBeRunning_ = shouldRun;
    if (shouldRun) {
        typingMonitor_->start();
    } else {
        typingMonitor_->stop();
    }
}

void PurloRuntime::updateZoomiesDash(CatPose previousPose, CatPose newPose, double uptime) {
    if (newPose == CatPose::zoomies && previousPose != CatPose::zoomies) {
        startZoomiesDash(uptime);
    } else if (previousPose == CatPose::zoomies && newPose != CatPose::zoomies) {
        // Caught by a drag or a pet, she stays where the user caught her.
        const bool caught =
            newPose == CatPose::drag ||
            (newPose == CatPose::purr && handsOnWithin(zoomiesHandsOnWindow, uptime));
        endZoomiesDash(!caught);
    }
}

void PurloRuntime::startZoomiesDash(double uptime) {
    zoomiesDashHome_ = scene_->position;
    zoomiesDashStartedAt_ = uptime;
    zoomiesDashTimer_ =
        loop_.scheduleRepeating(zoomiesDashInterval, [this] { zoomiesDashTimerFired(); });
}

void PurloRuntime::zoomiesDashTimerFired() {
    stepZoomiesDash();
}

void PurloRuntime::stepZoomiesDash() {
    if (!zoomiesDashHome_) {
        endZoomiesDash(false);
        return;
    }
    const double uptime = clock_.uptime();
    const double elapsed = uptime - zoomiesDashStartedAt_;
    if (elapsed >= zoomiesDashLength) {
        endZoomiesDash(true);
        return;
    }
    const Point home = *zoomiesDashHome_;
    const Rect screen = ScreenFrameResolver::screenFrame(visibleScreenFrames(uptime), home, home,
                                                         companionPanelSize);
    const double x =
        PurloBehaviorEngine::zoomiesDashPosition(elapsed, home.x, screen, companionPanelSize.width)
            .x;
    placeCompanion(Point{x, home.y});
}

void PurloRuntime::endZoomiesDash(bool returnHome) {
    zoomiesDashTimer_.cancel();
    const Point target = returnHome && zoomiesDashHome_ ? *zoomiesDashHome_ : scene_->position;
    placeCompanion(target);
    zoomiesDashHome_.reset();
}

void PurloRuntime::refreshInputMonitoringIfDue(double uptime) {
    if (lastPeriodicPrivacyRefresh_ &&
        uptime - *lastPeriodicPrivacyRefresh_ < inputMonitoringRefreshInterval) {
        return;
    }
    lastPeriodicPrivacyRefresh_ = uptime;
    publishInputMonitoringGrant(keyEvents_.listenAccessGranted());
}

} // namespace purlo
