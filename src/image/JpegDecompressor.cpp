// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "JpegDecompressor.h"

#include "JpegPicture.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE declared first
#include <cstring>
#include <vector>

#include <jpeglib.h>
// jerror.h after jpeglib.h: it names the message codes that jpeglib.h's structures carry.
#include <jerror.h>

namespace wordhoard::detail {

namespace {

// Greyscale pictures are shown through libjpeg's quantizer with this many grey levels.
constexpr int kGreyLevels = 236;
// libjpeg's working memory (mostly the coefficients of a progressive file) may not exceed this:
// about twice the largest picture accepted, so any accepted picture fits.
constexpr long kMaxWorkingMemory = 1024L * 1024 * 1024;
constexpr int kRowsPerCall = 16;

} // namespace

// Everything a libjpeg call may touch while it runs, at one stable address. Plain data only:
// a longjmp must never skip a destructor.
struct JpegSession {
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    std::jmp_buf jump;
    // While decoding, a warning about corrupt data ends the work like an error does.
    bool stopOnCorruptData = false;
    // Whether running out of bytes is a fault by itself (see isCorruptData).
    bool endOfFileIsFault = false;
    // Rows handed out complete so far; the rest is whitened after a fault.
    JDIMENSION rowsDone = 0;
    int faultCode = 0;
    char faultText[JMSG_LENGTH_MAX];
};

namespace {

JpegSession* sessionOf(j_common_ptr info) { return static_cast<JpegSession*>(info->client_data); }

// Warnings that mean the pixels are wrong or missing. Extraneous bytes before a marker, an
// unknown JFIF version or Adobe transform, and a bad ICC profile leave the pixels intact:
// libjpeg skips the bytes and goes on, and a motion-JPEG frame with stray bytes still decodes.
//
// Running out of bytes is a fault where it means scans are missing (a file of several scans is
// read to its end before the first row comes out) or data is (arithmetic coding reads on without
// noticing). In a one-scan Huffman file the bit reader reads ahead, so a file that lacks only
// its closing marker runs out of bytes after all its data; a real shortage there also hits the
// end marker that libjpeg then supplies, and that warning (JWRN_HIT_MARKER) is the fault.
bool isCorruptData(const JpegSession& s, int code) {
    switch (code) {
    case JWRN_JPEG_EOF:
        return s.endOfFileIsFault;
    case JWRN_ARITH_BAD_CODE:
    case JWRN_BOGUS_PROGRESSION:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_MUST_RESYNC:
    case JWRN_NOT_SEQUENTIAL:
        return true;
    default:
        return false;
    }
}

[[noreturn]] void stopWithFault(j_common_ptr info) {
    JpegSession* session = sessionOf(info);
    session->faultCode = info->err->msg_code;
    info->err->format_message(info, session->faultText);
    std::longjmp(session->jump, 1);
}

void onError(j_common_ptr info) { stopWithFault(info); }

void onMessage(j_common_ptr info, int level) {
    if (level >= 0) return; // trace messages
    ++info->err->num_warnings;
    const JpegSession& s = *sessionOf(info);
    if (s.stopOnCorruptData && isCorruptData(s, info->err->msg_code)) stopWithFault(info);
}

// libjpeg's default would print to stderr; the caller reports faults itself.
void onOutput(j_common_ptr) {}

// The functions below call into libjpeg, which may longjmp back to their setjmp. They own
// nothing with a destructor and keep every value that must survive the jump in the session.

bool guardedCreate(JpegSession* s) {
    if (setjmp(s->jump) != 0) return false;
    jpeg_create_decompress(&s->info);
    s->info.mem->max_memory_to_use = kMaxWorkingMemory;
    return true;
}

bool guardedReadHeader(JpegSession* s, const unsigned char* data, unsigned long size) {
    if (setjmp(s->jump) != 0) return false;
    jpeg_abort_decompress(&s->info); // back to the start when the header was read before
    jpeg_mem_src(&s->info, data, size);
    jpeg_read_header(&s->info, TRUE);
    return true;
}

// Adobe software writes CMYK inverted (255 = no ink); others write plain ink amounts.
void cmykToRgb(const unsigned char* cmyk, unsigned char* rgb, JDIMENSION width, bool inverted) {
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
        const unsigned k = inverted ? cmyk[3] : 255u - cmyk[3];
        for (int c = 0; c < 3; ++c) {
            const unsigned ink = inverted ? cmyk[c] : 255u - cmyk[c];
            rgb[c] = static_cast<unsigned char>((ink * k + 127) / 255);
        }
    }
}

struct DecodeTarget {
    unsigned char* firstRow;
    qsizetype stride;
    unsigned char* cmykRows; // kRowsPerCall rows of 4 bytes per pixel, or null
    bool adobeInverted;
};

bool guardedDecode(JpegSession* s, const DecodeTarget* t) {
    if (setjmp(s->jump) != 0) return false;
    jpeg_decompress_struct& info = s->info;
    s->endOfFileIsFault = jpeg_has_multiple_scans(&info) != FALSE || info.arith_code != FALSE;
    jpeg_start_decompress(&info);
    const qsizetype cmykStride = qsizetype{4} * info.output_width;
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[kRowsPerCall];
        const JDIMENSION first = info.output_scanline;
        const JDIMENSION wanted = std::min<JDIMENSION>(kRowsPerCall, info.output_height - first);
        for (JDIMENSION i = 0; i < wanted; ++i) {
            rows[i] = t->cmykRows != nullptr ? t->cmykRows + i * cmykStride : t->firstRow + (first + i) * t->stride;
        }
        const JDIMENSION got = jpeg_read_scanlines(&info, rows, wanted);
        if (t->cmykRows != nullptr) {
            for (JDIMENSION i = 0; i < got; ++i) {
                cmykToRgb(rows[i], t->firstRow + (first + i) * t->stride, info.output_width, t->adobeInverted);
            }
        }
        s->rowsDone = first + got;
    }
    // jpeg_finish_decompress is left out on purpose: every row is there, and whatever follows the
    // last scan (a missing EOI, trailing bytes) cannot change the picture.
    return true;
}

