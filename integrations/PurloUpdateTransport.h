#pragma once

#include "integrations/PurloUpdateCheckError.h"
#include "integrations/Url.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace purlo {

// One request for the update manifest, described completely so that any transport
// sends exactly this and nothing about the user or the machine.
struct PurloUpdateRequest {
    Url url;
    std::string method;
    // Idle time after which the transfer gives up.
    double timeoutSeconds = 0;
    std::vector<std::pair<std::string, std::string>> headers;
    // The transport stops reading once the body grows past this, so a misbehaving
    // server cannot fill memory; it hands over at most one byte more.
    std::size_t maximumBodyBytes = 0;

    friend bool operator==(const PurloUpdateRequest&, const PurloUpdateRequest&) = default;
};

struct PurloUpdateResponse {
    // None when the answer did not come over HTTP.
    std::optional<int> httpStatusCode;
    std::string body;

    friend bool operator==(const PurloUpdateResponse&, const PurloUpdateResponse&) = default;
};

using PurloUpdateTransportResult = std::variant<PurloUpdateResponse, PurloUpdateCheckFailure>;
using PurloUpdateTransportCompletion = std::function<void(PurloUpdateTransportResult)>;

// Sends one request and calls the completion once, on the program's thread, with the
// response or the failure (a network error, or insecureEndpoint for a redirect that
// would leave HTTPS).
using PurloUpdateTransport =
    std::function<void(const PurloUpdateRequest&, PurloUpdateTransportCompletion)>;

} // namespace purlo
