#include "platform/qt/QtSavePanel.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QString>

namespace purlo {

std::optional<std::filesystem::path>
QtSavePanel::chooseSaveLocation(std::string_view suggestedFileName) {
    // No starting folder and no file-type filter: the dialog opens where the desktop
    // would, offering just the name.
    const QString chosen = QFileDialog::getSaveFileName(
        QApplication::activeWindow(), QString(),
        QString::fromUtf8(suggestedFileName.data(),
                          static_cast<qsizetype>(suggestedFileName.size())));
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return std::filesystem::path(QFile::encodeName(chosen).toStdString());
}

} // namespace purlo
