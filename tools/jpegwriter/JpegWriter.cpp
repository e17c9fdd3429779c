// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "JpegWriter.h"

#include "JpegPicture.h"

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE declared first
#include <cstdlib>
#include <memory>
#include <string>

#include <jpeglib.h>

namespace wordhoard {

namespace {

// Everything libjpeg touches while compressing, at one stable address; plain data only, since a
// longjmp out of libjpeg must not skip a destructor.
struct CompressSession {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    std::jmp_buf jump;
    unsigned char* output = nullptr; // malloc'ed by libjpeg's memory destination
    unsigned long outputSize = 0;
    int faultCode = 0;
    char faultText[JMSG_LENGTH_MAX];
};

[[noreturn]] void onCompressError(j_common_ptr info) {
    auto* session = static_cast<CompressSession*>(info->client_data);
    session->faultCode = info->err->msg_code;
    info->err->format_message(info, session->faultText);
    std::longjmp(session->jump, 1);
}

void onCompressOutput(j_common_ptr) {}

struct Source {
    const QImage* image;
    const JpegWriteOptions* options;
    bool grey;
};

// Owns nothing with a destructor: libjpeg may longjmp back to its setjmp.
bool guardedCompress(CompressSession* s, const Source* src) {
    if (setjmp(s->jump) != 0) return false;
    jpeg_compress_struct& info = s->info;
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &s->output, &s->outputSize);
    info.image_width = static_cast<JDIMENSION>(src->image->width());
    info.image_height = static_cast<JDIMENSION>(src->image->height());
    info.input_components = src->grey ? 1 : 3;
    info.in_color_space = src->grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, src->options->quality, TRUE);
    if (src->options->progressive) jpeg_simple_progression(&info);
    info.restart_in_rows = src->options->restartRows;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        // libjpeg never writes through the row pointer it is given.
        JSAMPROW row = const_cast<JSAMPROW>(src->image->constScanLine(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    return true;
}

struct SessionCleanup {
    void operator()(CompressSession* s) const {
        jpeg_destroy_compress(&s->info);
        std::free(s->output);
        delete s;
    }
};

} // namespace

QByteArray encodeJpeg(const QImage& image, const JpegWriteOptions& options) {
    const bool grey = image.format() == QImage::Format_Grayscale8;
    const QImage pixels = grey ? image : image.convertToFormat(QImage::Format_RGB888);

    std::unique_ptr<CompressSession, SessionCleanup> session(new CompressSession());
    session->info.err = jpeg_std_error(&session->errors);
    session->errors.error_exit = onCompressError;
    session->errors.output_message = onCompressOutput;
    session->info.client_data = session.get();

    const Source source{&pixels, &options, grey};
    if (!guardedCompress(session.get(), &source)) {
        throw JpegError(session->faultCode,
                        "JPEG error #" + std::to_string(session->faultCode) + ": " + session->faultText);
    }
    return QByteArray(reinterpret_cast<const char*>(session->output), static_cast<qsizetype>(session->outputSize));
}

} // namespace wordhoard
