#pragma once

#include "integrations/Url.h"
#include "model/PurloAppInfo.h"

#include <optional>
#include <string>

namespace purlo {

// A support e-mail for the user's own mail program to open, addressed to the support
// address: a fixed subject with the version and build, and a body that asks what
// happened and warns against sending anything private. It carries no report, no name
// and no setting; the user pastes the report in by hand if they want.
struct PurloSupportEmailDraft {
    PurloAppInfo appInfo;

    // "Purlo support - 1.4 (27)".
    std::string subject() const;
    // Fifteen lines joined by line feeds, none after the last.
    std::string body() const;
    // "mailto:" + the support address + "?subject=" + ... + "&body=" + ..., each value
    // percent-encoded; nothing when no valid URL comes of it.
    std::optional<Url> supportMailtoURL() const;

    friend bool operator==(const PurloSupportEmailDraft&, const PurloSupportEmailDraft&) = default;
};

} // namespace purlo
