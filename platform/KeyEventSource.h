#pragma once

#include "platform/Cancellable.h"

#include <functional>
#include <optional>

namespace purlo {

// Where the typing rhythm comes from. A source reports that a key went down and
// nothing else: which key, its character and its modifiers never leave it.
class KeyEventSource {
public:
    // Called once per key press, on the event loop; a source may hand over the presses
    // of a moment together.
    using KeyPressHandler = std::function<void()>;

    virtual ~KeyEventSource() = default;

    // Whether key presses can be heard now; asking never prompts the user.
    virtual bool listenAccessGranted() const = 0;
    // Asks for the right to hear key presses and answers whether it is held now.
    virtual bool requestListenAccess() = 0;
    // Hears key presses until the handle is dropped or cancelled. Nothing when they
    // cannot be heard, or while another listener holds the source.
    [[nodiscard]] virtual std::optional<Cancellable> listen(KeyPressHandler onKeyPress) = 0;
};

} // namespace purlo
