#pragma once

#include "integrations/PurloAutomaticUpdater.h"
#include "integrations/PurloUpdateChecker.h"

#include <optional>

namespace purlo::testing {

// An update framework that is there, with switches the test sets and reads.
class FakeAutomaticUpdater final : public PurloAutomaticUpdating {
public:
    bool isAvailable() const override { return true; }
    bool canCheckForUpdates() const override { return canCheck; }
    bool automaticallyChecksForUpdates() const override { return checksAutomatically; }
    void setAutomaticallyChecksForUpdates(bool enabled) override { checksAutomatically = enabled; }
    bool automaticallyDownloadsUpdates() const override { return downloadsAutomatically; }
    void setAutomaticallyDownloadsUpdates(bool enabled) override {
        downloadsAutomatically = enabled;
    }
    bool allowsAutomaticUpdates() const override { return allowsAutomatic; }
    void checkForUpdates() override { ++checkCount; }

    bool canCheck = true;
    bool checksAutomatically = false;
    bool downloadsAutomatically = false;
    bool allowsAutomatic = true;
    int checkCount = 0;
};

// A website check that answers when the test says so.
class FakeUpdateChecker final : public PurloUpdateChecking {
public:
    void check(const PurloAppInfo&, Completion completion) override {
        pending = std::move(completion);
    }

    // Delivers the answer to the check that is waiting.
    void answer(const PurloUpdateCheckOutcome& outcome) {
        auto completion = std::move(*pending);
        pending.reset();
        completion(outcome);
    }

    std::optional<Completion> pending;
};

} // namespace purlo::testing
