#include "integrations/PurloUpdateChecker.h"

#include "integrations/VersionComparison.h"

namespace purlo {
namespace {

PurloUpdateCheckOutcome failure(PurloUpdateCheckError error) {
    return PurloUpdateCheckFailure{error};
}

PurloUpdateRequest manifestRequest(const Url& manifestURL) {
    return PurloUpdateRequest{manifestURL,
                              "GET",
                              PurloUpdateChecker::timeoutSeconds,
                              {{"Accept", "application/json"}},
                              PurloUpdateChecker::maximumManifestBytes};
}

PurloUpdateCheckOutcome evaluate(const PurloUpdateResponse& response, const PurloAppInfo& running) {
    if (!response.httpStatusCode) {
        return failure(PurloUpdateCheckError::invalidResponse());
    }
    const int status = *response.httpStatusCode;
    if (status < 200 || status > 299) {
        return failure(PurloUpdateCheckError::rejected(status));
    }
    if (response.body.size() > PurloUpdateChecker::maximumManifestBytes) {
        return failure(PurloUpdateCheckError::invalidResponse());
    }
    auto manifest = decodeUpdateManifest(response.body);
    if (!manifest || !validateUpdateManifest(*manifest)) {
        return failure(PurloUpdateCheckError::invalidResponse());
    }
    int order = compareVersions(manifest->version, running.version);
    if (order == 0) {
        order = compareVersions(manifest->build, running.build);
    }
    // A manifest naming an older release than the running one is no update either.
    return order > 0 ? PurloUpdateCheckResult::updateAvailable(std::move(*manifest))
                     : PurloUpdateCheckResult::upToDate(std::move(*manifest));
}

} // namespace

PurloUpdateChecker::PurloUpdateChecker(PurloUpdateManifestConfiguration configuration,
                                       PurloUpdateTransport transport, EventLoop& loop)
    : configuration_(std::move(configuration))
    , transport_(std::move(transport))
    , loop_(loop) {}

void PurloUpdateChecker::check(const PurloAppInfo& running, Completion completion) {
    const auto& url = configuration_.manifestURL;
    if (!url) {
        finish(std::move(completion), failure(PurloUpdateCheckError::manifestNotConfigured()));
        return;
    }
    if (url->scheme() != "https" || !url->host()) {
        finish(std::move(completion), failure(PurloUpdateCheckError::insecureEndpoint()));
        return;
    }
    transport_(manifestRequest(*url), [this, alive = std::weak_ptr<const bool>(alive_), running,
                                       completion = std::move(completion)](
                                          PurloUpdateTransportResult result) mutable {
        if (alive.expired()) {
            return;
        }
        if (const auto* response = std::get_if<PurloUpdateResponse>(&result)) {
            finish(std::move(completion), evaluate(*response, running));
        } else {
            finish(std::move(completion), std::get<PurloUpdateCheckFailure>(std::move(result)));
        }
    });
}

void PurloUpdateChecker::finish(Completion completion, PurloUpdateCheckOutcome outcome) {
    loop_.post([alive = std::weak_ptr<const bool>(alive_), completion = std::move(completion),
                outcome = std::move(outcome)] {
        if (!alive.expired()) {
            completion(outcome);
        }
    });
}

} // namespace purlo
