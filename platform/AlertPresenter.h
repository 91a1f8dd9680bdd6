#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace purlo {

// A question or a notice with a few buttons, the first one the default.
struct Alert {
    std::string messageText;
    std::string informativeText;
    std::vector<std::string> buttons;

    friend bool operator==(const Alert&, const Alert&) = default;
};

// The index of the button that ended an alert; nothing when it ended another way.
using AlertAnswer = std::optional<std::size_t>;

// Shows alerts for one window of the program, or for none.
class AlertPresenter {
public:
    virtual ~AlertPresenter() = default;

    // Whether there is a window and it is on screen.
    virtual bool windowIsVisible() const = 0;
    // Attaches the alert to that window and returns at once; answered runs on the event
    // loop when the user has chosen.
    virtual void beginSheet(const Alert& alert, std::function<void(AlertAnswer)> answered) = 0;
    // Brings the program to the front and waits for the user's answer.
    virtual AlertAnswer runModal(const Alert& alert) = 0;
};

} // namespace purlo
