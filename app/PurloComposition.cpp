#include "app/PurloComposition.h"

#include "integrations/qt/QtUpdateTransport.h"
#include "model/Calendar.h"
#include "runtime/PurloRuntime.h"

namespace purlo {

PurloComposition::PurloComposition(Environment environment, std::filesystem::path executable)
    : environment_(std::move(environment))
    , executable_(std::move(executable))
    , bundle_(Bundle::fromExecutableFolder(executable_.parent_path()))
    , store_(configFolder(environment_))
    , display_(environmentValue(environment_, "DISPLAY"))
    , keyEvents_(loop_, environmentValue(environment_, "DISPLAY"))
    , activeApplications_(display_)
    , idle_(display_)
    , panelHints_(display_)
    , desktopObservers_(loop_)
    , loginItem_(autostartFolder(environment_), executable_) {}

PurloComposition::~PurloComposition() = default;

PurloRuntime& PurloComposition::runtime() {
    if (!runtime_) {
        runtime_ = std::make_unique<PurloRuntime>(PurloRuntimeServices{
            .clock = clock_,
            .loop = loop_,
            .store = store_,
            .calendar = Calendar::current(),
            .keyEvents = keyEvents_,
            .pointer = pointer_,
            .activeApplications = activeApplications_,
            .idle = idle_,
            .screens = screens_,
            .desktopObservers = desktopObservers_,
            .appearance = appearance_,
            .loginItem = loginItem_,
            .urlOpener = urlOpener_,
            .pasteboard = pasteboard_,
            .savePanel = savePanel_,
            .supportFolder = supportFolder(environment_),
            .homeFolder = homeFolder(environment_),
            .environment = environment_,
            .bundle = bundle_,
            .updateTransport = makeQtUpdateTransport(),
            .updateChecker = nullptr,
            .automaticUpdater = nullptr,
        });
    }
    return *runtime_;
}

DesktopWindowContext PurloComposition::windowContext() {
    return DesktopWindowContext{loop_, panelHints_, appearance_,
                                bundle_.string("CFBundleIdentifier")};
}

} // namespace purlo
