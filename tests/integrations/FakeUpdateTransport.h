#pragma once

#include "integrations/PurloUpdateTransport.h"

#include <memory>
#include <vector>

namespace purlo::testing {

// Records every request and holds its completion until the test answers it.
class FakeUpdateTransport {
public:
    PurloUpdateTransport transport() {
        return [state = state_](const PurloUpdateRequest& request,
                                PurloUpdateTransportCompletion completion) {
            state->requests.push_back(request);
            state->pending.push_back(std::move(completion));
        };
    }

    const std::vector<PurloUpdateRequest>& requests() const { return state_->requests; }

    // Answers the oldest unanswered request.
    void answer(PurloUpdateTransportResult result) {
        auto completion = std::move(state_->pending.front());
        state_->pending.erase(state_->pending.begin());
        completion(std::move(result));
    }
    void answer(int status, std::string body) {
        answer(PurloUpdateResponse{status, std::move(body)});
    }

private:
    struct State {
        std::vector<PurloUpdateRequest> requests;
        std::vector<PurloUpdateTransportCompletion> pending;
    };
    std::shared_ptr<State> state_ = std::make_shared<State>();
};

} // namespace purlo::testing
