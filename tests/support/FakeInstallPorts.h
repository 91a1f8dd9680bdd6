#pragma once

#include "platform/AlertPresenter.h"
#include "platform/ApplicationWorkspace.h"
#include "platform/BackgroundRunner.h"
#include "platform/FileManager.h"
#include "platform/InstallLocationProbe.h"

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace purlo::testing {

// Disk images are the volumes the test names; translocation is known only where the
// test says where a copy was opened from.
class FakeInstallLocationProbe final : public InstallLocationProbe {
public:
    bool isDiskImageVolume(const std::string& volumePath) const override {
        return diskImages.contains(volumePath);
    }
    std::optional<std::string>
    translocatedOriginalPath(const std::string& bundlePath) const override {
        const auto found = openedFrom.find(bundlePath);
        return found == openedFrom.end() ? std::nullopt : std::optional(found->second);
    }

    std::set<std::string> diskImages;
    std::map<std::string, std::string> openedFrom;
};

// Files as a set of paths; every call is written down in order, and an operation on a
// path named in failing fails with "<operation> failed".
class FakeFileManager final : public FileManager {
public:
    bool exists(const std::filesystem::path& path) const override {
        return items.contains(path.string());
    }
    std::optional<FileError> trashItem(const std::filesystem::path& path) override {
        calls.push_back("trash " + path.string());
        if (failing.contains("trash")) {
            return FileError{"trash failed"};
        }
        items.erase(path.string());
        return std::nullopt;
    }
    std::optional<FileError> copyItem(const std::filesystem::path& source,
                                      const std::filesystem::path& destination) override {
        calls.push_back("copy " + source.string() + " " + destination.string());
        if (failing.contains("copy")) {
            return FileError{"copy failed"};
        }
        items.insert(destination.string());
        return std::nullopt;
    }
    std::vector<std::filesystem::path> itemsBelow(const std::filesystem::path&) const override {
        return below;
    }
    void removeExtendedAttribute(const std::filesystem::path& path,
                                 std::string_view name) override {
        calls.push_back("unset " + std::string(name) + " " + path.string());
    }

    std::set<std::string> items;
    std::vector<std::filesystem::path> below;
    std::set<std::string> failing;
    std::vector<std::string> calls;
};

// Answers every alert with the button the test chose, as a sheet while the window is
// said to be visible, modally otherwise.
class FakeAlertPresenter final : public AlertPresenter {
public:
    bool windowIsVisible() const override { return visible; }
    void beginSheet(const Alert& alert, std::function<void(AlertAnswer)> answered) override {
        sheets.push_back(alert);
        answered(answer);
    }
    AlertAnswer runModal(const Alert& alert) override {
        modals.push_back(alert);
        return answer;
    }

    bool visible = false;
    AlertAnswer answer;
    std::vector<Alert> sheets;
    std::vector<Alert> modals;
};

// Writes down what it is asked; a start fails with launchError when set, an ejection
// fails while ejectSucceeds is false.
class FakeApplicationWorkspace final : public ApplicationWorkspace {
public:
    void openNewInstance(const std::filesystem::path& bundle, std::vector<std::string> arguments,
                         std::function<void(std::optional<std::string>)> done) override {
        opened.push_back({bundle.string(), std::move(arguments)});
        done(launchError);
    }
    void unmountAndEject(const std::filesystem::path& path,
                         std::function<void(bool)> done) override {
        ejected.push_back(path.string());
        if (onEject) {
            onEject();
        }
        done(ejectSucceeds);
    }

    struct Launch {
        std::string bundle;
        std::vector<std::string> arguments;
        friend bool operator==(const Launch&, const Launch&) = default;
    };
    std::vector<Launch> opened;
    std::optional<std::string> launchError;
    std::vector<std::string> ejected;
    bool ejectSucceeds = false;
    std::function<void()> onEject;
};

// Runs the work at once and the rest when the test lets it.
struct FakeBackgroundRunner {
    BackgroundRunner runner() {
        return [this](std::function<void()> work, std::function<void()> done) {
            work();
            pending.push_back(std::move(done));
        };
    }
    void finish() {
        for (auto& done : std::exchange(pending, {})) {
            done();
        }
    }
    std::vector<std::function<void()>> pending;
};

} // namespace purlo::testing
