#pragma once

#include "runtime/PurloRuntime.h"
#include "ui/Binding.h"

#include <type_traits>
#include <utility>

namespace purlo {

// A control's binding to one field of the runtime's published settings, the field that
// pick finds in a settings value (pick takes the settings by auto& and returns the
// field by reference, so one pick serves reading and writing, nested fields included).
// Reading gives the field as published now; writing stores a changed copy of the whole
// settings through the runtime, so it is saved and applied at once, every time, the
// value already stored included.
template <typename Pick>
auto settingsFieldBinding(PurloRuntime& runtime, Pick pick) {
    using Field = std::remove_cvref_t<decltype(pick(std::declval<PurloSettings&>()))>;
    return Binding<Field>{[&runtime, pick] { return Field(pick(*runtime.settings())); },
                          [&runtime, pick](Field value) {
                              PurloSettings settings = *runtime.settings();
                              pick(settings) = std::move(value);
                              runtime.setSettings(std::move(settings));
                          }};
}

} // namespace purlo
