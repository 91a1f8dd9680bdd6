#include "runtime/PurloRuntime.h"

namespace purlo {

void PurloRuntime::pet() {
    lastHandsOnInteractionAt_ = clock_.uptime();
    pendingInteraction_ = CompanionInteraction::pet();
    tickNow();
}

void PurloRuntime::celebrate() {
    performInteraction(CompanionInteraction::celebrate());
}

void PurloRuntime::stretch() {
    performInteraction(CompanionInteraction::stretch());
}

void PurloRuntime::performInteraction(CompanionInteraction interaction) {
    pendingInteraction_ = std::move(interaction);
    tickNow();
}

void PurloRuntime::startFocus() {
    // Always a fresh first session, whatever was running.
    pomodoroController_.state =
        PomodoroController::State::focusStarted(*settings_, clock_.uptime());
    pomodoro_.set(pomodoroController_.state);
    tickNow();
}

void PurloRuntime::toggleFocus() {
    if (pomodoroController_.state.mode == PomodoroController::State::Mode::idle) {
        startFocus();
        return;
    }
    pomodoroController_.state = PomodoroController::State{};
    pomodoro_.set(pomodoroController_.state);
    tickNow();
}

void PurloRuntime::nap(PurloNapDuration duration, Date now) {
    const double seconds = static_cast<double>(rawValue(duration)) * 60;
    changeSettings(
        [&](PurloSettings& settings) { settings.nap.until = now.addingSeconds(seconds); });
    tickNow();
}

void PurloRuntime::napUntilWoken() {
    changeSettings([](PurloSettings& settings) { settings.nap.until = PurloNap::distantFuture; });
    tickNow();
}

void PurloRuntime::wake() {
    changeSettings([](PurloSettings& settings) { settings.nap.until.reset(); });
    tickNow();
}

bool PurloRuntime::isNapping() const {
    return settings_->nap.isActive(clock_.now());
}

} // namespace purlo
