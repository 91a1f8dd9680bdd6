#pragma once

#include "base/Bundle.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace purlo {

// In-app updates as the runtime sees them. Without an update framework every flag
// reads false, writes are ignored and a check does nothing.
class PurloAutomaticUpdating {
public:
    virtual ~PurloAutomaticUpdating() = default;

    virtual bool isAvailable() const = 0;
    virtual bool canCheckForUpdates() const = 0;
    virtual bool automaticallyChecksForUpdates() const = 0;
    virtual void setAutomaticallyChecksForUpdates(bool enabled) = 0;
    virtual bool automaticallyDownloadsUpdates() const = 0;
    virtual void setAutomaticallyDownloadsUpdates(bool enabled) = 0;
    virtual bool allowsAutomaticUpdates() const = 0;
    virtual void checkForUpdates() = 0;
};

// An update framework's standard controller: the few questions and commands the
// program passes through to it.
class PurloUpdaterController {
public:
    virtual ~PurloUpdaterController() = default;

    virtual bool canCheckForUpdates() const = 0;
    virtual bool automaticallyChecksForUpdates() const = 0;
    virtual void setAutomaticallyChecksForUpdates(bool enabled) = 0;
    virtual bool automaticallyDownloadsUpdates() const = 0;
    virtual void setAutomaticallyDownloadsUpdates(bool enabled) = 0;
    virtual bool allowsAutomaticUpdates() const = 0;
    virtual void checkForUpdates() = 0;
};

// The key's trimmed text when it is fit to hand to an update framework: present,
// not blank, with no unexpanded build variable ("$(", "${") and no template marker
// ("placeholder", "BASE64_SPARKLE", in any letter case).
std::optional<std::string> isUsableSparkleValue(std::string_view key,
                                                const Bundle::Information& information);

// Decides once, at start-up, whether in-app updates run: only when the feed and its
// signing key are both usable and an update framework is there to make a controller.
// No such framework exists on Linux, so the program passes none and the website
// update checker stays in charge.
class PurloSparkleUpdater final : public PurloAutomaticUpdating {
public:
    using ControllerFactory = std::function<std::unique_ptr<PurloUpdaterController>()>;

    explicit PurloSparkleUpdater(const Bundle::Information& information,
                                 const ControllerFactory& makeController = {});

    bool isAvailable() const override { return controller_ != nullptr; }
    bool canCheckForUpdates() const override;
    bool automaticallyChecksForUpdates() const override;
    void setAutomaticallyChecksForUpdates(bool enabled) override;
    bool automaticallyDownloadsUpdates() const override;
    void setAutomaticallyDownloadsUpdates(bool enabled) override;
    bool allowsAutomaticUpdates() const override;
    void checkForUpdates() override;

private:
    const std::unique_ptr<PurloUpdaterController> controller_;
};

} // namespace purlo
