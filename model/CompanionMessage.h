#pragma once

#include "base/Enumeration.h"
#include "base/JsonCoding.h"
#include "base/UnicodeText.h"

#include <string>

namespace purlo {

// One speech-bubble text, already composed, with the bubble's style.
struct CompanionMessage {
    enum class Kind { soft, focus, happy, alert };

    std::string text;
    Kind kind = Kind::soft;

    // The same words to a reader (canonically equivalent texts) in the same style.
    friend bool operator==(const CompanionMessage& left, const CompanionMessage& right) {
        return canonicallyEqual(left.text, right.text) && left.kind == right.kind;
    }
};

template <>
struct EnumNames<CompanionMessage::Kind> {
    static constexpr std::array<std::string_view, 4> values{"soft", "focus", "happy", "alert"};
};

// {"text": ..., "kind": ...}; both keys are required.
void to_json(Json& json, const CompanionMessage& message);
void from_json(const Json& json, CompanionMessage& message);

} // namespace purlo
