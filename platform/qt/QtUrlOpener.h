#pragma once

#include "platform/UrlOpener.h"

namespace purlo {

// Hands the URL to the desktop, which opens it in the user's browser or mail program.
class QtUrlOpener final : public UrlOpener {
public:
    bool open(std::string_view url) override;
};

} // namespace purlo
