#pragma once

#include "integrations/PurloUpdateCheckState.h"
#include "integrations/PurloUpdateTransport.h"

#include <ostream>

// How a failed expectation shows the update check's values: in words, where the test
// framework would otherwise dump their bytes.
namespace purlo {

inline void PrintTo(const PurloUpdateCheckState& state, std::ostream* out) {
    *out << "state “" << state.statusText() << "”";
}

inline void PrintTo(const PurloUpdateResponse& response, std::ostream* out) {
    constexpr std::size_t shownBytes = 80;
    *out << "HTTP " << (response.httpStatusCode ? std::to_string(*response.httpStatusCode) : "-")
         << " with " << response.body.size() << " bytes “" << response.body.substr(0, shownBytes)
         << (response.body.size() > shownBytes ? "…" : "") << "”";
}

inline void PrintTo(const PurloUpdateCheckError& error, std::ostream* out) {
    *out << "check error “" << error.description() << "”";
}

inline void PrintTo(const PurloUpdateTransportError& error, std::ostream* out) {
    *out << "transport error “" << error.description << "”";
}

} // namespace purlo
