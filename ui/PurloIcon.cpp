#include "ui/PurloIcon.h"

#include <QCoreApplication>
#include <QFile>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>
#include <cmath>

namespace purlo {
namespace {

QString iconFile(std::string_view symbol) {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Icons/") +
           QString::fromUtf8(symbol.data(), static_cast<qsizetype>(symbol.size())) +
           QStringLiteral(".svg");
}

// The icon set draws in "currentColor"; painting the tint over the drawn shape keeps
// its coverage and takes the colour.
QPixmap render(const QString& file, QSize pixels, const QColor& tint) {
    QSvgRenderer renderer(file);
    if (!renderer.isValid()) {
        return {};
    }
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(image.rect(), tint);
    painter.end();
    return QPixmap::fromImage(image);
}

} // namespace

QPixmap purloIcon(std::string_view symbol, QSizeF size, const QColor& tint,
                  qreal devicePixelRatio) {
    const QSize pixels(static_cast<int>(std::ceil(size.width() * devicePixelRatio)),
                       static_cast<int>(std::ceil(size.height() * devicePixelRatio)));
    // Symbols are plain names; anything that could walk out of the icon folder is none.
    if (pixels.isEmpty() || symbol.find('/') != std::string_view::npos) {
        return {};
    }
    const QString file = iconFile(symbol);
    if (!QFile::exists(file)) {
        return {};
    }
    const QString key = QStringLiteral("purlo-icon:%1:%2x%3:%4")
                            .arg(file)
                            .arg(pixels.width())
                            .arg(pixels.height())
                            .arg(tint.rgba());
    QPixmap pixmap;
    if (!QPixmapCache::find(key, &pixmap)) {
        pixmap = render(file, pixels, tint);
        QPixmapCache::insert(key, pixmap);
    }
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

} // namespace purlo
