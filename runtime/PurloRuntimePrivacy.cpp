#include "model/PurloPrivacySignal.h"
#include "runtime/PurloRuntime.h"

namespace purlo {

PurloPrivacyStatus PurloRuntime::privacyStatus() const {
    using Signal = PurloPrivacySignal;
    const Date now = clock_.now();
    const PurloSettings& settings = *settings_;
    const bool napping = settings.nap.isActive(now);
    const bool quiet = settings.isQuietHoursActive(minuteOfDay(now));
    // The grant as last published: a change shows after the next check has noticed it.
    const bool granted = privacySummary_->inputMonitoringGranted;
    return PurloPrivacyStatus{{
        Signal::cursorAttentionSignal(settings, napping, quiet),
        Signal::typingRhythmSignal(settings, napping, quiet, granted),
        Signal::appContextSignal(settings, napping, quiet),
        Signal::localAgentBridgeSignal(settings, napping),
        Signal::motivationSignal(settings, napping, quiet),
        Signal::privateContentSignal(),
    }};
}

void PurloRuntime::publishInputMonitoringGrant(bool granted) {
    if (granted == privacySummary_->inputMonitoringGranted) {
        return;
    }
    privacySummary_.set(PrivacySummary{granted});
    refreshTypingGate();
}

void PurloRuntime::requestInputMonitoringPermission() {
    keyEvents_.requestListenAccess();
    publishInputMonitoringGrant(keyEvents_.listenAccessGranted());
    startPermissionPolling();
}

void PurloRuntime::startPermissionPolling() {
    // A new request counts its checks afresh; the handle replaced here cancels the old poll.
    permissionPollAttempts_ = 0;
    privacyRefreshTask_ = loop_.scheduleRepeating(permissionPollInterval,
                                                  [this] { pollInputMonitoringPermission(); });
}

void PurloRuntime::pollInputMonitoringPermission() {
    publishInputMonitoringGrant(keyEvents_.listenAccessGranted());
    permissionPollAttempts_ += 1;
    if (privacySummary_->inputMonitoringGranted || permissionPollAttempts_ >= permissionPollLimit) {
        privacyRefreshTask_.cancel();
    }
}

void PurloRuntime::recheckInputMonitoringPermission() {
    publishInputMonitoringGrant(keyEvents_.listenAccessGranted());
}

} // namespace purlo
