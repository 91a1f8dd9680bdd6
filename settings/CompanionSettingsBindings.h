#pragma once

#include "runtime/PurloRuntime.h"
#include "settings/SettingsFieldBinding.h"
#include "ui/Binding.h"

#include <cstdint>
#include <string>

namespace purlo {

// The companion pages' bindings that do more than read and write one field (see
// settingsBinding for those that do only that).

// Whether Purlo starts at login: the runtime's word on it, and turning it on or off
// through the runtime. It writes no setting.
Binding<bool> launchAtLoginBinding(PurloRuntime& runtime);

// The reaction intensity as the slider can show it, 0.1...1.0; a moved slider stores
// its value as it is, and an untouched one leaves what was stored.
Binding<double> sensitivityBinding(PurloRuntime& runtime);

// The companion's name as stored; an edit is stored trimmed, "Purlo" when blank.
Binding<std::string> companionNameBinding(PurloRuntime& runtime);

// The distance from the screen's edges as the field can show it, 0...96 points; an
// edit is stored and then the companion moves inside the new margin at once.
Binding<std::int64_t> edgePaddingBinding(PurloRuntime& runtime);

} // namespace purlo
