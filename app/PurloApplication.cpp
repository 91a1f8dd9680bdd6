#include "app/PurloApplication.h"

#include "app/BrokenPipes.h"
#include "app/DisplayCheck.h"
#include "app/IntentCommand.h"
#include "app/PurloAppDelegate.h"
#include "app/PurloComposition.h"
#include "app/PurloSettingsWindowPresenter.h"
#include "app/SingleInstance.h"
#include "app/SocketPlace.h"
#include "app/StandardError.h"
#include "app/StartupEnvironmentDefault.h"
#include "app/TerminationSignals.h"
#include "platform/Environment.h"
#include "ui/FieldLineEditAccessible.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <malloc.h>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace purlo {
namespace {

std::filesystem::path executablePath(const char* argument0) {
    std::error_code error;
    const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::absolute(argument0, error) : path;
}

// The allocator's own starting threshold, kept fixed.
constexpr int largeBlockBytes = 128 * 1024;

constexpr std::string_view alreadyStarting =
    "Purlo is starting already, but did not answer in time; try again in a moment.";

QString socketName(const SocketPlace& place) {
    return QString::fromStdString(place.socket().string());
}

// The exit status of a start that is not the user's first; nothing for the first.
std::optional<int> secondStartStatus(SingleInstance& instance, const SocketPlace& place) {
    switch (instance.start(socketName(place), place.lock())) {
    case SingleInstance::Start::first:
        return std::nullopt;
    case SingleInstance::Start::handedOver:
        return 0;
    case SingleInstance::Start::unanswered:
        tellOnStandardError(alreadyStarting);
        return 1;
    }
    return std::nullopt;
}

// Listens for a second start and for actions. False when, where no lock could be had,
// another copy started at the same moment won and took this one's reopen; a socket that
// cannot be made is said, and she runs all the same.
bool serve(SingleInstance& instance, const SocketPlace& place, PurloAppDelegate& delegate,
           PurloComposition& composition) {
    const QString channel = socketName(place);
    const auto answerIntent = [&delegate](std::string_view request) {
        return delegate.handleIntent(request);
    };
    if (instance.listen(
            channel, composition.loop(), [&delegate] { delegate.handleReopen(); }, answerIntent)) {
        return true;
    }
    if (SingleInstance::handOver(channel)) {
        return false;
    }
    tellOnStandardError(
        unreachableWarning(channel.toStdString() + ": " + instance.errorString().toStdString()));
    return true;
}

} // namespace

int runPurloApplication(int argc, char** argv) {
    // The windows' pictures are plain allocations, not shared memory (below), and Settings'
    // alone is nearly 2 MB. Left to itself the allocator raises its threshold for mapping
    // a block on its own after the first such block is freed, and keeps later ones in the
    // heap after their window closes; a fixed threshold gives each one back when it goes.
    mallopt(M_MMAP_THRESHOLD, largeBlockBytes);
    const Environment environment = processEnvironment();
    if (isIntentCommand(argc, argv)) {
        return runIntentCommand(argc, argv, environment);
    }
    letWritesToBrokenConnectionsFail();
    // As started, before the toolkit takes the options that are its own.
    std::vector<std::string> arguments(argv, argv + argc);
    HeldDisplayConnection display;
    if (const auto problem = displayProblem(
            environment, [&display](const std::string& name) { return display.open(name); })) {
        tellOnStandardError(*problem);
        return 1;
    }
    // Only where the user named no platform of their own.
    setenv("QT_QPA_PLATFORM", std::string(defaultQtPlatform).c_str(), 0);

    // Her window changes a few small rectangles many times a second. Handed over through
    // shared memory, each frame first waits for the display to confirm it has read the last
    // one, a round trip that wakes two threads; sent inside the request, a frame waits for
    // nothing, and the copy of those few rectangles costs less than the wait.
    StartupEnvironmentDefault framesInRequests("QT_XCB_NO_MITSHM", "1");
    QApplication application(argc, argv);
    framesInRequests.takeBack();
    display.release();
    QApplication::setApplicationName("Purlo");
    QApplication::setDesktopFileName("purlo");
    // Before any window: the dialogs Qt makes for the program show line edits of Qt's own.
    editLineEditsAccessibly();

    const SocketPlace place = SocketPlace::of(environment);
    const auto unsafe = place.secure(getuid());
    if (unsafe) {
        tellOnStandardError(*unsafe);
    }
    // Held until the program ends: the lock that made this start the first.
    SingleInstance instance;
    if (const auto status = unsafe ? std::nullopt : secondStartStatus(instance, place)) {
        return *status;
    }

    PurloComposition composition(environment, executablePath(argc > 0 ? argv[0] : "purlo"));
    const SettingsWindowActions settingsWindow{
        [&composition] {
            PurloSettingsWindowPresenter::shared().show(std::nullopt, composition.runtime(),
                                                        composition.appearance(),
                                                        composition.fixedWindowHints());
        },
        [&composition] {
            PurloSettingsWindowPresenter::shared().show(
                SettingsSectionTab::appearance, composition.runtime(), composition.appearance(),
                composition.fixedWindowHints());
        }};
    PurloAppDelegate delegate([&composition]() -> PurloRuntime& { return composition.runtime(); },
                              composition.clock(), composition.desktopObservers(),
                              composition.windowContext(), composition.fixedWindowHints(),
                              composition.resourcesFolder(), settingsWindow,
                              {std::move(arguments), composition.resourcesFolder().string(),
                               composition.store(), composition.moveToApplicationsPorts()});

    if (!unsafe && !serve(instance, place, delegate, composition)) {
        return 0;
    }
    const TerminationSignals signals(composition.loop(), [] { QCoreApplication::quit(); });
    QObject::connect(&application, &QCoreApplication::aboutToQuit,
                     [&delegate] { delegate.applicationWillTerminate(); });
    QObject::connect(&composition.appearance(), &QtAppearance::changed,
                     [&delegate] { delegate.appearanceChanged(); });

    delegate.applicationDidFinishLaunching();
    return QApplication::exec();
}

} // namespace purlo
