#include "platform/qt/QtPasteboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QString>

namespace purlo {

bool QtPasteboard::replaceString(std::string_view text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) {
        return false;
    }
    const QString wanted = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    clipboard->clear();
    clipboard->setText(wanted);
    return clipboard->text() == wanted;
}

} // namespace purlo
