#include "app/PurloAppDelegate.h"

#include "app/PurloMenuBarController.h"
#include "companion/qt/PurloFontRegistrar.h"
#include "intents/PurloIntentRequest.h"
#include "platform/qt/QtAlertPresenter.h"
#include "runtime/PurloRuntime.h"
#include "ui/OnboardingWindowController.h"

#include <QApplication>

namespace purlo {

PurloAppDelegate::PurloAppDelegate(std::function<PurloRuntime&()> obtainRuntime, const Clock& clock,
                                   DesktopObservers& desktopObservers, DesktopWindowContext context,
                                   FixedWindowHints& windowHints,
                                   std::filesystem::path resourcesFolder,
                                   SettingsWindowActions settingsWindow,
                                   InstallLocationLaunch installLocation)
    : obtainRuntime_(std::move(obtainRuntime))
    , clock_(clock)
    , desktopObservers_(desktopObservers)
    , context_(std::move(context))
    , windowHints_(windowHints)
    , resourcesFolder_(std::move(resourcesFolder))
    , settingsWindow_(std::move(settingsWindow))
    , installLocation_(std::move(installLocation)) {}

PurloAppDelegate::~PurloAppDelegate() = default;

void PurloAppDelegate::applicationDidFinishLaunching() {
    // A companion without a main window: no window closing ends it.
    QApplication::setQuitOnLastWindowClosed(applicationShouldTerminateAfterLastWindowClosed());
    PurloFontRegistrar::shared().registerBundledFonts(resourcesFolder_);

    PurloRuntime& runtime = obtainRuntime_();
    runtime_ = &runtime;
    companionWindowController_ =
        std::make_unique<CompanionWindowController>(runtime, context_, [this] {
            if (settingsWindow_.showAppearance) {
                settingsWindow_.showAppearance();
            }
        });
    butterflyWindowController_ = std::make_unique<ButterflyWindowController>(runtime, context_);
    runtime.start();
    runtime.startAgentIntegrations();
    companionWindowController_->refreshWindow();
    createMenuBarItem();
    showOnboardingIfNeeded();
    handleInstallLocation();
}

// The tray item and its popover are the user's way in while the program has no main
// window.
void PurloAppDelegate::createMenuBarItem() {
    menuBarController_ = std::make_unique<PurloMenuBarController>(
        *runtime_, clock_, context_.loop, context_.appearance, windowHints_);
    menuBarController_->setUserReturned([this] { userReturned(); });
    menuBarController_->setOpenSettings([this] {
        if (settingsWindow_.show) {
            settingsWindow_.show();
        }
    });
}

// A first run opens onboarding here, through its own window controller owned by the
// delegate; until onboarding is completed the cat stays hidden. The program is not
// brought forward for it: the window alone comes to the front.
void PurloAppDelegate::showOnboardingIfNeeded() {
    if (runtime_->settings()->hasCompletedFirstRunOnboarding) {
        return;
    }
    onboardingWindowController_ = std::make_unique<OnboardingWindowController>(
        *runtime_, desktopObservers_, context_.appearance, windowHints_);
    onboardingWindowController_->center();
    onboardingWindowController_->makeKeyAndOrderFront();
}

// Last, once everything else stands: a copy that was just moved ejects the disk image it
// came from, and a copy run from one is offered the move, on the onboarding window when
// that is open.
void PurloAppDelegate::handleInstallLocation() {
    PurloMoveToApplicationsPrompter::handleEjectVolumeArgument(installLocation_.arguments,
                                                               installLocation_.ports);
    moveAlerts_ = std::make_unique<QtAlertPresenter>(
        onboardingWindowController_ ? onboardingWindowController_->window() : nullptr);
    PurloMoveToApplicationsPrompter::promptIfNeeded(installLocation_.ports, *moveAlerts_,
                                                    installLocation_.bundlePath,
                                                    installLocation_.defaults);
}

void PurloAppDelegate::applicationWillTerminate() {
    if (runtime_) {
        runtime_->stop();
    }
}

bool PurloAppDelegate::handleReopen() {
    if (onboardingWindowController_ && !runtime_->settings()->hasCompletedFirstRunOnboarding) {
        onboardingWindowController_->center();
        onboardingWindowController_->makeKeyAndOrderFront();
        return false;
    }
    if (settingsWindow_.show) {
        settingsWindow_.show();
    }
    return false;
}

std::string PurloAppDelegate::handleIntent(std::string_view request) {
    std::string answer = PurloIntentRequest::answer(request, obtainRuntime_());
    // A status report from an agent's hook is no visit from the user.
    const auto intent = PurloIntentRequest::decode(request);
    if (intent && !std::holds_alternative<SetPurloAgentStatusIntent>(*intent)) {
        userReturned();
    }
    return answer;
}

void PurloAppDelegate::userReturned() {
    if (onboardingWindowController_) {
        onboardingWindowController_->bringForwardIfPending();
    }
}

void PurloAppDelegate::appearanceChanged() {
    if (companionWindowController_) {
        companionWindowController_->refreshAppearance();
    }
}

} // namespace purlo
