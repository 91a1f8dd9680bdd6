#pragma once

#include <functional>
#include <utility>

namespace purlo {

// Owns one piece of pending work (a timer, a watched descriptor, a subscription)
// and cancels it when destroyed or when cancel() is called. Move-only.
class Cancellable {
public:
    Cancellable() = default;
    explicit Cancellable(std::function<void()> cancel)
        : cancel_(std::move(cancel)) {}
    Cancellable(Cancellable&& other) noexcept
        : cancel_(std::exchange(other.cancel_, nullptr)) {}
    Cancellable& operator=(Cancellable&& other) noexcept {
        if (this != &other) {
            cancel();
            cancel_ = std::exchange(other.cancel_, nullptr);
        }
        return *this;
    }
    Cancellable(const Cancellable&) = delete;
    Cancellable& operator=(const Cancellable&) = delete;
    ~Cancellable() { cancel(); }

    void cancel() {
        if (auto cancel = std::exchange(cancel_, nullptr)) {
            cancel();
        }
    }
    bool isActive() const { return static_cast<bool>(cancel_); }

private:
    std::function<void()> cancel_;
};

} // namespace purlo
