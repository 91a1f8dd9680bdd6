#pragma once

#include "integrations/AgentBridgeStatus.h"
#include "integrations/AgentConnectionStatus.h"
#include "integrations/AgentIntegrationManager.h"
#include "integrations/PurloAutomaticUpdater.h"
#include "integrations/PurloSupportSnapshot.h"
#include "integrations/PurloUpdateCheckState.h"
#include "integrations/PurloUpdateChecker.h"
#include "model/ActiveAppSnapshot.h"
#include "model/AgentEventSnapshot.h"
#include "model/BehaviorInput.h"
#include "model/CatProfile.h"
#include "model/CompanionInteraction.h"
#include "model/CompanionPresence.h"
#include "model/CompanionScene.h"
#include "model/PrivacySummary.h"
#include "model/PurloBehaviorEngine.h"
#include "model/PurloDiagnosticsSnapshot.h"
#include "model/PurloPrivacyStatus.h"
#include "model/PurloSettings.h"
#include "platform/Published.h"
#include "runtime/ActiveApplicationSensor.h"
#include "runtime/AgentEventBridge.h"
#include "runtime/IdleTimeFollower.h"
#include "runtime/PointerTracker.h"
#include "runtime/PomodoroController.h"
#include "runtime/PurloDiagnosticsRecorder.h"
#include "runtime/PurloRuntimeServices.h"
#include "runtime/PurloRuntimeTickSamples.h"
#include "runtime/ReminderScheduler.h"
#include "runtime/ScheduledNapController.h"
#include "runtime/TypingActivityMonitoring.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace purlo {

// The spine of the program: it owns the user's settings, the cat's mind and every
// sensor and controller, ticks ten times a second on the event loop, carries out the
// user's actions and publishes everything the windows show. Everything runs on the
// event loop's thread; nothing here sleeps or starts a thread.
//
// The published values can be read and watched by anyone; they change only through
// the runtime's own methods.
class PurloRuntime {
public:
    // The wall-clock instant the program was last seen running.
    static constexpr std::string_view lastSeenKey = "PurloCompanionLastSeenAt";
    static constexpr double tickInterval = 0.1;
    // How late a tick may come: it waits for a wake-up of other work (her frames come 12 or
    // 24 times a second) instead of taking one of its own. Half a tick, so that any other
    // timer of the tick's interval and tolerance shares every wake-up with it, whatever
    // their phases; nobody sees her a twentieth of a second late.
    static constexpr double tickTolerance = tickInterval / 2;
    static constexpr double lastSeenStampInterval = 60;
    static constexpr double minimumCompanionScale = 0.75;
    static constexpr double maximumCompanionScale = 1.2;
    // The frontmost application is asked for no more often than this, in seconds.
    static constexpr double activeAppSampleInterval = 2.0;
    static constexpr double screenFramesLifetime = 1.0;
    static constexpr double zoomiesDashInterval = 1.0 / 60.0;
    static constexpr double zoomiesDashLength = 3.6;
    // A pet or drag this recent keeps a dash from walking home.
    static constexpr double zoomiesHandsOnWindow = 3.5;
    // A pet or drag this recent holds an announced nap back.
    static constexpr double scheduledNapHandsOnWindow = 2.4;
    static constexpr double scheduledNapFiringWindow = 900;
    static constexpr double scheduledNapAnnouncementLead = 5.0;
    static constexpr double inputMonitoringRefreshInterval = 1.0;
    static constexpr double permissionPollInterval = 1.0;
    static constexpr int permissionPollLimit = 90;
    // How long the cat's bubble tells of a save that failed, in seconds.
    static constexpr double saveFailureBubbleDuration = 6;

    // The composition root: loads the settings and builds every sensor, controller and
    // service but the agent integration manager. Nothing starts here: no timer, no
    // observer, no key listener.
    explicit PurloRuntime(PurloRuntimeServices services);
    PurloRuntime(const PurloRuntime&) = delete;
    PurloRuntime& operator=(const PurloRuntime&) = delete;
    ~PurloRuntime();

