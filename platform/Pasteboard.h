#pragma once

#include <string_view>

namespace purlo {

// The desktop's clipboard, for plain text only.
class Pasteboard {
public:
    virtual ~Pasteboard() = default;

    // Clears the clipboard and puts text on it. True only when the clipboard holds
    // exactly that text afterwards; on false it may be left empty.
    virtual bool replaceString(std::string_view text) = 0;
};

} // namespace purlo
