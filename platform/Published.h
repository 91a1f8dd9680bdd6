#pragma once

#include "platform/Cancellable.h"
#include "platform/EventLoop.h"

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace purlo {

// A value others can watch. A subscriber gets the current value at once and every
// value written after it; a deferred subscriber gets them on a later turn of the
// event loop, in order. Subscribing or cancelling while values are delivered is safe:
// a subscriber added during a delivery waits for the next value, and one cancelled
// during a delivery is not called again. Watching does not change the value, so a
// read-only reference is enough to subscribe.
template <typename T>
class Published {
public:
    using Handler = std::function<void(const T&)>;

    explicit Published(T initial = T{})
        : value_(std::move(initial)) {}
    Published(const Published&) = delete;
    Published& operator=(const Published&) = delete;

    const T& value() const { return value_; }
    const T& operator*() const { return value_; }
    const T* operator->() const { return &value_; }

    // Writes and announces the value, also when it did not change.
    void set(T newValue) {
        value_ = std::move(newValue);
        announce();
    }

    // Writes and announces the value only when it differs; true when it did.
    bool setIfChanged(T newValue) {
        if (newValue == value_) {
            return false;
        }
        set(std::move(newValue));
        return true;
    }

    [[nodiscard]] Cancellable subscribe(Handler handler) const {
        auto subscriber = std::make_shared<Subscriber>(Subscriber{std::move(handler), nullptr});
        subscribers_.push_back(subscriber);
        subscriber->handler(value_);
        return cancelling(subscriber);
    }

    [[nodiscard]] Cancellable subscribeDeferred(EventLoop& loop, Handler handler) const {
        auto subscriber = std::make_shared<Subscriber>(Subscriber{std::move(handler), &loop});
        subscribers_.push_back(subscriber);
        deliverLater(subscriber, value_);
        return cancelling(subscriber);
    }

private:
    struct Subscriber {
        Handler handler;
        EventLoop* loop; // deliver on this loop, or at once when null
        bool active = true;
    };

    void announce() const {
        const auto snapshot = subscribers_;
        for (const auto& subscriber : snapshot) {
            if (!subscriber->active) {
                continue;
            }
            if (subscriber->loop) {
                deliverLater(subscriber, value_);
            } else {
                subscriber->handler(value_);
            }
        }
    }

    static void deliverLater(const std::shared_ptr<Subscriber>& subscriber, const T& value) {
        subscriber->loop->post([weak = std::weak_ptr<Subscriber>(subscriber), value] {
            if (const auto alive = weak.lock(); alive && alive->active) {
                alive->handler(value);
            }
        });
    }

    Cancellable cancelling(const std::shared_ptr<Subscriber>& subscriber) const {
        return Cancellable([this, weak = std::weak_ptr<Subscriber>(subscriber)] {
            const auto alive = weak.lock();
            if (!alive) {
                return;
            }
            alive->active = false;
            std::erase(subscribers_, alive);
        });
    }

    T value_;
    mutable std::vector<std::shared_ptr<Subscriber>> subscribers_;
};

} // namespace purlo
