// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "JpegPicture.h"

#include "JpegDecompressor.h"

#include <QFile>

#include <cstdio> // jpeglib.h needs FILE declared first
#include <cstdlib>
#ifdef __linux__
#include <sys/mman.h>
#endif
#include <jpeglib.h>
#include <jerror.h>

namespace wordhoard {

namespace {

using detail::JpegDecompressor;
using detail::JpegFault;
using detail::JpegHeader;

std::string decodeMessage(int code) { return "JPEG error #" + std::to_string(code); }

JpegError loadError(const JpegFault& fault) { return JpegError(fault.code, decodeMessage(fault.code) + ": " + fault.text); }

qint64 rowBytes(int width, bool greyscale) {
    const qint64 bytes = qint64{width} * (greyscale ? 1 : 3);
    return (bytes + 3) / 4 * 4; // QImage rows are 32-bit aligned
}

// A blank picture for decoding into. On Linux its pixels lie in memory the kernel may back with
// huge pages: an A4 colour page of 26 MB then costs a dozen page faults instead of six thousand,
// a fifth of the whole decoding time. Elsewhere Qt allocates as usual.
QImage blankPicture(int width, int height, QImage::Format format) {
#ifdef __linux__
    constexpr std::size_t kHugePage = std::size_t{2} << 20;
    const qsizetype bytesPerLine = (qsizetype{width} * (format == QImage::Format_Indexed8 ? 1 : 3) + 3) / 4 * 4;
    const std::size_t bytes = static_cast<std::size_t>(bytesPerLine) * static_cast<std::size_t>(height);
    if (bytes >= kHugePage) {
        const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
        if (void* memory = std::aligned_alloc(kHugePage, rounded)) {
            madvise(memory, rounded, MADV_HUGEPAGE);
            QImage image(static_cast<uchar*>(memory), width, height, bytesPerLine, format, std::free, memory);
            if (!image.isNull()) return image;
            std::free(memory);
        }
    }
#endif
    return QImage(width, height, format);
}

} // namespace

JpegPicture JpegPicture::fromFile(const QString& path) {
    QFile file(path);
    const auto fail = [&](const QString& why) {
        return JpegError(-1, QStringLiteral("Cannot read %1: %2").arg(path, why).toStdString());
    };
    if (!file.open(QIODevice::ReadOnly)) throw fail(file.errorString());
    if (file.size() > kMaxFileBytes) {
        throw fail(QStringLiteral("the file holds %1 bytes, more than any page picture").arg(file.size()));
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) throw fail(file.errorString());
    return fromBytes(bytes);
}

JpegPicture JpegPicture::fromBytes(const QByteArray& bytes) {
    JpegHeader header;
    {
        JpegDecompressor decompressor(bytes);
        if (auto fault = decompressor.readHeader(header)) throw loadError(*fault);
        const bool tooLarge = header.width > kMaxSide || header.height > kMaxSide ||
                              rowBytes(header.width, header.greyscale) * header.height > kMaxPixelBytes;
        if (tooLarge) {
            throw JpegError(JERR_IMAGE_TOO_BIG,
                            decodeMessage(JERR_IMAGE_TOO_BIG) + ": the picture is " + std::to_string(header.width) +
                                " x " + std::to_string(header.height) + " pixels; at most " +
                                std::to_string(kMaxSide) + " on a side and " +
                                std::to_string(kMaxPixelBytes / (1024 * 1024)) + " MiB of pixels can be shown");
        }
    }
    JpegPicture picture;
    picture.m_data = bytes;
    picture.m_width = header.width;
    picture.m_height = header.height;
    picture.m_progressive = header.progressive;
    picture.m_greyscale = header.greyscale;
    return picture;
}

std::optional<JpegError> JpegPicture::decode() {
    if (m_state != State::Undecoded) return std::nullopt;
    // Marked first: whatever happens below, the data is never decoded a second time.
    m_state = State::Decoded;

    std::optional<JpegFault> fault;
    QImage image = blankPicture(m_width, m_height, m_greyscale ? QImage::Format_Indexed8 : QImage::Format_RGB888);
    if (image.isNull()) {
        fault = JpegFault{JERR_OUT_OF_MEMORY, {}};
    } else {
        try {
            JpegDecompressor decompressor(m_data);
            fault = decompressor.decodeInto(image);
        } catch (const JpegError& error) {
            detail::whiten(image, 0);
            fault = JpegFault{error.code(), error.what()};
        }
    }
    m_image = image;
    m_data = QByteArray();
    if (fault) m_fault = JpegError(fault->code, decodeMessage(fault->code));
    return m_fault;
}

const QImage& JpegPicture::image() {
    if (auto fault = decode()) throw *fault;
    return m_image;
}

} // namespace wordhoard
