#include "Artwork.h"

#include "JpegPicture.h"

#include <QResource>

#include <exception>

namespace wordhoard {

QImage bundledPicture(const QString& resource) {
    const QResource file(resource);
    if (!file.isValid()) return {};
    const QByteArray bytes = file.uncompressedData();
    if (!resource.endsWith(QLatin1String(".jpg"))) return QImage::fromData(bytes);
    try {
        JpegPicture picture = JpegPicture::fromBytes(bytes);
        return picture.image();
    } catch (const std::exception&) {
        return {};
    }
}

} // namespace wordhoard
