#include "platform/qt/QtPasteboard.h"

#include "platform/qt/QtText.h"

#include <QClipboard>
#include <QGuiApplication>

namespace purlo {

bool QtPasteboard::replaceString(std::string_view text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) {
        return false;
    }
    const QString wanted = qText(text);
    clipboard->clear();
    clipboard->setText(wanted);
    return clipboard->text() == wanted;
}

} // namespace purlo
