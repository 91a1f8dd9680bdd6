#include "app/PurloApplication.h"

#include "app/DisplayCheck.h"
#include "app/IntentCommand.h"
#include "app/PurloAppDelegate.h"
#include "app/PurloComposition.h"
#include "app/PurloSettingsWindowPresenter.h"
#include "app/SingleInstance.h"
#include "app/TerminationSignals.h"
#include "intents/PurloIntentRequest.h"
#include "platform/Environment.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace purlo {
namespace {

std::filesystem::path executablePath(const char* argument0) {
    std::error_code error;
    const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::absolute(argument0, error) : path;
}

} // namespace

int runPurloApplication(int argc, char** argv) {
    const Environment environment = processEnvironment();
    if (isIntentCommand(argc, argv)) {
        return runIntentCommand(argc, argv, environment);
    }
    // As started, before the toolkit takes the options that are its own.
    std::vector<std::string> arguments(argv, argv + argc);
    HeldDisplayConnection display;
    if (const auto problem = displayProblem(
            environment, [&display](const std::string& name) { return display.open(name); })) {
        std::fprintf(stderr, "%s\n", problem->c_str());
        return 1;
    }
    // Only where the user named no platform of their own.
    setenv("QT_QPA_PLATFORM", std::string(defaultQtPlatform).c_str(), 0);

    QApplication application(argc, argv);
    display.release();
    QApplication::setApplicationName("Purlo");
    QApplication::setDesktopFileName("purlo");

    const QString channel = SingleInstance::socketName(environment);
    if (SingleInstance::handOver(channel)) {
        return 0;
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

    SingleInstance instance;
    const auto answerIntent = [&composition](std::string_view request) {
        return PurloIntentRequest::answer(request, composition.runtime());
    };
    if (!instance.listen(
            channel, [&delegate] { delegate.handleReopen(); }, answerIntent)) {
        // Another copy started at the same moment and won.
        return SingleInstance::handOver(channel) ? 0 : 1;
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
