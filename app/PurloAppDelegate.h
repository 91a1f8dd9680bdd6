#pragma once

#include "companion/qt/ButterflyWindowController.h"
#include "companion/qt/CompanionWindowController.h"
#include "companion/qt/DesktopWindowContext.h"
#include "integrations/PurloMoveToApplicationsPrompter.h"
#include "platform/Clock.h"
#include "platform/DesktopObservers.h"
#include "platform/FixedWindowHints.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace purlo {

class OnboardingWindowController;
class PurloMenuBarController;
class PurloRuntime;
class QtAlertPresenter;

// How the shell opens the one Settings window: as the user left it, or on the
// appearance tab. An empty action opens nothing.
struct SettingsWindowActions {
    std::function<void()> show;
    std::function<void()> showAppearance;
};

// What the last two launch steps need: the process's arguments (for a volume to eject),
// where the program is installed, the store that remembers a declined offer to move it
// and the system's side of such a move. Everything referred to must outlive the
// delegate.
struct InstallLocationLaunch {
    std::vector<std::string> arguments;
    std::string bundlePath;
    KeyValueStore& defaults;
    PurloMoveToApplicationsPorts ports;
};

// The program's shell: once the application object runs, it brings everything up in a
// fixed order, stops the runtime when the program ends, and answers a second start by
// showing onboarding or Settings. It owns the windows it makes for the life of the
// program.
class PurloAppDelegate {
public:
    // obtainRuntime builds the runtime on its first call (after the fonts are known)
    // and returns the same one after that; windowHints serve the windows of fixed size.
    // Everything given must outlive the delegate.
    PurloAppDelegate(std::function<PurloRuntime&()> obtainRuntime, const Clock& clock,
                     DesktopObservers& desktopObservers, DesktopWindowContext context,
                     FixedWindowHints& windowHints, std::filesystem::path resourcesFolder,
                     SettingsWindowActions settingsWindow, InstallLocationLaunch installLocation);
    PurloAppDelegate(const PurloAppDelegate&) = delete;
    PurloAppDelegate& operator=(const PurloAppDelegate&) = delete;
    ~PurloAppDelegate();

    // The launch, in order: fonts, runtime, the cat's and the butterfly's windows,
    // runtime start, agent integrations, the cat's first placement, the tray item,
    // onboarding, a volume to eject, and the offer to move into the Applications folder.
    void applicationDidFinishLaunching();
    // Silences the agent hooks and stops the runtime.
    void applicationWillTerminate();
    // Closing the last window never ends the program: the cat has none to close.
    bool applicationShouldTerminateAfterLastWindowClosed() const { return false; }
    // A second start of the program: onboarding while it is pending, else Settings.
    // Always false, as the platform's reopen answer is.
    bool handleReopen();
    // An action asked of the running program ("purlo intent ..."): performs it and
    // gives the answer to send back. One that acts on her is the user coming back.
    std::string handleIntent(std::string_view request);
    // The user came back to Purlo (the paw, "Settings…", an action for her): while
    // onboarding is pending, its window comes back in front, even after its close
    // button hid it. Linux tells a program no more than that it became active.
    void userReturned();
    // The desktop's look changed.
    void appearanceChanged();

    CompanionWindowController* companionWindowController() const {
        return companionWindowController_.get();
    }
    ButterflyWindowController* butterflyWindowController() const {
        return butterflyWindowController_.get();
    }
    PurloMenuBarController* menuBarController() const { return menuBarController_.get(); }
    // Made at launch only while onboarding is pending; kept for the rest of the run.
    OnboardingWindowController* onboardingWindowController() const {
        return onboardingWindowController_.get();
    }

private:
    void createMenuBarItem();
    void showOnboardingIfNeeded();
    void handleInstallLocation();

    std::function<PurloRuntime&()> obtainRuntime_;
    const Clock& clock_;
    DesktopObservers& desktopObservers_;
    DesktopWindowContext context_;
    FixedWindowHints& windowHints_;
    std::filesystem::path resourcesFolder_;
    SettingsWindowActions settingsWindow_;
    InstallLocationLaunch installLocation_;
    PurloRuntime* runtime_ = nullptr; // once launched
    std::unique_ptr<CompanionWindowController> companionWindowController_;
    std::unique_ptr<ButterflyWindowController> butterflyWindowController_;
    std::unique_ptr<PurloMenuBarController> menuBarController_;
    std::unique_ptr<OnboardingWindowController> onboardingWindowController_;
    // The offer to move, on the onboarding window when there is one.
    std::unique_ptr<QtAlertPresenter> moveAlerts_;
};

} // namespace purlo
