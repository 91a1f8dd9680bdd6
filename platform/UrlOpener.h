#pragma once

#include <functional>
#include <string_view>

namespace purlo {

// Hands a web page or mail address to the application the user chose for it.
class UrlOpener {
public:
    // Whether an application took the URL.
    using Done = std::function<void(bool opened)>;

    virtual ~UrlOpener() = default;

    // Calls done, when given, once: at once when nothing can take the URL, or later, on
    // the event loop, when the desktop says how handing it over went.
    virtual void open(std::string_view url, Done done) = 0;
};

} // namespace purlo
