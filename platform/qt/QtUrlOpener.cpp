#include "platform/qt/QtUrlOpener.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace purlo {

bool QtUrlOpener::open(std::string_view url) {
    const QUrl parsed(QString::fromUtf8(url.data(), static_cast<qsizetype>(url.size())),
                      QUrl::StrictMode);
    return parsed.isValid() && !parsed.scheme().isEmpty() && QDesktopServices::openUrl(parsed);
}

} // namespace purlo
