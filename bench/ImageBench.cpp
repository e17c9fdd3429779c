// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Loading a page (file read + header parse) must stay far below a frame: < 5 ms for 1 MB.
#include "JpegPicture.h"
#include "JpegWriter.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <random>

namespace {

// A greyscale picture of noise compresses badly: 1100 x 1100 at quality 90 is about 1 MB.
QByteArray noisyJpeg(int side, int quality) {
    QImage image(side, side, QImage::Format_Grayscale8);
    std::mt19937 rng(7);
    for (int y = 0; y < side; ++y) {
        uchar* row = image.scanLine(y);
        for (int x = 0; x < side; ++x) row[x] = static_cast<uchar>(rng());
    }
    return wordhoard::encodeJpeg(image, {.quality = quality});
}

void BM_LoadPageFromFile(benchmark::State& state) {
    QTemporaryDir dir;
    const QByteArray jpeg = noisyJpeg(1100, 90);
    const QString path = dir.filePath(QStringLiteral("page.jpg"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(jpeg) != jpeg.size()) {
        state.SkipWithError("cannot write the test file");
        return;
    }
    file.close();
    for (auto _ : state) {
        wordhoard::JpegPicture picture = wordhoard::JpegPicture::fromFile(path);
        benchmark::DoNotOptimize(picture.width());
    }
    state.counters["file_bytes"] = static_cast<double>(jpeg.size());
    state.SetBytesProcessed(state.iterations() * jpeg.size());
}
BENCHMARK(BM_LoadPageFromFile)->Unit(benchmark::kMicrosecond);

void BM_DecodeGreyPage(benchmark::State& state) {
    const QByteArray jpeg = noisyJpeg(1200, 75);
    for (auto _ : state) {
        wordhoard::JpegPicture picture = wordhoard::JpegPicture::fromBytes(jpeg);
        benchmark::DoNotOptimize(picture.image().constBits());
    }
}
BENCHMARK(BM_DecodeGreyPage)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
