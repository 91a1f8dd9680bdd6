#pragma once

#include "platform/EventLoop.h"
#include "platform/KeyEventSource.h"
#include "platform/x11/X11Connection.h"

#include <memory>
#include <optional>
#include <string>

namespace purlo {

// Hears key presses through XInput2's raw events on the root window, which reach
// every client that asks for them without grabbing the keyboard or stealing focus.
// It keeps a connection of its own, whose socket the event loop watches while nobody
// types; once someone does, what arrives on it is collected every collectInterval rather
// than waking the program at each press, until a quiet spell. Hearing them needs nothing but a
// display with XInput2: that is what "access granted" means here, and there is nobody to ask for
// more.
class X11KeyEventSource final : public KeyEventSource {
public:
    // The runtime's tick, which reads the typing rhythm no more often than that anyway.
    static constexpr double collectInterval = 0.1;
    // The tick's tolerance too: half an interval, so a collection shares every wake-up
    // with the tick (or with her frames) whatever their phases.
    static constexpr double collectTolerance = collectInterval / 2;
    // Without a press for this long, the socket is watched again. Typing has pauses
    // between words; each would otherwise cost a wake at the next press.
    static constexpr double quietSpell = 1;

    // The loop must outlive the source.
    X11KeyEventSource(EventLoop& loop, std::optional<std::string> displayName);
    ~X11KeyEventSource() override;
    X11KeyEventSource(const X11KeyEventSource&) = delete;
    X11KeyEventSource& operator=(const X11KeyEventSource&) = delete;

    bool listenAccessGranted() const override;
    // Connects again when the display could not be reached before.
    bool requestListenAccess() override;
    std::optional<Cancellable> listen(KeyPressHandler onKeyPress) override;

private:
    struct Listener;

    void connect();
    void selectRawKeyPresses(bool selected);
    void awaitPresses();
    void pressesArrived();
    // Hands over what arrived and says how many presses that was.
    int collectPresses();
    void stopListening();

    EventLoop& loop_;
    std::optional<std::string> displayName_;
    std::unique_ptr<X11Connection> connection_;
    int inputExtensionOpcode_ = -1; // -1: no raw events on this display
    std::shared_ptr<Listener> listener_;
};

} // namespace purlo
