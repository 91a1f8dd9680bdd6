#include "platform/AtomicFile.h"
#include "runtime/PurloRuntime.h"

#include <algorithm>

namespace purlo {

void PurloRuntime::start() {
    if (running_) {
        return;
    }
    running_ = true;

    const Date now = clock_.now();
    if (const auto lastSeen = store_.date(lastSeenKey)) {
        // A date in the future means the clock was set back: no absence, never a negative one.
        storedAbsenceSeconds_ = std::max(0.0, now.secondsSince(*lastSeen));
    }
    store_.setDate(lastSeenKey, now);
    // Just stamped: the first tick has no reason to write it again.
    lastSeenStampedAt_ = clock_.uptime();

    refreshTypingGate();
    addDesktopObservers();
    removeStaleTemporaryFiles(agentEventBridge_.eventFileURL());
    agentEventBridge_.reset();
    diagnosticsRecorder_.reset();
    diagnostics_.set(PurloDiagnosticsSnapshot{});
    const double uptime = clock_.uptime();
    reminderScheduler_.reset(*settings_, uptime);
    scheduledNapController_.disarm();
    pointerTracker_.seed(uptime);
    placeCompanionIfOffScreen(pointer_.location());
    tickTimer_ = loop_.scheduleRepeatingWithTolerance(tickInterval, tickTolerance,
                                                      [this] { tickTimerFired(); });
    tickNow();
}

void PurloRuntime::stop() {
    // First, so the installed hooks fall silent even if the rest goes wrong. Only this
    // process's own gate goes; another running copy keeps its hooks.
    if (agentIntegrationManager_) {
        agentIntegrationManager_->removeGate();
    }
    tickTimer_.cancel();
    // A running dash simply stops where it is.
    zoomiesDashTimer_.cancel();
    zoomiesDashHome_.reset();
    removeDesktopObservers();
    privacyRefreshTask_.cancel();
    typingMonitor_->stop();
    scheduledNapController_.disarm();
    running_ = false;
    diagnosticsRecorder_.reset();
    tickInputCache_.clear();
    activeApp_.set(ActiveAppSnapshot{});
    lastPeriodicPrivacyRefresh_.reset();
    lastVisibleScreenFramesRefresh_.reset();
    cachedVisibleScreenFrames_.clear();
    cachedMinuteOfDay_.reset();
    cachedMinuteOfDayIdentifier_.reset();
    // Undecided, so the next start switches the listener on or off whatever it was.
    typingMonitorShouldBeRunning_.reset();
}

} // namespace purlo
