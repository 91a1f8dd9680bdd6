#pragma once

#include "integrations/PurloUpdateManifest.h"
#include "integrations/Url.h"

#include <optional>
#include <string>
#include <variant>

namespace purlo {

// Where the website update check stands, as the about tab shows it. It lives in
// memory only and starts idle at every launch.
class PurloUpdateCheckState {
public:
    // The last check found nothing newer; version and build are the manifest's.
    struct UpToDate {
        std::string version;
        std::string build;
        friend bool operator==(const UpToDate&, const UpToDate&) = default;
    };
    struct UpdateAvailable {
        PurloUpdateManifest manifest;
        friend bool operator==(const UpdateAvailable&, const UpdateAvailable&) = default;
    };
    // The last check failed; the message is what the user reads.
    struct Unavailable {
        std::string message;
        friend bool operator==(const Unavailable&, const Unavailable&) = default;
    };
    struct Idle {
        friend bool operator==(const Idle&, const Idle&) = default;
    };
    struct Checking {
        friend bool operator==(const Checking&, const Checking&) = default;
    };
    using Value = std::variant<UpToDate, UpdateAvailable, Unavailable, Idle, Checking>;

    static PurloUpdateCheckState upToDate(std::string version, std::string build) {
        return Value{UpToDate{std::move(version), std::move(build)}};
    }
    static PurloUpdateCheckState updateAvailable(PurloUpdateManifest manifest) {
        return Value{UpdateAvailable{std::move(manifest)}};
    }
    static PurloUpdateCheckState unavailable(std::string message) {
        return Value{Unavailable{std::move(message)}};
    }
    static PurloUpdateCheckState idle() { return Value{Idle{}}; }
    static PurloUpdateCheckState checking() { return Value{Checking{}}; }

    PurloUpdateCheckState() = default;

    const Value& value() const { return value_; }
    bool isChecking() const { return std::holds_alternative<Checking>(value_); }

    // The one line the about tab shows, e.g. "Purlo 1.4 (50) is ready to download.".
    std::string statusText() const;
    // The manifest's checked download link while an update is available, else none.
    std::optional<Url> downloadURL() const;

    friend bool operator==(const PurloUpdateCheckState&, const PurloUpdateCheckState&) = default;

private:
    PurloUpdateCheckState(Value value)
        : value_(std::move(value)) {}

    Value value_ = Idle{};
};

// What the about tab offers: the update framework's switches when it is in charge,
// else the website check and its state.
class PurloUpdatePresentation {
public:
    struct InApp {
        bool checksAutomatically = false;
        bool downloadsAutomatically = false;
        bool canCheck = false;
        friend bool operator==(const InApp&, const InApp&) = default;
    };
    struct Manual {
        PurloUpdateCheckState state;
        friend bool operator==(const Manual&, const Manual&) = default;
    };
    using Value = std::variant<InApp, Manual>;

    static PurloUpdatePresentation inApp(bool checksAutomatically, bool downloadsAutomatically,
                                         bool canCheck) {
        return Value{InApp{checksAutomatically, downloadsAutomatically, canCheck}};
    }
    static PurloUpdatePresentation manual(const PurloUpdateCheckState& state) {
        return Value{std::in_place_type<Manual>, state};
    }

    const Value& value() const { return value_; }

    friend bool operator==(const PurloUpdatePresentation&,
                           const PurloUpdatePresentation&) = default;

private:
    PurloUpdatePresentation(Value value)
        : value_(std::move(value)) {}

    Value value_;
};

} // namespace purlo
