#include "intents/PurloIntentRequest.h"

#include "base/JsonCoding.h"
#include "intents/IntentActionNames.h"

namespace purlo::PurloIntentRequest {
namespace {

constexpr std::string_view actionKey = "action";
constexpr std::string_view durationKey = "duration";
constexpr std::string_view statusKey = "status";
constexpr std::string_view sourceKey = "source";
constexpr std::string_view dialogKey = "dialog";
constexpr std::string_view errorKey = "error";

// One line of JSON; text that is not UTF-8 (a file name in an error, say) goes with its
// bad bytes replaced.
std::string compact(const Json& object) {
    return object.dump(-1, ' ', false, Json::error_handler_t::replace);
}

constexpr std::string_view unreadableRequest = "Purlo did not understand that request.";

void addParameters(Json&, const auto&) {}

void addParameters(Json& object, const NapPurloIntent& intent) {
    object[durationKey] = toString(intent.duration);
}

void addParameters(Json& object, const SetPurloAgentStatusIntent& intent) {
    object[statusKey] = toString(intent.status);
    object[sourceKey] = intent.source;
}

// The number of parameters read; a missing or mistyped one throws.
std::size_t readParameters(const JsonFields&, auto&) {
    return 0;
}

std::size_t readParameters(const JsonFields& fields, NapPurloIntent& intent) {
    intent.duration = fields.required<PurloNapShortcutDuration>(durationKey);
    return 1;
}

std::size_t readParameters(const JsonFields& fields, SetPurloAgentStatusIntent& intent) {
    intent.status = fields.required<PurloAgentShortcutStatus>(statusKey);
    intent.source = fields.required<std::string>(sourceKey);
    return 2;
}

PurloIntent decodeIntent(const Json& json) {
    const JsonFields fields(json);
    auto intent = intentNamed(fields.required<std::string>(actionKey));
    if (!intent) {
        throw DecodeError("unknown action");
    }
    const std::size_t parameters =
        std::visit([&](auto& action) { return readParameters(fields, action); }, *intent);
    if (json.size() != 1 + parameters) {
        throw DecodeError("unexpected keys");
    }
    return *intent;
}

PurloIntentResult decodeResult(const Json& json) {
    const JsonFields fields(json);
    if (json.size() != 1) {
        throw DecodeError("expected one key");
    }
    if (const auto dialog = fields.optional<std::string>(dialogKey)) {
        return IntentDialog{*dialog};
    }
    return IntentError{fields.required<std::string>(errorKey)};
}

} // namespace

std::string encode(const PurloIntent& intent) {
    Json object = Json::object();
    object[actionKey] = std::string(intentActionName(intent));
    std::visit([&](const auto& action) { addParameters(object, action); }, intent);
    return compact(object);
}

std::optional<PurloIntent> decode(std::string_view request) {
    if (request.size() > maximumLength) {
        return std::nullopt;
    }
    return decodeBytes(request, decodeIntent);
}

std::string encodeAnswer(const PurloIntentResult& result) {
    Json object = Json::object();
    if (const auto* dialog = std::get_if<IntentDialog>(&result)) {
        object[dialogKey] = dialog->text;
    } else {
        object[errorKey] = std::get<IntentError>(result).message;
    }
    return compact(object);
}

std::optional<PurloIntentResult> decodeAnswer(std::string_view answer) {
    if (answer.size() > maximumLength) {
        return std::nullopt;
    }
    return decodeBytes(answer, decodeResult);
}

std::string answer(std::string_view request, PurloRuntime& runtime) {
    const auto intent = decode(request);
    return encodeAnswer(intent ? performIntent(*intent, runtime)
                               : PurloIntentResult{IntentError{std::string(unreadableRequest)}});
}

} // namespace purlo::PurloIntentRequest
