#pragma once

#include "ui/Binding.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

namespace purlo {

// What a menu or a segmented control offers: the options' texts, in order, and the
// chosen one by its position (-1 when the bound value is none of them).
struct OptionList {
    std::vector<std::string> titles;
    Binding<int> selection;
};

// The options in the order given, each shown as title(option), choosing through the
// bound value.
template <typename Option, typename Options, typename Title>
OptionList optionList(Binding<Option> selection, const Options& given, Title title) {
    const std::vector<Option> options(std::begin(given), std::end(given));
    OptionList list;
    for (const Option& option : options) {
        list.titles.emplace_back(title(option));
    }
    list.selection = {[selection, options] {
                          const auto found = std::ranges::find(options, selection());
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
