#pragma once

#include <string>
#include <variant>

namespace purlo {

// Why a website update check gave no answer. The descriptions explain the fault;
// the user sees the update state's own messages instead.
class PurloUpdateCheckError {
public:
    enum class Kind { rejected, manifestNotConfigured, insecureEndpoint, invalidResponse };

    static PurloUpdateCheckError rejected(int statusCode) { return {Kind::rejected, statusCode}; }
    static PurloUpdateCheckError manifestNotConfigured() { return {Kind::manifestNotConfigured}; }
    static PurloUpdateCheckError insecureEndpoint() { return {Kind::insecureEndpoint}; }
    static PurloUpdateCheckError invalidResponse() { return {Kind::invalidResponse}; }

    Kind kind() const { return kind_; }
    // The HTTP status the website answered with; 0 unless rejected.
    int statusCode() const { return statusCode_; }
    std::string description() const;

    friend bool operator==(const PurloUpdateCheckError&, const PurloUpdateCheckError&) = default;

private:
    PurloUpdateCheckError(Kind kind, int statusCode = 0)
        : kind_(kind)
        , statusCode_(statusCode) {}

    Kind kind_;
    int statusCode_;
};

// A failure of the network itself (no connection, time-out, an untrusted
// certificate, cancellation), passed on as the transport reported it.
struct PurloUpdateTransportError {
    std::string description;

    friend bool operator==(const PurloUpdateTransportError&,
                           const PurloUpdateTransportError&) = default;
};

using PurloUpdateCheckFailure = std::variant<PurloUpdateCheckError, PurloUpdateTransportError>;

} // namespace purlo
