#pragma once

#include <string>

namespace purlo {

// A reminder that fired in this tick.
struct ReminderEvent {
    enum class Kind {
        fixedMessage, // text: a habit reminder, shown exactly
        kindNudge,    // text: taken from the phrase pack
        stretch,      // the engine chooses the words
    };

    Kind kind = Kind::stretch;
    std::string text;

    static ReminderEvent fixedMessage(std::string text) {
        return {Kind::fixedMessage, std::move(text)};
    }
    static ReminderEvent kindNudge(std::string text) { return {Kind::kindNudge, std::move(text)}; }
    static ReminderEvent stretch() { return {Kind::stretch, {}}; }

    friend bool operator==(const ReminderEvent& left, const ReminderEvent& right) {
        return left.kind == right.kind && (left.kind == Kind::stretch || left.text == right.text);
    }
};

} // namespace purlo
