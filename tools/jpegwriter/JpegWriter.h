// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QImage>

namespace wordhoard {

struct JpegWriteOptions {
    int quality = 75;          // libjpeg's 0..100 scale
    bool progressive = false;  // libjpeg's standard progression script instead of one baseline scan
    int restartRows = 0;       // a restart marker every this many MCU rows (0: none)
};

// Compresses `image` with libjpeg: a Format_Grayscale8 picture as a one-component greyscale
// file, any other format as colour. Used to make the sample page pictures and test data.
// Throws JpegError when libjpeg refuses (an empty picture, for instance).
QByteArray encodeJpeg(const QImage& image, const JpegWriteOptions& options = {});

} // namespace wordhoard
