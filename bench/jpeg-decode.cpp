// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Loads and first-draws JPEG files the way the page viewer does, so whole-process timings can be
// set beside djpeg's (bench/jpeg-bench).
//   jpeg-decode FILE...               read, parse the header, decode the pixels
//   jpeg-decode --load-only FILE...   read and parse the header only
// Exit status: 0 when every file gave a picture, 1 when any failed at load or while decoding.
#include "JpegPicture.h"

#include <cstdio>
#include <cstring>

int main(int argc, char* argv[]) {
    bool loadOnly = false;
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--load-only") == 0) {
            loadOnly = true;
            continue;
        }
        try {
            wordhoard::JpegPicture picture = wordhoard::JpegPicture::fromFile(QString::fromLocal8Bit(argv[i]));
            if (!loadOnly) {
                if (auto fault = picture.decode()) {
                    std::fprintf(stderr, "%s: %s\n", argv[i], fault->what());
                    status = 1;
                }
            }
        } catch (const wordhoard::JpegError& e) {
            std::fprintf(stderr, "%s: %s\n", argv[i], e.what());
            status = 1;
        }
    }
    return status;
}