JpegFault faultOf(const JpegSession& s) { return JpegFault{s.faultCode, s.faultText}; }

} // namespace

JpegDecompressor::JpegDecompressor(QByteArrayView data) : m_session(std::make_unique<JpegSession>()), m_data(data) {
    JpegSession& s = *m_session;
    s.info.err = jpeg_std_error(&s.errors);
    s.errors.error_exit = onError;
    s.errors.emit_message = onMessage;
    s.errors.output_message = onOutput;
    s.info.client_data = &s;
    // A failed create leaves info.mem null, which jpeg_destroy_decompress accepts.
    if (!guardedCreate(&s)) {
        const JpegFault fault = faultOf(s);
        jpeg_destroy_decompress(&s.info);
        throw JpegError(fault.code, "JPEG error #" + std::to_string(fault.code) + ": " + fault.text);
    }
}

JpegDecompressor::~JpegDecompressor() { jpeg_destroy_decompress(&m_session->info); }

std::optional<JpegFault> JpegDecompressor::readHeader(JpegHeader& header) {
    JpegSession& s = *m_session;
    s.stopOnCorruptData = false;
    const auto* bytes = reinterpret_cast<const unsigned char*>(m_data.data());
    if (!guardedReadHeader(&s, bytes, static_cast<unsigned long>(m_data.size()))) return faultOf(s);

    const jpeg_decompress_struct& info = s.info;
    header.width = static_cast<int>(info.image_width);
    header.height = static_cast<int>(info.image_height);
    header.components = info.num_components;
    header.progressive = info.progressive_mode != FALSE;
    header.greyscale = info.jpeg_color_space == JCS_GRAYSCALE;
    header.cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    header.adobeInverted = header.cmyk && info.saw_Adobe_marker != FALSE;
    const bool colour = info.jpeg_color_space == JCS_YCbCr || info.jpeg_color_space == JCS_RGB;
    if (!header.greyscale && !header.cmyk && !colour) {
        return JpegFault{JERR_CONVERSION_NOTIMPL, messageTemplate(JERR_CONVERSION_NOTIMPL)};
    }
    return std::nullopt;
}

std::optional<JpegFault> JpegDecompressor::decodeInto(QImage& image) {
    JpegHeader header;
    if (auto fault = readHeader(header)) {
        whiten(image, 0);
        return fault;
    }

    JpegSession& s = *m_session;
    jpeg_decompress_struct& info = s.info;
    info.dct_method = JDCT_ISLOW;
    info.do_block_smoothing = TRUE;
    if (header.greyscale) {
        info.out_color_space = JCS_GRAYSCALE;
        info.quantize_colors = TRUE;
        info.desired_number_of_colors = kGreyLevels;
        info.dither_mode = JDITHER_FS;
        info.two_pass_quantize = FALSE;
    } else {
        info.out_color_space = header.cmyk ? JCS_CMYK : JCS_RGB;
    }

    std::vector<unsigned char> cmykRows;
    if (header.cmyk) cmykRows.resize(std::size_t{4} * kRowsPerCall * static_cast<std::size_t>(header.width));
    const DecodeTarget target{image.bits(), image.bytesPerLine(), cmykRows.empty() ? nullptr : cmykRows.data(),
                              header.adobeInverted};
    s.stopOnCorruptData = true;
    const bool done = guardedDecode(&s, &target);
    s.stopOnCorruptData = false;

    if (header.greyscale) {
        // The colour map exists once decoding has started; before that, whiten() sets the
        // quantizer's own levels.
        QList<QRgb> table;
        for (int i = 0; info.colormap != nullptr && i < info.actual_number_of_colors; ++i) {
            const int v = info.colormap[0][i];
            table.append(qRgb(v, v, v));
        }
        image.setColorTable(table);
    }
    if (done) return std::nullopt;
    whiten(image, static_cast<int>(s.rowsDone));
    return faultOf(s);
}

void whiten(QImage& image, int fromRow) {
    if (fromRow >= image.height()) return;
    int white = 0xFF; // every byte of an RGB row
    if (image.format() == QImage::Format_Indexed8) {
        if (image.colorCount() == 0) {
            // libjpeg's evenly spaced levels: level j of 236 is (255 j + 117) / 235.
            QList<QRgb> table;
            for (int j = 0; j < kGreyLevels; ++j) {
                const int v = (255 * j + (kGreyLevels - 1) / 2) / (kGreyLevels - 1);
                table.append(qRgb(v, v, v));
            }
            image.setColorTable(table);
        }
        const QList<QRgb> table = image.colorTable();
        white = static_cast<int>(std::max_element(table.begin(), table.end(), [](QRgb a, QRgb b) {
                                     return qGray(a) < qGray(b);
                                 }) - table.begin());
    }
    for (int y = std::max(fromRow, 0); y < image.height(); ++y) {
        std::memset(image.scanLine(y), white, static_cast<std::size_t>(image.bytesPerLine()));
    }
}

std::string JpegDecompressor::messageTemplate(int code) const {
    const jpeg_error_mgr& e = m_session->errors;
    if (code < 0 || code > e.last_jpeg_message || e.jpeg_message_table == nullptr) return {};
    return e.jpeg_message_table[code];
}

} // namespace wordhoard::detail
