#pragma once

#include "ui/Binding.h"

#include <string>
#include <utility>

namespace purlo {

// The editing rule of the settings' text fields: typing changes a private draft, and
// the draft reaches the bound text only when it is committed (Return, losing focus,
// going away) and only when it differs, so an edit is one write however many keys it
// took. The draft starts from the bound text when the field first shows and again each
// time it gains focus. Outside changes show at once while the field has no focus;
// while it has focus, what the user is typing is left alone and wins when committed.
// After a write the draft is read back, so it holds what the owner actually kept.
class TextDraft {
public:
    explicit TextDraft(Binding<std::string> text)
        : text_(std::move(text)) {}

    const std::string& draft() const { return draft_; }

    void edit(std::string typed) { draft_ = std::move(typed); }
    // The field showed; only its first showing loads the draft.
    void appeared();
    void focusChanged(bool focused);
    // The bound text changed elsewhere.
    void boundTextChanged(bool focused);
    void commit();

private:
    void load() { draft_ = text_(); }

    Binding<std::string> text_;
    std::string draft_;
    bool hasAppeared_ = false;
};

} // namespace purlo
