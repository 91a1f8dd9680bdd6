#pragma once

#include "base/Bundle.h"
#include "base/Calendar.h"
#include "base/KeyValueStore.h"
#include "base/NaturalOrder.h"
#include "integrations/PurloAutomaticUpdater.h"
#include "integrations/PurloUpdateChecker.h"
#include "integrations/PurloUpdateTransport.h"
#include "platform/ActiveAppSource.h"
#include "platform/Appearance.h"
#include "platform/Clock.h"
#include "platform/DesktopObservers.h"
#include "platform/Environment.h"
#include "platform/EventLoop.h"
#include "platform/IdleSource.h"
#include "platform/KeyEventSource.h"
#include "platform/LoginItem.h"
#include "platform/Pasteboard.h"
#include "platform/PointerSource.h"
#include "platform/SavePanel.h"
#include "platform/ScreenSource.h"
#include "platform/UrlOpener.h"

#include <filesystem>
#include <memory>

namespace purlo {

// Everything the runtime is built from: the desktop's ports, the folders and the
// program's information. The program passes the real ones, a test passes fakes. The
// ports must outlive the runtime.
struct PurloRuntimeServices {
    const Clock& clock;
    EventLoop& loop;
    // The settings and the last-seen date.
    KeyValueStore& store;
    // The user's calendar, for the minute of the day, quiet hours, the scheduled nap
    // and the days of the win streak.
    Calendar calendar;
    // The user's order of names, for the saved looks.
    NaturalOrder naturalOrder;

    KeyEventSource& keyEvents;
    const PointerSource& pointer;
    const ActiveAppSource& activeApplications;
    const IdleSource& idle;
    const ScreenSource& screens;
    DesktopObservers& desktopObservers;
    const Appearance& appearance;
    LoginItem& loginItem;
    UrlOpener& urlOpener;
    Pasteboard& pasteboard;
    // Asks where a support report goes.
    SavePanel& savePanel;

    // Holds the agent event file and the integrations' files.
    std::filesystem::path supportFolder;
    std::filesystem::path homeFolder;
    Environment environment;
    Bundle bundle;

    // How the website update check fetches the manifest.
    PurloUpdateTransport updateTransport;
    // Replacements for the update services; when absent the runtime builds the website
    // checker over updateTransport and the framework wrapper from the bundle.
    std::unique_ptr<PurloUpdateChecking> updateChecker;
    std::unique_ptr<PurloAutomaticUpdating> automaticUpdater;
};

} // namespace purlo
