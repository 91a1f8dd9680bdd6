#pragma once

#include <string_view>

namespace purlo {

// Hands a web page or mail address to the application the user chose for it.
class UrlOpener {
public:
    virtual ~UrlOpener() = default;

    // False when no application took the URL.
    virtual bool open(std::string_view url) = 0;
};

} // namespace purlo
