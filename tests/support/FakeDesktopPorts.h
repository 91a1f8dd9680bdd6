#pragma once

#include "platform/Appearance.h"
#include "platform/DesktopObservers.h"
#include "platform/LoginItem.h"
#include "platform/Pasteboard.h"
#include "platform/SavePanel.h"
#include "platform/UrlOpener.h"

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace purlo::testing {

// Desktop moments the test announces by hand; each runs the observers still watching.
class FakeDesktopObservers final : public DesktopObservers {
public:
    using Action = EventLoop::Action;
    Cancellable observeDidBecomeActive(Action a) override { return watch(0, std::move(a)); }
    Cancellable observeScreenParametersChanged(Action a) override { return watch(1, std::move(a)); }
    Cancellable observeDidWake(Action a) override { return watch(2, std::move(a)); }

    void becomeActive() { announce(0); }
    std::size_t observerCount() const {
        return watchers_[0].size() + watchers_[1].size() + watchers_[2].size();
    }

private:
    Cancellable watch(int moment, Action action) {
        auto shared = std::make_shared<Action>(std::move(action));
        watchers_[moment].push_back(shared);
        return Cancellable([this, moment, shared] { std::erase(watchers_[moment], shared); });
    }
    void announce(int moment) const {
        for (const auto& action : std::vector(watchers_[moment])) {
            (*action)();
        }
    }

    std::array<std::vector<std::shared_ptr<Action>>, 3> watchers_;
};

class FakeAppearance final : public Appearance {
public:
    bool reduceMotion() const override { return reducesMotion; }
    bool darkAppearance() const override { return dark; }

    bool reducesMotion = false;
    bool dark = false;
};

// Takes every URL, or none when told to refuse; remembers each one it was handed.
class FakeUrlOpener final : public UrlOpener {
public:
    void open(std::string_view url, Done done) override {
        opened.emplace_back(url);
        if (done) {
            done(accepts);
        }
    }

    bool accepts = true;
    std::vector<std::string> opened;
};

// A clipboard in memory that may refuse what it is given, which leaves it empty.
class FakePasteboard final : public Pasteboard {
public:
    bool replaceString(std::string_view text) override {
        contents = accepts ? std::optional<std::string>(text) : std::nullopt;
        return accepts;
    }

    bool accepts = true;
    std::optional<std::string> contents;
};

// Answers with the location the test chose, nothing meaning cancelled, and remembers
// the names it was offered.
class FakeSavePanel final : public SavePanel {
public:
    std::optional<std::filesystem::path>
    chooseSaveLocation(std::string_view suggestedFileName) override {
        suggestedNames.emplace_back(suggestedFileName);
        return answer;
    }

    std::optional<std::filesystem::path> answer;
    std::vector<std::string> suggestedNames;
};

class FakeLoginItem final : public LoginItem {
public:
    LoginItemStatus status() const override { return status_; }
    std::optional<FileError> registerItem() override {
        ++changes;
        if (failure) {
            return failure;
        }
        status_ = LoginItemStatus::enabled;
        return std::nullopt;
    }
    std::optional<FileError> unregisterItem() override {
        ++changes;
        if (failure) {
            return failure;
        }
        status_ = LoginItemStatus::notRegistered;
        return std::nullopt;
    }

    // Every change asked for fails with this, leaving the status as it was.
    std::optional<FileError> failure;
    // How often a change was asked for.
    int changes = 0;

private:
    LoginItemStatus status_ = LoginItemStatus::notRegistered;
};

} // namespace purlo::testing
