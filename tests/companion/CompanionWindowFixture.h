#pragma once

#include "companion/qt/CompanionWindowController.h"
#include "tests/support/RecordingPanelHints.h"
#include "tests/support/RuntimeHarness.h"

#include <QEvent>
#include <QObject>
#include <optional>

namespace purlo::testing {

// The settings of someone who has been through onboarding.
inline PurloSettings onboarded(PurloSettings settings = {}) {
    settings.hasCompletedFirstRunOnboarding = true;
    return settings;
}

// Counts the moves, shows and hides a window goes through.
class WindowEvents final : public QObject {
public:
    explicit WindowEvents(QObject& window) { window.installEventFilter(this); }

    int moves = 0;
    int shows = 0;
    int hides = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        moves += event->type() == QEvent::Move;
        shows += event->type() == QEvent::Show;
        hides += event->type() == QEvent::Hide;
        return false;
    }
};

// A running runtime on fakes with the cat's window on top of it, built and started in
// the launch's order; the program's own identifier is "purlo".
struct CompanionWindowFixture {
    explicit CompanionWindowFixture(const PurloSettings& settings = onboarded())
        : harness(settings) {
        controller.emplace(harness.runtime(),
                           DesktopWindowContext{harness.loop, hints, harness.appearance, "purlo"},
                           [this] { ++appearanceSettingsOpened; });
        harness.runtime().start();
        controller->refreshWindow();
        harness.loop.runPending();
    }

    // A tenth of a second: one tick and its deliveries.
    void tick(double seconds = 0.1) { harness.loop.advance(seconds); }
    PurloRuntime& runtime() { return harness.runtime(); }
    DesktopPanel& panel() { return controller->window(); }

    RuntimeHarness harness;
    RecordingPanelHints hints;
    int appearanceSettingsOpened = 0;
    std::optional<CompanionWindowController> controller;
};

} // namespace purlo::testing
