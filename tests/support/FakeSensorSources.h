#pragma once

#include "platform/ActiveAppSource.h"
#include "platform/IdleSource.h"
#include "platform/KeyEventSource.h"
#include "platform/PointerSource.h"
#include "platform/ScreenSource.h"

#include <memory>
#include <vector>

namespace purlo::testing {

// Key presses on demand, heard only while access is granted.
class FakeKeyEventSource final : public KeyEventSource {
public:
    bool listenAccessGranted() const override { return granted; }
    bool requestListenAccess() override {
        ++requestCount;
        return granted;
    }
    std::optional<Cancellable> listen(KeyPressHandler onKeyPress) override {
        if (!granted || handler_) {
            return std::nullopt;
        }
        handler_ = std::make_shared<KeyPressHandler>(std::move(onKeyPress));
        return Cancellable([this] { handler_.reset(); });
    }

    bool isListening() const { return handler_ != nullptr; }
    void press(int times = 1) {
        for (int i = 0; i < times && handler_; ++i) {
            (*std::shared_ptr(handler_))(); // the handler may stop listening
        }
    }

    bool granted = true;
    int requestCount = 0;

private:
    std::shared_ptr<KeyPressHandler> handler_;
};

class FakePointerSource final : public PointerSource {
public:
    Point location() const override {
        ++readCount;
        return position;
    }

    Point position;
    mutable int readCount = 0;
};

class FakeActiveAppSource final : public ActiveAppSource {
public:
    std::optional<FrontmostApplication> frontmostApplication() const override {
        ++readCount;
        return application;
    }

    std::optional<FrontmostApplication> application;
    mutable int readCount = 0;
};

class FakeIdleSource final : public IdleSource {
public:
    std::optional<double> secondsSinceAnyInput() const override {
        ++readCount;
        return seconds;
    }

    std::optional<double> seconds;
    mutable int readCount = 0;
};

// One 1440 x 900 screen unless the test says otherwise.
class FakeScreenSource final : public ScreenSource {
public:
    std::vector<Rect> visibleFrames() const override {
        ++readCount;
        return frames;
    }

    std::vector<Rect> frames{Rect{{0, 0}, {1440, 900}}};
    mutable int readCount = 0;
};

} // namespace purlo::testing
