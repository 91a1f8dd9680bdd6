#pragma once

#include "base/Bundle.h"
#include "base/Calendar.h"
#include "companion/qt/DesktopWindowContext.h"
#include "integrations/PurloMoveToApplicationsPrompter.h"
#include "platform/AutostartLoginItem.h"
#include "platform/Clock.h"
#include "platform/Environment.h"
#include "platform/FileKeyValueStore.h"
#include "platform/InstallLocationProbe.h"
#include "platform/UserLocale.h"
#include "platform/qt/QtAppearance.h"
#include "platform/qt/QtApplicationWorkspace.h"
#include "platform/qt/QtDesktopObservers.h"
#include "platform/qt/QtEventLoop.h"
#include "platform/qt/QtFileManager.h"
#include "platform/qt/QtPasteboard.h"
#include "platform/qt/QtPointerSource.h"
#include "platform/qt/QtSavePanel.h"
#include "platform/qt/QtScreenSource.h"
#include "platform/qt/QtUrlOpener.h"
#include "platform/x11/X11ActiveAppSource.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11FixedWindowHints.h"
#include "platform/x11/X11IdleSource.h"
#include "platform/x11/X11KeyEventSource.h"
#include "platform/x11/X11PanelHints.h"
#include "platform/x11/X11PointerPosition.h"
#include "platform/x11/X11WindowPixels.h"

#include <filesystem>
#include <memory>

namespace purlo {

class PurloRuntime;

// The real program's parts: the desktop's ports over Qt, X11 and the XDG folders, and
// the one runtime built from them. Everything lives as long as the composition, and the
// runtime goes first.
class PurloComposition {
public:
    // environment: the process's; executable: the program's own file, beside which its
    // information keys and fonts are installed. Needs the application object.
    PurloComposition(Environment environment, std::filesystem::path executable);
    PurloComposition(const PurloComposition&) = delete;
    PurloComposition& operator=(const PurloComposition&) = delete;
    ~PurloComposition();

    // Built on first use: loads the settings and builds every sensor and controller.
    PurloRuntime& runtime();

    const Clock& clock() const { return clock_; }
    // The user's calendar, in the local zone with the week of the locale the environment
    // names for dates and times.
    const Calendar& calendar() const { return calendar_; }
    EventLoop& loop() { return loop_; }
    QtAppearance& appearance() { return appearance_; }
    DesktopObservers& desktopObservers() { return desktopObservers_; }
    DesktopWindowContext windowContext();
    // What the window manager is told about the Settings and onboarding windows.
    FixedWindowHints& fixedWindowHints() { return fixedWindowHints_; }
    // The folder of the program's resources: its information keys and "Fonts". It
    // stands where another system keeps the application bundle.
    std::filesystem::path resourcesFolder() const { return executable_.parent_path(); }
    // The program's small preferences, the settings among them.
    KeyValueStore& store() { return store_; }
    // What a move into the Applications folder would need; on Linux no move is offered.
    PurloMoveToApplicationsPorts moveToApplicationsPorts();

private:
    Environment environment_;
    std::filesystem::path executable_;
    Bundle bundle_;
    SystemClock clock_;
    // Both follow the locales the environment names, never a process-wide default.
    UserLocale locale_;
    Calendar calendar_;
    QtEventLoop loop_;
    FileKeyValueStore store_;
    // The sensors' and the panels' own connection to the display the windows are on.
    X11Connection display_;
    X11KeyEventSource keyEvents_;
    X11ActiveAppSource activeApplications_;
    X11IdleSource idle_;
    X11PanelHints panelHints_;
    // On the toolkit's own connection, whose hints they replace.
    X11FixedWindowHints fixedWindowHints_;
    // Also on the toolkit's connection, so that her frames and its painting of her
    // window reach the server in order.
    X11WindowPixels windowPixels_;
    // Read on the sensors' connection: one thread wakes for the answer, not two.
    QtPointerSource pointer_;
    QtScreenSource screens_;
    QtDesktopObservers desktopObservers_;
    QtAppearance appearance_;
    QtUrlOpener urlOpener_;
    QtPasteboard pasteboard_;
    QtSavePanel savePanel_;
    AutostartLoginItem loginItem_;
    LinuxInstallLocationProbe installLocationProbe_;
    QtFileManager files_;
    QtApplicationWorkspace workspace_;
    std::unique_ptr<PurloRuntime> runtime_;
};

} // namespace purlo
