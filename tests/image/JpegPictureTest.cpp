// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "JpegDecompressor.h"
#include "JpegPicture.h"
#include "JpegWriter.h"
#include "QtPrinters.h"
#include "TempFiles.h"

#include <gtest/gtest.h>

#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <jpeglib.h>
#include <jerror.h>

using namespace wordhoard;
using wordhoard::testing::TempDir;

namespace {

// A grey picture whose every row is one shade, darker further down: 30, 31, 32, ...
QImage greyRamp(int width, int height) {
    QImage image(width, height, QImage::Format_Grayscale8);
    for (int y = 0; y < height; ++y) memset(image.scanLine(y), 30 + y % 200, static_cast<size_t>(width));
    return image;
}

QImage colourBlocks(int width, int height) {
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) image.setPixelColor(x, y, QColor(x < width / 2 ? 200 : 20, 90, y < height / 2 ? 40 : 220));
    }
    return image;
}

int grey(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)); }

std::string decodeMessage(int code) { return "JPEG error #" + std::to_string(code); }

// The offset of the frame header's height field (SOF0 or SOF2 marker + 5).
qsizetype frameSizeOffset(const QByteArray& jpeg) {
    for (qsizetype i = 2; i + 9 < jpeg.size(); ++i) {
        const auto b = static_cast<unsigned char>(jpeg[i + 1]);
        if (static_cast<unsigned char>(jpeg[i]) == 0xFF && (b == 0xC0 || b == 0xC2)) return i + 5;
    }
    return -1;
}

QByteArray withFrameSize(QByteArray jpeg, int width, int height) {
    const qsizetype at = frameSizeOffset(jpeg);
    EXPECT_GT(at, 0);
    jpeg[at] = static_cast<char>(height >> 8);
    jpeg[at + 1] = static_cast<char>(height & 0xFF);
    jpeg[at + 2] = static_cast<char>(width >> 8);
    jpeg[at + 3] = static_cast<char>(width & 0xFF);
    return jpeg;
}

int loadErrorCode(const QByteArray& bytes) {
    try {
        JpegPicture::fromBytes(bytes);
    } catch (const JpegError& e) {
        EXPECT_TRUE(std::string(e.what()).starts_with(decodeMessage(e.code()) + ": ")) << e.what();
        return e.code();
    }
    ADD_FAILURE() << "the picture loaded";
    return 0;
}

} // namespace

TEST(JpegPicture, ColourBaselineDecodesToRgbOfTheHeaderSize) {
    const QImage source = colourBlocks(37, 23);
    JpegPicture picture = JpegPicture::fromBytes(encodeJpeg(source, {.quality = 95}));
    EXPECT_EQ(picture.width(), 37);
    EXPECT_EQ(picture.height(), 23);
    EXPECT_FALSE(picture.isProgressive());
    EXPECT_FALSE(picture.isGreyscale());
    EXPECT_FALSE(picture.isDecoded());

    const QImage& image = picture.image();
    EXPECT_TRUE(picture.isDecoded());
    ASSERT_EQ(image.format(), QImage::Format_RGB888);
    ASSERT_EQ(image.size(), QSize(37, 23));
    for (const QPoint p : {QPoint(3, 3), QPoint(33, 3), QPoint(3, 19), QPoint(33, 19)}) {
        const QColor want = source.pixelColor(p), got = image.pixelColor(p);
        EXPECT_NEAR(got.red(), want.red(), 12) << p.x() << "," << p.y();
        EXPECT_NEAR(got.green(), want.green(), 12) << p.x() << "," << p.y();
        EXPECT_NEAR(got.blue(), want.blue(), 12) << p.x() << "," << p.y();
    }
    EXPECT_FALSE(picture.decodeFault().has_value());
}

TEST(JpegPicture, GreyscaleGoesThroughTheQuantizerTo236Levels) {
    JpegPicture picture = JpegPicture::fromBytes(encodeJpeg(greyRamp(64, 200), {.quality = 90}));
    EXPECT_TRUE(picture.isGreyscale());
    const QImage& image = picture.image();
    ASSERT_EQ(image.format(), QImage::Format_Indexed8);
    EXPECT_EQ(image.colorCount(), 236);
    for (QRgb c : image.colorTable()) EXPECT_TRUE(qRed(c) == qGreen(c) && qGreen(c) == qBlue(c));
    EXPECT_EQ(image.colorTable().front(), qRgb(0, 0, 0));
    EXPECT_EQ(image.colorTable().back(), qRgb(255, 255, 255));
    // 236 levels over 0..255 are at most 2 apart, and dithering keeps row averages close.
    for (int y : {5, 100, 190}) {
        int sum = 0;
        for (int x = 0; x < 64; ++x) sum += grey(image, x, y);
        EXPECT_NEAR(sum / 64.0, 30 + y, 3.0) << "row " << y;
    }
}

