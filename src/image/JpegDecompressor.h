// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// libjpeg's decompressor behind a small C++ face; only the image library includes this.

#include <QByteArrayView>
#include <QImage>

#include <memory>
#include <optional>
#include <string>

namespace wordhoard::detail {

// What libjpeg stopped on: its message number and its own text for it.
struct JpegFault {
    int code = 0;
    std::string text;
};

// What the header says, in the terms the picture needs.
struct JpegHeader {
    int width = 0;
    int height = 0;
    int components = 0;
    bool progressive = false;
    bool greyscale = false; // one component: decoded through the grey quantizer
    bool cmyk = false;      // four components (CMYK or YCCK): decoded to CMYK, turned into RGB here
    bool adobeInverted = false; // CMYK written by Adobe software stores 255 - ink
};

struct JpegSession;

// Owns one libjpeg decompressor reading from bytes that outlive it. libjpeg reports errors by
// longjmp; every such jump starts and ends inside this class's own plain functions, so no C++
// frame that owns anything is ever skipped, and errors come back here as values.
class JpegDecompressor {
public:
    // Throws JpegError when libjpeg cannot even set itself up (out of memory).
    explicit JpegDecompressor(QByteArrayView data);
    ~JpegDecompressor();
    JpegDecompressor(const JpegDecompressor&) = delete;
    JpegDecompressor& operator=(const JpegDecompressor&) = delete;

    // Parses everything up to the first scan. On success the header is in `header`.
    std::optional<JpegFault> readHeader(JpegHeader& header);

    // Decodes the whole picture into `image`, which the caller made from readHeader's header:
    // Format_Indexed8 for greyscale (its colour table is set here), Format_RGB888 otherwise.
    // Stops at the first error or corrupt-data warning, keeping the rows decoded before it and
    // whitening the others.
    std::optional<JpegFault> decodeInto(QImage& image);

    // A message text from libjpeg's own table ("Maximum supported image dimension is %u pixels").
    std::string messageTemplate(int code) const;

private:
    std::unique_ptr<JpegSession> m_session;
    QByteArrayView m_data;
};

// Paints rows fromRow.. of a picture being decoded white (the brightest grey of an indexed
// picture, giving it libjpeg's grey levels when it has no colours yet).
void whiten(QImage& image, int fromRow);

} // namespace wordhoard::detail
