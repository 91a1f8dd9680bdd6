#pragma once

#include "platform/Appearance.h"
#include "platform/DesktopObservers.h"
#include "platform/LoginItem.h"
#include "platform/UrlOpener.h"

#include <memory>
#include <string>
#include <vector>

namespace purlo::testing {

// Desktop moments the test announces by hand; each runs the observers still watching.
class FakeDesktopObservers final : public DesktopObservers {
public:
    Cancellable observeDidBecomeActive(EventLoop::Action action) override {
        return watch(didBecomeActive_, std::move(action));
    }
    Cancellable observeScreenParametersChanged(EventLoop::Action action) override {
        return watch(screenParametersChanged_, std::move(action));
    }
    Cancellable observeDidWake(EventLoop::Action action) override {
        return watch(didWake_, std::move(action));
    }

    void becomeActive() { announce(didBecomeActive_); }
    void changeScreenParameters() { announce(screenParametersChanged_); }
    void wake() { announce(didWake_); }

    std::size_t observerCount() const {
        return didBecomeActive_.size() + screenParametersChanged_.size() + didWake_.size();
    }

private:
    using Watchers = std::vector<std::shared_ptr<EventLoop::Action>>;

    static Cancellable watch(Watchers& watchers, EventLoop::Action action) {
        auto shared = std::make_shared<EventLoop::Action>(std::move(action));
        watchers.push_back(shared);
        return Cancellable([&watchers, shared] { std::erase(watchers, shared); });
    }
    static void announce(const Watchers& watchers) {
        const auto current = watchers;
        for (const auto& action : current) {
            (*action)();
        }
    }

    Watchers didBecomeActive_;
    Watchers screenParametersChanged_;
    Watchers didWake_;
};

class FakeAppearance final : public Appearance {
public:
    bool reduceMotion() const override { return reducesMotion; }
    bool darkAppearance() const override { return dark; }

    bool reducesMotion = false;
    bool dark = false;
};

class FakeUrlOpener final : public UrlOpener {
public:
    bool open(std::string_view url) override {
        opened.emplace_back(url);
        return true;
    }

    std::vector<std::string> opened;
};

// A login item that records what it was asked and can be made to refuse.
class FakeLoginItem final : public LoginItem {
public:
    explicit FakeLoginItem(LoginItemStatus status = LoginItemStatus::notRegistered)
        : status_(status) {}

    LoginItemStatus status() const override { return status_; }
    std::optional<FileError> registerItem() override {
        calls += "register ";
        if (refusal) {
            return refusal;
        }
        status_ = LoginItemStatus::enabled;
        return std::nullopt;
    }
    std::optional<FileError> unregisterItem() override {
        calls += "unregister ";
        if (refusal) {
            return refusal;
        }
        status_ = LoginItemStatus::notRegistered;
        return std::nullopt;
    }

    std::string calls;
    std::optional<FileError> refusal;

private:
    LoginItemStatus status_;
};

} // namespace purlo::testing
