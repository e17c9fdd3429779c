// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>

namespace wordhoard {

// A fault that libjpeg (or the picture's own checks) found in a JPEG file.
//
// code() is libjpeg's message number (its msg_code), or -1 when the file could not be read at
// all. A fault in the compressed data, found while the pixels are decoded, reads exactly
// "JPEG error #<code>"; a fault found at load adds libjpeg's own text:
// "JPEG error #53: Not a JPEG file: starts with 0x89 0x50".
class JpegError : public std::runtime_error {
public:
    JpegError(int code, const std::string& message) : std::runtime_error(message), m_code(code) {}
    int code() const { return m_code; }

private:
    int m_code;
};

// One JPEG page picture: the header is read when the picture is loaded, the pixels when the
// picture is first drawn, and the decoded picture is kept from then on.
//
//   JpegPicture page = JpegPicture::fromFile("img/wh_b0001.jpg"); // reads the file and its header
//   page.width();                                                  // known at once
//   const QImage& pixels = page.image();                           // decodes on first call
//
// Colour files decode to QImage::Format_RGB888 (CMYK and YCCK files are turned into RGB);
// greyscale files go through libjpeg's one-pass quantizer (236 grey levels, Floyd-Steinberg
// dithering) into QImage::Format_Indexed8 with libjpeg's colour map. A fault in the compressed
// data is reported once, by the call that decodes; the picture then keeps the rows decoded
// before the fault (the rest stays white) and is never decoded again.
class JpegPicture {
public:
    // Beyond these the header is refused at load and nothing is allocated for the pixels.
    static constexpr int kMaxSide = 16384;
    static constexpr qsizetype kMaxPixelBytes = qsizetype{256} * 1024 * 1024;
    // A file larger than the largest picture we accept is not read into memory.
    static constexpr qint64 kMaxFileBytes = qint64{256} * 1024 * 1024;

    // Reads the whole file and parses its header. Throws JpegError when the file cannot be read,
    // is not a JPEG file, its header is damaged or truncated, or its kind or size cannot be shown
    // (12-bit samples, lossless coding, more than kMaxSide pixels on a side, ...).
    static JpegPicture fromFile(const QString& path);
    // The same over bytes already in memory (the picture keeps a shallow copy).
    static JpegPicture fromBytes(const QByteArray& bytes);

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool isProgressive() const { return m_progressive; }
    bool isGreyscale() const { return m_greyscale; }

    // The decoded picture. The first call decodes; if the compressed data holds a fault, that
    // call throws JpegError("JPEG error #<code>") after keeping the partial picture, and every
    // later call returns the partial picture without throwing.
    const QImage& image();

    // The same without exceptions: decodes when not yet done and returns the fault found by
    // this very call, if any (so a fault comes back once). image() is afterwards valid.
    std::optional<JpegError> decode();

    bool isDecoded() const { return m_state != State::Undecoded; }
    // The fault that decoding found (kept after it was reported), if any.
    const std::optional<JpegError>& decodeFault() const { return m_fault; }

private:
    enum class State { Undecoded, Decoded };

    JpegPicture() = default;

    QByteArray m_data; // the compressed file, dropped once decoded
    int m_width = 0;
    int m_height = 0;
    bool m_progressive = false;
    bool m_greyscale = false;
    State m_state = State::Undecoded;
    QImage m_image;
    std::optional<JpegError> m_fault;
};

} // namespace wordhoard
