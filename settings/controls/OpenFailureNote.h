#pragma once

#include "integrations/Url.h"
#include "runtime/PurloRuntime.h"
#include "ui/PurloText.h"

#include <QMargins>

namespace purlo {

// Where a note stands under a row of a card: in line with the row's text, clear of the
// next divider.
inline constexpr QMargins openFailureMargins{15, 0, 15, 12};

// The outcome of a link or button that opens a page, right under it: nothing while pages
// open, and where the desktop cannot open one, a short line that says so. The address
// goes on the clipboard, and the line can be selected, so the user can take the address
// to a browser or mail program of their own.
class OpenFailureNote final : public PurloText {
    Q_OBJECT

public:
    // margins: the room around the line where it stands.
    OpenFailureNote(PurloRuntime& runtime, const QMargins& margins, QWidget* parent = nullptr);

    // Opens the page; a failure shows here, also one the desktop reports later.
    void open(const Url& page);
    // For a page at address that another part opens: clears the line of an earlier try
    // and gives what that part hands the verdict to.
    UrlOpener::Done verdictOn(const std::string& address);
    // Opens the support e-mail draft; a failure shows the runtime's line, which names the
    // support address it copied.
    void openSupportEmailDraft();

private:
    void showUnopenedPage(const std::string& address);
    void showFailure(const QString& text);

    PurloRuntime& runtime_;
};

} // namespace purlo
