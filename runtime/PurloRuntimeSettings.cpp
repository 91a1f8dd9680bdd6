#include "runtime/LaunchAtLogin.h"
#include "runtime/PurloRuntime.h"

#include <cctype>
#include <cmath>
#include <utility>

namespace purlo {

void PurloRuntime::setSettings(PurloSettings settings) {
    PurloSettings old = *settings_;
    settings_.set(std::move(settings));
    settingsDidChange(old);
}

void PurloRuntime::settingsDidChange(const PurloSettings& old) {
    // A failed save keeps the stored settings as they were; the value in memory still
    // applies, the user is told, and the next write tries again.
    keepSaveOutcome(PurloSettings::save(*settings_, store_));
    refreshTypingGate();
    const bool agentsEnabled = settings_->localAgentBridgeEnabled;
    if (old.localAgentBridgeEnabled == agentsEnabled) {
        return;
    }
    // Whatever the event file holds now counts as seen, so switching agents off and on
    // never replays an old event.
    agentEventBridge_.reset();
    tickInputCache_.clear();
    agentEventHistory_.set({});
    recheckAgentConnections();
    tickNow();
}

void PurloRuntime::keepSaveOutcome(std::error_code error) {
    if (!error) {
        if (*settingsSaveFailure_) {
            settingsSaveFailure_.set(std::nullopt);
        }
        return;
    }
    std::string message = settingsSaveFailureMessage(error);
    // The same failure again is not news: every later change would repeat it.
    if (*settingsSaveFailure_ == message) {
        return;
    }
    settingsSaveFailure_.set(std::move(message));
    saveFailureShownUntil_ = clock_.uptime() + saveFailureBubbleDuration;
}

std::string PurloRuntime::settingsSaveFailureMessage(std::error_code error) {
    std::string reason = error.message();
    if (!reason.empty()) {
        reason.front() =
            static_cast<char>(std::tolower(static_cast<unsigned char>(reason.front())));
    }
    return "Couldn’t save settings: " + reason;
}

void PurloRuntime::refreshTypingGate() {
    if (!running_) {
        return;
    }
    const Date now = clock_.now();
    applyTypingMonitorGate(settings_->nap.isActive(now),
                           settings_->isQuietHoursActive(minuteOfDay(now)));
}

std::int64_t PurloRuntime::minuteOfDay(Date date) const {
    const double identifier = std::trunc(date.secondsSinceReferenceDate / 60);
    if (cachedMinuteOfDay_ && cachedMinuteOfDayIdentifier_ == identifier) {
        return *cachedMinuteOfDay_;
    }
    cachedMinuteOfDay_ = calendar_.minuteOfDay(date);
    cachedMinuteOfDayIdentifier_ = identifier;
    return *cachedMinuteOfDay_;
}

void PurloRuntime::saveCatProfile(std::string_view name) {
    changeSettings(
        [&](PurloSettings& settings) { settings.saveCurrentLookAsProfile(name, naturalOrder_); });
}

void PurloRuntime::applyCatProfile(const CatProfile& profile) {
    changeSettings([&](PurloSettings& settings) {
        settings.skin = profile.skin;
        settings.pattern = profile.pattern;
        settings.eyeColor = profile.eyeColor;
        settings.accessory = profile.accessory;
        settings.phrasePack = profile.phrasePack;
        settings.companionScale = CatProfile::clampedScale(profile.companionScale);
    });
}

void PurloRuntime::deleteCatProfile(std::string_view id) {
    changeSettings([&](PurloSettings& settings) {
        std::erase_if(settings.savedCatProfiles,
                      [&](const CatProfile& profile) { return profile.id == id; });
    });
}

void PurloRuntime::completeOnboarding() {
    changeSettings([](PurloSettings& settings) { settings.hasCompletedFirstRunOnboarding = true; });
}

void PurloRuntime::markWin(Date now) {
    PurloSettings settings = *settings_;
    const auto win = settings.completionStreak.recordCompletion(now, calendar_);
    setSettings(std::move(settings));
    // A win that could not be kept is not cheered: she says why instead, even where she
    // said it before, since this is the change the user is waiting to see.
    if (*settingsSaveFailure_) {
        saveFailureShownUntil_ = clock_.uptime() + saveFailureBubbleDuration;
        tickNow();
        return;
    }

    std::string text;
    if (!win.isNewDay) {
        text = "win logged";
    } else if (win.current < 2) {
        text = "nice work";
    } else if (win.isNewBest) {
        text = "new best: " + std::to_string(win.current);
    } else {
        text = std::to_string(win.current) + " day streak";
    }
    pendingInteraction_ = CompanionInteraction::confirmedCompletion(
        CompanionMessage{std::move(text), CompanionMessage::Kind::happy});
    tickNow();
}

void PurloRuntime::companionDragBegan() {
    companionDragInProgress_ = true;
    lastHandsOnInteractionAt_ = clock_.uptime();
    pendingInteraction_ = CompanionInteraction::dragBegan();
    tickNow();
}

void PurloRuntime::companionDragMoved(double x, double y) {
    // A point that is not a place would reach the window and the stored placement.
    if (!std::isfinite(x) || !std::isfinite(y)) {
        return;
    }
    lastHandsOnInteractionAt_ = clock_.uptime();
    pendingInteraction_ = CompanionInteraction::dragMoved(Point{x, y});
    tickNow();
}

void PurloRuntime::companionDragEnded() {
    companionDragInProgress_ = false;
    lastHandsOnInteractionAt_ = clock_.uptime();
    pendingInteraction_ = CompanionInteraction::dragEnded();
    tickNow();
    storeCompanionPosition(scene_->position.x, scene_->position.y);
}

void PurloRuntime::setLaunchAtLogin(bool enabled) {
    auto outcome = changeLaunchAtLogin(loginItem_, enabled);
    launchAtLoginEnabled_.set(outcome.launchAtLoginEnabled);
    launchAtLoginError_.set(std::move(outcome.launchAtLoginError));
}

} // namespace purlo
