#pragma once

#include "runtime/PurloRuntime.h"
#include "settings/SettingsFieldBinding.h"
#include "ui/Binding.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace purlo {

// The companion pages' controls keep no copy of the settings: each one is bound to a
// field of the runtime's published settings (see settingsFieldBinding).

template <typename Field>
Binding<Field> settingsBinding(PurloRuntime& runtime, Field PurloSettings::*field) {
    return settingsFieldBinding(
        runtime, [field](auto& settings) -> auto& { return settings.*field; });
}

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

// What a menu or a segmented control offers: the options' texts, in order, and the
// chosen one by its position (-1 when the bound value is none of them).
struct OptionList {
    std::vector<std::string> titles;
    Binding<int> selection;
};

// The options in the order given, each shown as title(option), choosing through the
// bound value.
template <typename Option, typename Title>
OptionList optionList(Binding<Option> selection, std::vector<Option> options, Title title) {
    OptionList list;
    for (const Option& option : options) {
        list.titles.emplace_back(title(option));
    }
    list.selection = {[selection, options] {
                          const auto found = std::find(options.begin(), options.end(), selection());
                          return found == options.end() ? -1
                                                        : static_cast<int>(found - options.begin());
                      },
                      [selection, options](int index) {
                          if (index >= 0 && static_cast<std::size_t>(index) < options.size()) {
                              selection.set(options[static_cast<std::size_t>(index)]);
                          }
                      }};
    return list;
}

} // namespace purlo