TEST(JpegPicture, ProgressiveDecodesCompletelyAndLikeBaseline) {
    const QImage source = greyRamp(48, 120);
    JpegPicture progressive = JpegPicture::fromBytes(encodeJpeg(source, {.quality = 80, .progressive = true}));
    JpegPicture baseline = JpegPicture::fromBytes(encodeJpeg(source, {.quality = 80}));
    EXPECT_TRUE(progressive.isProgressive());
    EXPECT_FALSE(baseline.isProgressive());
    const QImage& a = progressive.image();
    const QImage& b = baseline.image();
    ASSERT_EQ(a.size(), b.size());
    // Both code the same coefficients, so the last row is as dark as the source, not left white.
    int diff = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) diff = std::max(diff, std::abs(grey(a, x, y) - grey(b, x, y)));
    }
    EXPECT_LE(diff, 4);
    EXPECT_NEAR(grey(a, 24, 119), 30 + 119, 6);
}

TEST(JpegPicture, DecodesOnceAndKeepsThePicture) {
    JpegPicture picture = JpegPicture::fromBytes(encodeJpeg(colourBlocks(16, 16)));
    EXPECT_FALSE(picture.decode().has_value());
    const qint64 key = picture.image().cacheKey();
    EXPECT_FALSE(picture.decode().has_value());
    EXPECT_EQ(picture.image().cacheKey(), key);
}

TEST(JpegPicture, TruncatedDataIsReportedOnceAndTheDecodedRowsKept) {
    // Dark rows throughout: any row still white was never decoded.
    const QByteArray whole = encodeJpeg(greyRamp(64, 256), {.quality = 75});
    JpegPicture picture = JpegPicture::fromBytes(whole.left(whole.size() / 2));
    EXPECT_EQ(picture.height(), 256); // the header is intact, so loading succeeds

    try {
        (void)picture.image();
        FAIL() << "no fault reported";
    } catch (const JpegError& e) {
        // Data that stops short runs into the end marker libjpeg supplies.
        EXPECT_EQ(std::string(e.what()), decodeMessage(JWRN_HIT_MARKER));
        EXPECT_EQ(e.code(), JWRN_HIT_MARKER);
    }
    const QImage& image = picture.image(); // reported once: no second throw
    ASSERT_TRUE(picture.decodeFault().has_value());
    EXPECT_EQ(picture.decodeFault()->code(), JWRN_HIT_MARKER);
    EXPECT_FALSE(picture.decode().has_value());
    EXPECT_LT(grey(image, 10, 2), 60);
    EXPECT_EQ(grey(image, 10, 255), 255);
}

TEST(JpegPicture, TruncatedProgressiveFileShowsNothingButTheBackground) {
    const QByteArray whole = encodeJpeg(greyRamp(32, 64), {.progressive = true});
    JpegPicture picture = JpegPicture::fromBytes(whole.left(whole.size() * 3 / 4));
    const std::optional<JpegError> fault = picture.decode();
    ASSERT_TRUE(fault.has_value());
    EXPECT_EQ(std::string(fault->what()), decodeMessage(fault->code()));
    EXPECT_TRUE(fault->code() == JWRN_JPEG_EOF || fault->code() == JWRN_HIT_MARKER) << fault->code();
    // All scans are absorbed before the first row comes out, so no row was written.
    const QImage& image = picture.image();
    EXPECT_EQ(image.size(), QSize(32, 64));
    EXPECT_EQ(grey(image, 5, 5), 255);
    EXPECT_EQ(grey(image, 30, 60), 255);
}

TEST(JpegPicture, ProgressiveFileCutBetweenScansIsAFault) {
    // No scan is damaged, so only the missing end tells that scans are missing.
    const QByteArray whole = encodeJpeg(greyRamp(32, 64), {.progressive = true});
    const qsizetype secondScan = whole.indexOf("\xFF\xDA", whole.indexOf("\xFF\xDA") + 2);
    ASSERT_GT(secondScan, 0);
    JpegPicture picture = JpegPicture::fromBytes(whole.left(secondScan));
    const std::optional<JpegError> fault = picture.decode();
    ASSERT_TRUE(fault.has_value());
    EXPECT_EQ(fault->code(), JWRN_JPEG_EOF);
}

TEST(JpegPicture, NothingAfterTheLastRowCountsAsAFault) {
    QByteArray noEnd = encodeJpeg(greyRamp(16, 16));
    ASSERT_TRUE(noEnd.endsWith("\xFF\xD9"));
    noEnd.chop(2);
    JpegPicture picture = JpegPicture::fromBytes(noEnd);
    EXPECT_FALSE(picture.decode().has_value());
}

TEST(JpegPicture, FaultsInTheFileOrItsHeaderAreRaisedAtLoad) {
    EXPECT_EQ(loadErrorCode(QByteArray("\x89PNG\r\n\x1a\n0000000000000", 21)), JERR_NO_SOI);
    EXPECT_EQ(loadErrorCode(QByteArray()), JERR_INPUT_EMPTY);
    const QByteArray whole = encodeJpeg(colourBlocks(8, 8));
    EXPECT_NE(loadErrorCode(whole.left(40)), 0); // cut inside the header tables
    EXPECT_EQ(loadErrorCode(withFrameSize(whole, 8, 0)), JERR_EMPTY_IMAGE);
}

