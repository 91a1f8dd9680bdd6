#include "runtime/PurloRuntime.h"

#include "integrations/PurloUpdateManifestConfiguration.h"
#include "model/PurloSettingsStore.h"
#include "runtime/CompanionPanelGeometry.h"
#include "runtime/TypingActivityMonitor.h"

#include <utility>

namespace purlo {
namespace {

// Where she sits before the first tick: where she was left, else the default, with
// her opening "meow".
CompanionScene initialScene(const PurloSettings& settings) {
    CompanionScene scene;
    scene.position = settings.companionPlacement ? settings.companionPlacement->origin()
                                                 : defaultCompanionOrigin;
    scene.message = CompanionMessage{"meow", CompanionMessage::Kind::soft};
    return scene;
}

std::unique_ptr<PurloUpdateChecking> updateCheckerFor(PurloRuntimeServices& services) {
    if (services.updateChecker) {
        return std::move(services.updateChecker);
    }
    return std::make_unique<PurloUpdateChecker>(
        PurloUpdateManifestConfiguration::fromBundle(services.bundle.information()),
        std::move(services.updateTransport), services.loop);
}

std::unique_ptr<PurloAutomaticUpdating> automaticUpdaterFor(PurloRuntimeServices& services) {
    if (services.automaticUpdater) {
        return std::move(services.automaticUpdater);
    }
    return std::make_unique<PurloSparkleUpdater>(services.bundle.information());
}

} // namespace

PurloRuntime::PurloRuntime(PurloRuntimeServices services)
    : clock_(services.clock)
    , loop_(services.loop)
    , store_(services.store)
    , calendar_(services.calendar)
    , naturalOrder_(services.naturalOrder)
    , keyEvents_(services.keyEvents)
    , pointer_(services.pointer)
    , screens_(services.screens)
    , desktopObserverSource_(services.desktopObservers)
    , appearance_(services.appearance)
    , loginItem_(services.loginItem)
    , urlOpener_(services.urlOpener)
    , pasteboard_(services.pasteboard)
    , savePanel_(services.savePanel)
    , supportFolder_(services.supportFolder)
    , homeFolder_(services.homeFolder)
    , environment_(services.environment)
    , bundle_(services.bundle)
    , ownBundleIdentifier_(bundle_.string("CFBundleIdentifier"))
    , settings_(PurloSettings::load(services.store).settings)
    , scene_(initialScene(*settings_))
    , privacySummary_(PrivacySummary{keyEvents_.listenAccessGranted()})
    , launchAtLoginEnabled_(loginItem_.status() == LoginItemStatus::enabled)
    , updateCheckState_(PurloUpdateCheckState::idle())
    , pointerTracker_(services.pointer)
    , idleTime_(services.idle)
    , typingMonitor_(std::make_unique<TypingActivityMonitor>(keyEvents_, clock_))
    , activeAppSensor_(services.activeApplications)
    , agentEventBridge_(AgentEventBridge::defaultEventFileURL(supportFolder_))
    , updateChecker_(updateCheckerFor(services))
    , automaticUpdater_(automaticUpdaterFor(services)) {
    behaviorEngine_.state.position = scene_->position;
}

PurloRuntime::~PurloRuntime() = default;

void PurloRuntime::setCompanionVisible(bool visible) {
    CompanionScene scene = *scene_;
    scene.isVisible = visible;
    scene_.set(std::move(scene));
}

void PurloRuntime::tickTimerFired() {
    tickNow();
}

void PurloRuntime::tickNow() {
    tick(clock_.now(), clock_.uptime());
}

void PurloRuntime::placeCompanion(Point origin) {
    behaviorEngine_.state.position = origin;
    if (scene_->position != origin) {
        CompanionScene scene = *scene_;
        scene.position = origin;
        scene_.set(std::move(scene));
    }
}

} // namespace purlo
