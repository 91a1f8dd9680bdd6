#include "app/PurloComposition.h"

#include "app/LoadedUpdateTransport.h"
#include "base/NaturalOrder.h"
#include "platform/AtomicFile.h"
#include "platform/qt/QtBackgroundRunner.h"
#include "runtime/PurloRuntime.h"

#include <QCoreApplication>
#include <QGuiApplication>

namespace purlo {
namespace {

// The toolkit's own Xlib connection; none on another platform than X11.
_XDisplay* toolkitDisplay() {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->display() : nullptr;
}

// The toolkit's own xcb connection; none on another platform than X11.
xcb_connection_t* toolkitConnection() {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

} // namespace

PurloComposition::PurloComposition(Environment environment, std::filesystem::path executable)
    : environment_(std::move(environment))
    , executable_(std::move(executable))
    , bundle_(Bundle::fromExecutableFolder(executable_.parent_path()))
    , locale_(UserLocale::fromEnvironment(environment_))
    , calendar_(Calendar::current(locale_.time))
    , store_(configFolder(environment_))
    , display_(environmentValue(environment_, "DISPLAY"))
    , keyEvents_(loop_, environmentValue(environment_, "DISPLAY"))
    , activeApplications_(display_)
    , idle_(display_)
    , panelHints_(display_)
    , fixedWindowHints_(toolkitDisplay())
    , windowPixels_(toolkitConnection())
    , pointer_([this] { return x11PointerPosition(display_); })
    , desktopObservers_(loop_)
    , loginItem_(autostartFolder(environment_), executable_)
    , workspace_(loop_, executable_.filename().string()) {}

PurloComposition::~PurloComposition() = default;

PurloRuntime& PurloComposition::runtime() {
    if (!runtime_) {
        // What a write killed halfway left behind goes before anything is read.
        store_.removeStaleTemporaryFiles();
        removeStaleTemporaryFiles(loginItem_.entryFile());
        runtime_ = std::make_unique<PurloRuntime>(PurloRuntimeServices{
            .clock = clock_,
            .loop = loop_,
            .store = store_,
            .calendar = calendar_,
            .naturalOrder = NaturalOrder(locale_.collation),
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
            .updateTransport = loadedUpdateTransport(executable_.parent_path()),
            .updateChecker = nullptr,
            .automaticUpdater = nullptr,
        });
    }
    return *runtime_;
}

PurloMoveToApplicationsPorts PurloComposition::moveToApplicationsPorts() {
    return {
        .probe = installLocationProbe_,
        .files = files_,
        .workspace = workspace_,
        .loop = loop_,
        .inBackground = qtBackgroundRunner(),
        // Through the application's quit, so the shell stops the runtime on the way out.
        .terminate = [] { QCoreApplication::quit(); },
        .homeFolder = homeFolder(environment_),
    };
}

DesktopWindowContext PurloComposition::windowContext() {
    return DesktopWindowContext{loop_, panelHints_, appearance_,
                                bundle_.string("CFBundleIdentifier"), &windowPixels_};
}

} // namespace purlo
