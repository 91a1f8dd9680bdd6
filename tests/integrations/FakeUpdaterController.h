#pragma once

#include "integrations/PurloAutomaticUpdater.h"

namespace purlo::testing {

// An update framework's controller whose flags the test sets and reads back.
class FakeUpdaterController final : public PurloUpdaterController {
public:
    struct Flags {
        bool canCheck = true;
        bool checksAutomatically = false;
        bool downloadsAutomatically = false;
        bool allowsAutomaticUpdates = true;
        int checks = 0;
    };

    explicit FakeUpdaterController(Flags& flags)
        : flags_(flags) {}

    bool canCheckForUpdates() const override { return flags_.canCheck; }
    bool automaticallyChecksForUpdates() const override { return flags_.checksAutomatically; }
    void setAutomaticallyChecksForUpdates(bool enabled) override {
        flags_.checksAutomatically = enabled;
    }
    bool automaticallyDownloadsUpdates() const override { return flags_.downloadsAutomatically; }
    void setAutomaticallyDownloadsUpdates(bool enabled) override {
        flags_.downloadsAutomatically = enabled;
    }
    bool allowsAutomaticUpdates() const override { return flags_.allowsAutomaticUpdates; }
    void checkForUpdates() override { ++flags_.checks; }

private:
    Flags& flags_;
};

// Information keys under which an updater controller is made.
inline Bundle::Information usableFeedAndKey() {
    return {{"SUFeedURL", "https://purlo.example/appcast.xml"},
            {"SUPublicEDKey", "pfIShU4dEXqPd5ObYNfDBiQWcXozk7estwzTnF9BamQ="}};
}

} // namespace purlo::testing