    // What the windows show.
    const Published<CompanionScene>& scene() const { return scene_; }
    const Published<PrivacySummary>& privacySummary() const { return privacySummary_; }
    const Published<PomodoroController::State>& pomodoro() const { return pomodoro_; }
    const Published<std::vector<AgentEventSnapshot>>& agentEventHistory() const {
        return agentEventHistory_;
    }
    const Published<std::vector<AgentConnectionStatus>>& agentConnections() const {
        return agentConnections_;
    }
    const Published<ActiveAppSnapshot>& activeApp() const { return activeApp_; }
    const Published<PurloDiagnosticsSnapshot>& diagnostics() const { return diagnostics_; }
    const Published<bool>& launchAtLoginEnabled() const { return launchAtLoginEnabled_; }
    const Published<std::optional<std::string>>& launchAtLoginError() const {
        return launchAtLoginError_;
    }
    const Published<PurloUpdateCheckState>& updateCheckState() const { return updateCheckState_; }
    const Published<std::optional<std::string>>& supportSnapshotStatus() const {
        return supportSnapshotStatus_;
    }
    const Published<PurloSettings>& settings() const { return settings_; }
    // Why the settings could not be saved, kept from the failed save until one succeeds;
    // the cat says it once, when it is new.
    const Published<std::optional<std::string>>& settingsSaveFailure() const {
        return settingsSaveFailure_;
    }
    // "Couldn’t save settings: no space left on device".
    static std::string settingsSaveFailureMessage(std::error_code error);
    const Published<bool>& companionAcceptsMouse() const { return companionAcceptsMouse_; }

    // Publishes the new settings, then saves them and applies what changed: once per
    // write, also when nothing changed.
    void setSettings(PurloSettings settings);
    // The user's show/hide choice; every tick carries it over.
    void setCompanionVisible(bool visible);

    // Measures the absence, listens to the desktop, starts the tick and ticks once.
    // Does nothing while running.
    void start();
    // Silences this process's agent hooks and undoes everything start did. Harmless
    // when stopped.
    void stop();
    bool isRunning() const { return running_; }

    // One tick at the clock's present time.
    void tickTimerFired();
    // Brings the clock-driven state up to date, samples the world, steps the cat's
    // mind and publishes what changed.
    void tick(Date now, double uptime);

    // The user's actions. Each one ticks at once, so its effect shows in the same turn
    // of the loop.
    void pet();
    void celebrate();
    void stretch();
    // Hands an interaction without payload to the next tick.
    void performInteraction(CompanionInteraction interaction);
    // A first focus session of the configured length (at least a minute) from now.
    void startFocus();
    // Stops a running Pomodoro, a break included; otherwise starts focus.
    void toggleFocus();
    void nap(PurloNapDuration duration, Date now);
    void napUntilWoken();
    void wake();
    bool isNapping() const;
    // Back to the default origin on the pointer's screen.
    void resetPosition();

    // The settings' own actions.
    void saveCatProfile(std::string_view name);
    void applyCatProfile(const CatProfile& profile);
    void deleteCatProfile(std::string_view id);
    void completeOnboarding();
    // Logs a small win and lets the cat cheer with what it meant for the streak.
    void markWin(Date now);
    void companionDragBegan();
    void companionDragMoved(double x, double y);
    void companionDragEnded();
    void setLaunchAtLogin(bool enabled);

    // Starts or stops the key listener from the settings, a nap and quiet hours; only
    // while running.
    void refreshTypingGate();
    // The local minute of the day, 0...1439, worked out again only when the minute
    // changes.
    std::int64_t minuteOfDay(Date date) const;

    // The screens' visible frames, read again at most once a second while there are any.
    const std::vector<Rect>& visibleScreenFrames(double uptime);
    // Moves the companion back onto the screen under the pointer when too little of
    // her panel is left on any screen. Does not tick.
    void placeCompanionIfOffScreen(std::span<const Rect> frames, Point pointer);
    void placeCompanionIfOffScreen(Point pointer);
    void moveCompanion(CompanionScreenCorner corner);
    // Keeps the companion inside the margins after the edge padding changed.
    void reclampCompanionPosition();
    // Remembers the position for the next launch, when it differs from the stored one.
    void storeCompanionPosition(double x, double y);

    // What each signal observes right now, for the support report.
    PurloPrivacyStatus privacyStatus() const;
    // Asks for the right to hear key presses, then watches for it once a second.
    void requestInputMonitoringPermission();
    void startPermissionPolling();
    void addDesktopObservers();
    void removeDesktopObservers();
    void recheckInputMonitoringPermission();
    // After a screen change or a wake: measure the pointer afresh, put the companion
    // back on a screen and tick.
    void handleDesktopChange();
    // Builds the agent integration manager and applies the agent switch.
    void startAgentIntegrations();
    // Applies the agent switch to the coding tools again and publishes how each one
    // stands; nothing happens before the manager is built.
    void recheckAgentConnections();
    AgentBridgeStatus agentBridgeStatus() const;

