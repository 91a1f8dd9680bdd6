#include "intents/PurloAppIntents.h"

#include "intents/PurloIntentActionService.h"

namespace purlo {

PurloIntentResult PetPurloIntent::perform(const PurloIntentActionService& service) const {
    service.pet();
    return IntentDialog{"Purlo purrs."};
}

PurloIntentResult StartPurloFocusIntent::perform(const PurloIntentActionService& service) const {
    service.startFocus();
    return IntentDialog{"Purlo started a focus timer."};
}

namespace {

// A change the settings could not keep is no success: it is gone at the next start.
PurloIntentResult savedOr(std::optional<std::string> saveFailure, std::string dialog) {
    if (saveFailure) {
        return IntentError{std::move(*saveFailure)};
    }
    return IntentDialog{std::move(dialog)};
}

} // namespace

PurloIntentResult MarkPurloWinIntent::perform(const PurloIntentActionService& service) const {
    return savedOr(service.markWin(), "Purlo marked your win.");
}

PurloIntentResult NapPurloIntent::perform(const PurloIntentActionService& service) const {
    return savedOr(service.nap(duration), "Purlo is napping.");
}

PurloIntentResult WakePurloIntent::perform(const PurloIntentActionService& service) const {
    return savedOr(service.wake(), "Purlo woke up.");
}

PurloIntentResult
SetPurloAgentStatusIntent::perform(const PurloIntentActionService& service) const {
    if (auto error = service.setAgentStatus(status, source)) {
        return IntentError{std::move(error->message)};
    }
    switch (status) {
    case PurloAgentShortcutStatus::thinking:
        return IntentDialog{"Purlo is thinking too."};
    case PurloAgentShortcutStatus::done:
        return IntentDialog{"Purlo celebrates."};
    }
    return IntentDialog{};
}

std::string_view intentTitle(const PurloIntent& intent) {
    return std::visit([](const auto& action) { return action.title; }, intent);
}

PurloIntentResult performIntent(const PurloIntent& intent, PurloRuntime& runtime) {
    const PurloIntentActionService service = PurloIntentActionService::forRuntime(runtime);
    return std::visit([&](const auto& action) { return action.perform(service); }, intent);
}

} // namespace purlo
