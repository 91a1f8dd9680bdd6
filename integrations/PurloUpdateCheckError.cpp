#include "integrations/PurloUpdateCheckError.h"

namespace purlo {

std::string PurloUpdateCheckError::description() const {
    switch (kind_) {
    case Kind::rejected:
        return "The website rejected the update check with status " + std::to_string(statusCode_) +
               ".";
    case Kind::manifestNotConfigured:
        return "Website update checking is not connected in this build.";
    case Kind::insecureEndpoint:
        return "The update manifest must use HTTPS.";
    case Kind::invalidResponse:
        return "The website returned an update manifest Purlo could not read.";
    }
    return {};
}

} // namespace purlo
