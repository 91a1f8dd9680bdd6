#pragma once

#include "integrations/PurloUpdateCheckError.h"
#include "integrations/PurloUpdateManifest.h"
#include "integrations/PurloUpdateManifestConfiguration.h"
#include "integrations/PurloUpdateTransport.h"
#include "model/PurloAppInfo.h"
#include "platform/EventLoop.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <variant>

namespace purlo {

// What a check found; both carry the manifest that was fetched.
struct PurloUpdateCheckResult {
    enum class Kind { upToDate, updateAvailable };

    static PurloUpdateCheckResult upToDate(PurloUpdateManifest manifest) {
        return {Kind::upToDate, std::move(manifest)};
    }
    static PurloUpdateCheckResult updateAvailable(PurloUpdateManifest manifest) {
        return {Kind::updateAvailable, std::move(manifest)};
    }

    Kind kind;
    PurloUpdateManifest manifest;

    friend bool operator==(const PurloUpdateCheckResult&, const PurloUpdateCheckResult&) = default;
};

using PurloUpdateCheckOutcome = std::variant<PurloUpdateCheckResult, PurloUpdateCheckFailure>;

// How the runtime holds the website checker, so a test can stand in for it.
class PurloUpdateChecking {
public:
    using Completion = std::function<void(const PurloUpdateCheckOutcome&)>;

    virtual ~PurloUpdateChecking() = default;
    // Asks whether a release newer than running is offered. The completion runs once,
    // on a later turn of the event loop, never inside this call.
    virtual void check(const PurloAppInfo& running, Completion completion) = 0;
};

// Asks the maker's website, through the manifest, whether a newer release is out.
// It only reports: it downloads nothing and keeps nothing between checks.
class PurloUpdateChecker final : public PurloUpdateChecking {
public:
    static constexpr double timeoutSeconds = 60;
    // A manifest is a dozen short fields; anything this large is not one.
    static constexpr std::size_t maximumManifestBytes = 64 * 1024;

    PurloUpdateChecker(PurloUpdateManifestConfiguration configuration,
                       PurloUpdateTransport transport, EventLoop& loop);
    PurloUpdateChecker(const PurloUpdateChecker&) = delete;
    PurloUpdateChecker& operator=(const PurloUpdateChecker&) = delete;

    const PurloUpdateManifestConfiguration& configuration() const { return configuration_; }

    // Nothing is sent unless the manifest URL is configured, uses "https" and names a
    // host. A completion still pending when the checker is destroyed never runs.
    void check(const PurloAppInfo& running, Completion completion) override;

private:
    void finish(Completion completion, PurloUpdateCheckOutcome outcome);

    PurloUpdateManifestConfiguration configuration_;
    PurloUpdateTransport transport_;
    EventLoop& loop_;
    std::shared_ptr<const bool> alive_ = std::make_shared<const bool>(true);
};

} // namespace purlo
