// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Arbitrary bytes as a page picture: the header is parsed, and unless it promises a picture too
// large to decode within the fuzzer's time limit, the pixels are decoded as the viewer does.
#include "FuzzSupport.h"

#include "JpegPicture.h"

using namespace wordhoard;
using wordhoard::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    std::optional<JpegPicture> picture;
    try {
        picture.emplace(JpegPicture::fromBytes(bytes));
    } catch (const JpegError&) {
        return 0;
    }
    check(picture->width() > 0 && picture->height() > 0, "a picture of no pixels was accepted");
    check(picture->width() <= JpegPicture::kMaxSide && picture->height() <= JpegPicture::kMaxSide,
          "a picture over the side limit was accepted");
    // Large pictures decode correctly but slowly; 4 megapixels keep a run under a second.
    if (static_cast<qint64>(picture->width()) * picture->height() > 4'000'000) return 0;
    const std::optional<JpegError> fault = picture->decode();
    const QImage& image = picture->image();
    check(image.width() == picture->width() && image.height() == picture->height(), "decoded size differs");
    check(picture->decodeFault().has_value() == fault.has_value(), "fault reported but not kept");
    check(!picture->decode().has_value(), "a fault was reported twice");
    return 0;
}
