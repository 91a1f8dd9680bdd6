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

PurloIntentResult MarkPurloWinIntent::perform(const PurloIntentActionService& service) const {
    service.markWin();
    return IntentDialog{"Purlo marked your win."};
}

PurloIntentResult NapPurloIntent::perform(const PurloIntentActionService& service) const {
    service.nap(duration);
    return IntentDialog{"Purlo is napping."};
}

PurloIntentResult WakePurloIntent::perform(const PurloIntentActionService& service) const {
    service.wake();
    return IntentDialog{"Purlo woke up."};
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
