#include "settings/controls/OpenFailureNote.h"

#include "platform/LinuxWordings.h"
#include "platform/qt/QtText.h"
#include "ui/KitFont.h"

#include <QPointer>

namespace purlo {

OpenFailureNote::OpenFailureNote(PurloRuntime& runtime, const QMargins& margins, QWidget* parent)
    : PurloText({}, kitFont(12), PurloTheme::secondaryText, parent)
    , runtime_(runtime) {
    setContentsMargins(margins);
    setWordWrap(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    hide();
}

void OpenFailureNote::open(const Url& page) {
    runtime_.openURL(page, verdictOn(page.text()));
}

// The verdict may come after the page that asked is gone: then nobody is told.
UrlOpener::Done OpenFailureNote::verdictOn(const std::string& address) {
    hide();
    return [note = QPointer(this), address](bool opened) {
        if (!opened && note) {
            note->showUnopenedPage(address);
        }
    };
}

void OpenFailureNote::openSupportEmailDraft() {
    hide();
    runtime_.openSupportEmailDraft([note = QPointer(this)](bool opened) {
        if (opened || !note) {
            return;
        }
        if (const auto& status = *note->runtime_.supportSnapshotStatus()) {
            note->showFailure(qText(*status));
        }
    });
}

void OpenFailureNote::showUnopenedPage(const std::string& address) {
    const bool copied = runtime_.pasteboard().replaceString(address);
    showFailure(qText(LinuxWordings::addressAfter(LinuxWordings::pageNotOpened, address, copied)));
}

void OpenFailureNote::showFailure(const QString& text) {
    setText(text);
    show();
}

} // namespace purlo
