#pragma once

#include "platform/Pasteboard.h"

namespace purlo {

// The application's clipboard. Some desktops' clipboard managers refuse or rewrite
// what they are given, so the text is read back before it counts as copied.
class QtPasteboard final : public Pasteboard {
public:
    bool replaceString(std::string_view text) override;
};

} // namespace purlo
