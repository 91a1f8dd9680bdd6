#include "platform/qt/QtSavePanel.h"

#include "platform/qt/QtText.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>

namespace purlo {

std::optional<std::filesystem::path>
QtSavePanel::chooseSaveLocation(std::string_view suggestedFileName) {
    // No starting folder and no file-type filter: the dialog opens where the desktop
    // would, offering just the name.
    const QString chosen = QFileDialog::getSaveFileName(QApplication::activeWindow(), QString(),
                                                        qText(suggestedFileName));
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return std::filesystem::path(QFile::encodeName(chosen).toStdString());
}

} // namespace purlo