TEST(JpegPicture, AbsurdSizesAreRefusedBeforeAnythingIsAllocated) {
    const QByteArray grey = encodeJpeg(greyRamp(8, 8));
    const QByteArray colour = encodeJpeg(colourBlocks(8, 8));
    EXPECT_EQ(loadErrorCode(withFrameSize(grey, 16385, 8)), JERR_IMAGE_TOO_BIG);
    EXPECT_EQ(loadErrorCode(withFrameSize(grey, 8, 16385)), JERR_IMAGE_TOO_BIG);
    EXPECT_EQ(loadErrorCode(withFrameSize(colour, 65000, 65000)), JERR_IMAGE_TOO_BIG);
    // 256 MiB of pixels is the line: one byte per grey pixel, three per colour pixel.
    EXPECT_NO_THROW(JpegPicture::fromBytes(withFrameSize(grey, 16384, 16384)));
    EXPECT_NO_THROW(JpegPicture::fromBytes(withFrameSize(colour, 16384, 5461)));
    EXPECT_EQ(loadErrorCode(withFrameSize(colour, 16384, 5462)), JERR_IMAGE_TOO_BIG);
}

TEST(JpegPicture, FromFileReadsTheWholeFileOrSaysWhyNot) {
    TempDir dir;
    const QByteArray bytes = encodeJpeg(colourBlocks(20, 10));
    JpegPicture picture = JpegPicture::fromFile(dir.write("page.jpg", bytes));
    EXPECT_EQ(picture.width(), 20);
    EXPECT_EQ(picture.image().size(), QSize(20, 10));

    try {
        JpegPicture::fromFile(dir.path("missing.jpg"));
        FAIL() << "a missing file loaded";
    } catch (const JpegError& e) {
        EXPECT_EQ(e.code(), -1);
        EXPECT_NE(std::string(e.what()).find("missing.jpg"), std::string::npos) << e.what();
    }

    // A sparse file: far too large to be a page, refused before it is read.
    QFile huge(dir.write("huge.jpg", bytes));
    ASSERT_TRUE(huge.resize(JpegPicture::kMaxFileBytes + 1));
    EXPECT_THROW(JpegPicture::fromFile(huge.fileName()), JpegError);
}

// Damaged files from a fixed seed: each must load and draw to a picture of its header's size, or
// fail with a JpegError; never crash (the sanitizer build runs this too).
TEST(JpegPicture, RandomlyDamagedFilesGiveAPictureOrAnError) {
    std::mt19937 rng(2024);
    int loaded = 0, faulted = 0;
    const QByteArray sources[] = {encodeJpeg(colourBlocks(40, 24), {.quality = 60}),
                                  encodeJpeg(colourBlocks(40, 24), {.quality = 60, .progressive = true}),
                                  encodeJpeg(greyRamp(40, 24), {.quality = 60, .restartRows = 1})};
    for (const QByteArray& whole : sources) {
        for (int round = 0; round < 100; ++round) {
            QByteArray damaged = whole;
            for (int flips = 1 + static_cast<int>(rng() % 4); flips > 0; --flips) {
                damaged[static_cast<qsizetype>(rng() % static_cast<unsigned>(damaged.size()))] = static_cast<char>(rng());
            }
            try {
                JpegPicture picture = JpegPicture::fromBytes(damaged);
                ++loaded;
                if (picture.decode()) ++faulted;
                EXPECT_EQ(picture.image().size(), QSize(picture.width(), picture.height()));
            } catch (const JpegError& e) {
                EXPECT_TRUE(std::string(e.what()).starts_with("JPEG error #")) << e.what();
            }
        }
    }
    // The seed damages enough files for every outcome to occur.
    EXPECT_GT(loaded, 0);
    EXPECT_GT(faulted, 0);
    EXPECT_LT(loaded, 300);
}

TEST(JpegPicture, UndecodedRowsAreWhitened) {
    QImage grey(4, 3, QImage::Format_Indexed8); // no colours yet: a fault before libjpeg made its map
    detail::whiten(grey, 0);
    EXPECT_EQ(grey.colorCount(), 236);
    EXPECT_EQ(grey.color(118), qRgb(128, 128, 128)); // (255 * 118 + 117) / 235
    for (int y = 0; y < 3; ++y) EXPECT_EQ(grey.pixel(3, y), qRgb(255, 255, 255));

    QImage colour(4, 3, QImage::Format_RGB888);
    colour.fill(Qt::black);
    detail::whiten(colour, 2);
    EXPECT_EQ(colour.pixel(3, 1), qRgb(0, 0, 0));
    EXPECT_EQ(colour.pixel(3, 2), qRgb(255, 255, 255));
}

TEST(JpegWriter, RestartMarkersAndEmptyPictures) {
    const QByteArray withRestarts = encodeJpeg(greyRamp(64, 64), {.restartRows = 1});
    EXPECT_TRUE(withRestarts.contains("\xFF\xDD")); // the DRI segment
    JpegPicture picture = JpegPicture::fromBytes(withRestarts);
    EXPECT_FALSE(picture.decode().has_value());
    EXPECT_THROW(encodeJpeg(QImage()), JpegError);
}
