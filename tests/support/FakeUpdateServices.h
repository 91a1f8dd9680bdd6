#pragma once

#include "integrations/PurloUpdateChecker.h"

#include <vector>

namespace purlo::testing {

// A website checker whose answers the test gives; checks wait until then.
class FakeUpdateChecker final : public PurloUpdateChecking {
public:
    void check(const PurloAppInfo& running, Completion completion) override {
        asked.push_back(running);
        pending.push_back(std::move(completion));
    }

    void answer(const PurloUpdateCheckOutcome& outcome) {
        auto waiting = std::exchange(pending, {});
        for (auto& completion : waiting) {
            completion(outcome);
        }
    }

    std::vector<PurloAppInfo> asked;
    std::vector<Completion> pending;
};

} // namespace purlo::testing
