#include "Artwork.h"

#include "JpegPicture.h"

#include <QFile>

#include <exception>

namespace wordhoard {

QImage bundledPicture(const QString& resource) {
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    if (!resource.endsWith(QLatin1String(".jpg"))) return QImage::fromData(bytes);
    try {
        JpegPicture picture = JpegPicture::fromBytes(bytes);
        return picture.image();
    } catch (const std::exception&) {
        return {};
    }
}

} // namespace wordhoard