    // The tick's fixed steps.
    void expireNapIfNeeded(Date now);
    // The announcement of the daily nap when it is made in this call.
    std::optional<ReminderEvent> runScheduledNapStep(Date now, bool quietHoursActive,
                                                     double uptime);
    void applyTypingMonitorGate(bool paused, bool quietHoursActive);
    void updateZoomiesDash(CatPose previousPose, CatPose newPose, double uptime);
    void startZoomiesDash(double uptime);
    void endZoomiesDash(bool returnHome);
    void stepZoomiesDash();
    void zoomiesDashTimerFired();
    void refreshInputMonitoringIfDue(double uptime);

    // Everything the sensors and controllers say about this tick.
    PurloRuntimeTickSamples collectTickSamples(bool napActive, bool quietHoursActive,
                                               std::optional<ReminderEvent> announcement,
                                               double now);
    const AgentEventSnapshot& sampleAgentEvent(bool enabled, double now);
    const ActiveAppSnapshot& sampleActiveApp(bool needed, double now);

    // Updates: the framework is in charge when there is one; otherwise the website is
    // asked when the user wants, one check at a time.
    void checkForUpdates();
    bool canCheckForUpdates() const;
    PurloUpdatePresentation updatePresentation() const;
    bool automaticallyChecksForUpdates() const;
    void setAutomaticallyChecksForUpdates(bool enabled);
    bool automaticallyDownloadsUpdates() const;
    void setAutomaticallyDownloadsUpdates(bool enabled);
    // done, when given, hears whether the browser took the page; without a page to
    // download from nothing is opened and nobody is told.
    void openUpdateDownloadPage(UrlOpener::Done done = {});
    // What the user reads when a website check failed.
    static std::string updateCheckMessage(const PurloUpdateCheckFailure& failure);

    // Support: each action ends by publishing one line in supportSnapshotStatus.
    // Everything the report tells, as it stands now.
    PurloSupportSnapshot makeSupportSnapshot() const;
    // Puts the report on the clipboard.
    void copySupportReport();
    // Asks where to save the report and writes it there whole, or not at all; a
    // cancelled question clears the status.
    void saveSupportReport();
    // Opens a support e-mail in the user's mail program; failing that, puts the
    // support address on the clipboard and says so. done, when given, hears whether the
    // draft opened once the status says it.
    void openSupportEmailDraft(UrlOpener::Done done = {});
    // Puts the support address on the clipboard; returns the line that says so.
    std::string copySupportAddressFallback();
    // "Purlo Support Report 2026-01-13T09-00-00Z.txt": the report's date without the
    // colons that some file systems refuse.
    static std::string supportReportFileName(Date createdAt);

    // The program's name, version and build, as its information keys give them.
    PurloAppInfo appInfo() const;
    // The desktop's clipboard, for the windows' own copy buttons.
    Pasteboard& pasteboard() { return pasteboard_; }
    // Hands a web page to the user's browser; done, when given, hears whether anything
    // took it, perhaps later, on the loop.
    void openURL(const Url& url, UrlOpener::Done done = {});

    // What the runtime holds, for the program's composition and the support report.
    const Clock& clock() const { return clock_; }
    const PurloBehaviorEngine& behaviorEngine() const { return behaviorEngine_; }
    const AgentEventBridge& agentEventBridge() const { return agentEventBridge_; }
    const AgentIntegrationManager* agentIntegrationManager() const {
        return agentIntegrationManager_ ? &*agentIntegrationManager_ : nullptr;
    }
    const PurloAutomaticUpdating& automaticUpdater() const { return *automaticUpdater_; }
    const ScheduledNapController& scheduledNapController() const { return scheduledNapController_; }
    const PurloRuntimeTickInputCache& tickInputCache() const { return tickInputCache_; }
    const TypingActivityMonitoring& typingMonitor() const { return *typingMonitor_; }
    double storedAbsenceSeconds() const { return storedAbsenceSeconds_; }
    bool companionDragInProgress() const { return companionDragInProgress_; }

private:
    void settingsDidChange(const PurloSettings& old);
    void keepSaveOutcome(std::error_code error);
    // Copies the settings, lets change alter the copy and writes it back.
    template <typename Change>
    void changeSettings(Change change) {
        PurloSettings settings = *settings_;
        change(settings);
        setSettings(std::move(settings));
    }
    void tickNow();

    // Puts the engine's position and the published scene's there.
    void placeCompanion(Point origin);
    void markScheduledNapDayFired(Date now);
    bool handsOnWithin(double window, double uptime) const;
    void publishInputMonitoringGrant(bool granted);
    void pollInputMonitoringPermission();

