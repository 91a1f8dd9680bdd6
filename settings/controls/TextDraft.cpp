#include "settings/controls/TextDraft.h"

namespace purlo {

void TextDraft::appeared() {
    if (!hasAppeared_) {
        hasAppeared_ = true;
        load();
    }
}

void TextDraft::focusChanged(bool focused) {
    if (focused) {
        load();
    } else {
        commit();
    }
}

void TextDraft::boundTextChanged(bool focused) {
    if (!focused) {
        load();
    }
}

// Before the field first showed, its draft holds nothing of the user's.
void TextDraft::commit() {
    if (!hasAppeared_ || draft_ == text_()) {
        return;
    }
    text_.set(draft_);
    load();
}

} // namespace purlo
