#pragma once

#include "model/PurloSettingsStore.h"
#include "runtime/PurloRuntime.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeDesktopPorts.h"
#include "tests/support/FakeSensorSources.h"
#include "tests/support/InMemoryKeyValueStore.h"
#include "tests/support/ManualEventLoop.h"
#include "tests/support/TemporaryFolder.h"

namespace purlo::testing {

// Wall-clock time in Berlin in January 2026 (UTC + 1); the 13th is a Tuesday.
inline Date berlinJanuary(int day, int hour, int minute, double second = 0) {
    constexpr double january1Utc = 788918400; // 2026-01-01 00:00 UTC
    return Date{january1Utc + (day - 1) * 86400.0 + (hour - 1) * 3600.0 + minute * 60.0 + second};
}

// The default settings with what change makes of them.
template <typename Change>
PurloSettings settingsWith(Change change) {
    PurloSettings settings;
    change(settings);
    return settings;
}

// A runtime on fakes and virtual time: the loop moves the clock, the settings live in
// memory, the folders are temporary, and the calendar and the order of names are
// Berlin's.
class RuntimeHarness {
public:
    explicit RuntimeHarness(Date now = berlinJanuary(13, 10, 0))
        : clock(1000, now) {}
    explicit RuntimeHarness(const PurloSettings& settings, Date now = berlinJanuary(13, 10, 0))
        : RuntimeHarness(now) {
        storeSettings(settings);
    }

    // Stores settings for the runtime to load; before the runtime is built.
    void storeSettings(const PurloSettings& settings) { PurloSettings::save(settings, store); }
    PurloSettings stored() { return PurloSettings::load(store).settings; }

    PurloRuntime& runtime() {
        if (!runtime_) {
            runtime_ = std::make_unique<PurloRuntime>(PurloRuntimeServices{
                .clock = clock,
                .loop = loop,
                .store = store,
                .calendar = *Calendar::inTimeZone("Europe/Berlin"),
                .naturalOrder = NaturalOrder("de_DE"),
                .keyEvents = keys,
                .pointer = pointer,
                .activeApplications = applications,
                .idle = idle,
                .screens = screens,
                .desktopObservers = observers,
                .appearance = appearance,
                .loginItem = loginItem,
                .urlOpener = urlOpener,
                .pasteboard = pasteboard,
                .savePanel = savePanel,
                .supportFolder = folder / "support",
                .homeFolder = folder / "home",
                .environment = {{"HOME", (folder / "home").string()}},
                .bundle = Bundle{},
                // The website never answers.
                .updateTransport = [](const auto&, auto) {},
                .updateChecker = std::move(updateChecker),
                .automaticUpdater = std::move(automaticUpdater),
            });
        }
        return *runtime_;
    }

    // Changes the settings the way a control does: copy, change, write back.
    template <typename Change>
    void change(Change changeSettings) {
        PurloSettings settings = *runtime().settings();
        changeSettings(settings);
        runtime().setSettings(std::move(settings));
    }

    void tick() { runtime().tick(clock.now(), clock.uptime()); }

    const CompanionScene& scene() { return *runtime().scene(); }
    const PurloSettings& settings() { return *runtime().settings(); }

    FakeClock clock;
    ManualEventLoop loop{&clock};
    InMemoryKeyValueStore store;
    FakeKeyEventSource keys;
    FakePointerSource pointer;
    FakeActiveAppSource applications;
    FakeIdleSource idle;
    FakeScreenSource screens;
    FakeDesktopObservers observers;
    FakeAppearance appearance;
    FakeLoginItem loginItem;
    FakeUrlOpener urlOpener;
    FakePasteboard pasteboard;
    FakeSavePanel savePanel;
    TemporaryFolder folder;
    // Stand-ins for the update services, taken when the runtime is built; without
    // them the runtime builds its own from the empty bundle.
    std::unique_ptr<PurloUpdateChecking> updateChecker;
    std::unique_ptr<PurloAutomaticUpdating> automaticUpdater;

private:
    std::unique_ptr<PurloRuntime> runtime_;
};

// Counts what a published value announces from the moment of subscribing.
class Deliveries {
public:
    template <typename T>
    explicit Deliveries(const Published<T>& published)
        : subscription_(published.subscribe([this](const T&) { ++count_; })) {
        count_ = 0;
    }
    Deliveries(const Deliveries&) = delete;
    Deliveries& operator=(const Deliveries&) = delete;

    int count() const { return count_; }

private:
    int count_ = 0;
    Cancellable subscription_;
};

} // namespace purlo::testing