    // The tick's steps that only read and publish.
    void publishSamples(const PurloRuntimeTickSamples& samples);
    void stampLastSeenIfDue(Date now, double uptime);
    void updateMouseAcceptance(double scale, Point mouse);
    bool companionOnScreen() const;
    PointerSnapshot samplePointer(double uptime, bool onScreen, std::optional<double> idle);
    void showPinnedMessage(CompanionScene& next, bool napActive, bool quietHoursActive) const;
    void showSaveFailure(CompanionScene& next, double uptime) const;

    const Clock& clock_;
    EventLoop& loop_;
    KeyValueStore& store_;
    Calendar calendar_;
    NaturalOrder naturalOrder_;
    KeyEventSource& keyEvents_;
    const PointerSource& pointer_;
    const ScreenSource& screens_;
    DesktopObservers& desktopObserverSource_;
    const Appearance& appearance_;
    LoginItem& loginItem_;
    UrlOpener& urlOpener_;
    Pasteboard& pasteboard_;
    SavePanel& savePanel_;
    std::filesystem::path supportFolder_;
    std::filesystem::path homeFolder_;
    Environment environment_;
    Bundle bundle_;
    std::optional<std::string> ownBundleIdentifier_;

    Published<PurloSettings> settings_;
    Published<CompanionScene> scene_;
    Published<PrivacySummary> privacySummary_;
    Published<PomodoroController::State> pomodoro_;
    Published<std::vector<AgentEventSnapshot>> agentEventHistory_;
    Published<std::vector<AgentConnectionStatus>> agentConnections_;
    Published<ActiveAppSnapshot> activeApp_;
    Published<PurloDiagnosticsSnapshot> diagnostics_;
    Published<bool> launchAtLoginEnabled_;
    Published<std::optional<std::string>> launchAtLoginError_;
    Published<PurloUpdateCheckState> updateCheckState_;
    Published<std::optional<std::string>> supportSnapshotStatus_;
    Published<std::optional<std::string>> settingsSaveFailure_;
    Published<bool> companionAcceptsMouse_{true};

    std::optional<AgentIntegrationManager> agentIntegrationManager_;
    PurloBehaviorEngine behaviorEngine_;
    PointerTracker pointerTracker_;
    IdleTimeFollower idleTime_;
    bool pointerFollowed_ = true; // whether the last tick read the pointer as she looked
    std::unique_ptr<TypingActivityMonitoring> typingMonitor_;
    ActiveApplicationSensor activeAppSensor_;
    AgentEventBridge agentEventBridge_;
    ReminderScheduler reminderScheduler_;
    ScheduledNapController scheduledNapController_;
    PomodoroController pomodoroController_;
    bool companionDragInProgress_ = false;
    double storedAbsenceSeconds_ = 0;
    double lastSeenStampedAt_ = 0;
    // Declared after the update state they report into, so a pending check never
    // outlives it.
    std::unique_ptr<PurloUpdateChecking> updateChecker_;
    std::unique_ptr<PurloAutomaticUpdating> automaticUpdater_;
    PurloDiagnosticsRecorder diagnosticsRecorder_;
    PurloRuntimeTickInputCache tickInputCache_;
    Cancellable tickTimer_;
    Cancellable zoomiesDashTimer_;
    double zoomiesDashStartedAt_ = 0;
    std::optional<Point> zoomiesDashHome_; // present exactly while a dash runs
    double lastHandsOnInteractionAt_ = -1000.0;
    double saveFailureShownUntil_ = 0; // uptime
    std::vector<Cancellable> desktopObservers_;
    Cancellable privacyRefreshTask_;
    int permissionPollAttempts_ = 0;
    std::optional<double> lastPeriodicPrivacyRefresh_;
    std::optional<double> lastVisibleScreenFramesRefresh_;
    std::vector<Rect> cachedVisibleScreenFrames_;
    mutable std::optional<std::int64_t> cachedMinuteOfDay_;
    // Whole minutes since the reference date; a double, so no date is out of range.
    mutable std::optional<double> cachedMinuteOfDayIdentifier_;
    std::optional<bool> typingMonitorShouldBeRunning_; // nothing: not decided yet
    std::optional<CompanionInteraction> pendingInteraction_;
    bool running_ = false;
    // The engine's input, kept between ticks only so that its texts reuse their storage.
    BehaviorInput behaviorInput_;
};

} // namespace purlo
