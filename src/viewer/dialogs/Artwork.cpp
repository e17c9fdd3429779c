// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/Artwork.h"

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
        const QImage& pixels = picture.image();
        // In the format a pixmap is kept in, so that showing it converts nothing (the splash
        // picture is decoded on another thread; the conversion would fall to the main one).
        return pixels.convertToFormat(pixels.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                               : QImage::Format_RGB32);
    } catch (const std::exception&) {
        return {};
    }
}

} // namespace wordhoard
