// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Loads and draws JPEG files that other projects made: real encoders' output and files crafted
// to break decoders.
#include "JpegPicture.h"
#include "QtPrinters.h"
#include "TempFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <cstdio>
#include <jpeglib.h>
#include <jerror.h>

#include <map>

using namespace wordhoard;

namespace {

QString testDataDir() { return wordhoard::testing::testDataPath(QStringLiteral("jpeg")); }

struct Outcome {
    std::optional<JpegError> loadError;
    std::optional<JpegError> decodeFault;
    QImage image;
    int width = 0;
    int height = 0;
    bool progressive = false;
};

Outcome loadAndDraw(const QString& path) {
    Outcome out;
    try {
        JpegPicture picture = JpegPicture::fromFile(path);
        out.width = picture.width();
        out.height = picture.height();
        out.progressive = picture.isProgressive();
        out.decodeFault = picture.decode();
        EXPECT_FALSE(picture.decode().has_value()) << "a fault is reported once";
        out.image = picture.image();
    } catch (const JpegError& e) {
        out.loadError = e;
    }
    return out;
}

std::map<QString, Outcome> loadAll() {
    std::map<QString, Outcome> all;
    const QDir root(testDataDir());
    QDirIterator it(root.path(), {QStringLiteral("*.jpg")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        all.emplace(root.relativeFilePath(path), loadAndDraw(path));
    }
    return all;
}

class JpegTestData : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(testDataDir()).exists()) << "no JPEG test data at " << testDataDir().toStdString();
        static const std::map<QString, Outcome> all = loadAll();
        m_all = &all;
    }
    const Outcome& at(const char* relative) const {
        const auto it = m_all->find(QString::fromUtf8(relative));
        if (it == m_all->end()) throw std::runtime_error(std::string("test file missing: ") + relative);
        return it->second;
    }
    const std::map<QString, Outcome>* m_all = nullptr;
};

// Pixels as djpeg writes them (the bytes after a binary PNM header); throws without djpeg
// (scripts/install-deps installs it).
QByteArray djpegPixels(const QString& path, const QStringList& options) {
    const QString djpeg = QStandardPaths::findExecutable(QStringLiteral("djpeg"));
    if (djpeg.isEmpty()) throw std::runtime_error("djpeg is not installed (package libjpeg-turbo-progs)");
    QProcess process;
    process.start(djpeg, options + QStringList{QStringLiteral("-pnm"), path});
    if (!process.waitForFinished(30000)) return {};
    const QByteArray pnm = process.readAllStandardOutput();
    // "P6\n227 149\n255\n" and then the pixels.
    qsizetype at = 0;
    for (int newlines = 0; newlines < 3 && at >= 0; ++newlines) at = pnm.indexOf('\n', at) + 1;
    return at > 0 ? pnm.mid(at) : QByteArray();
}

QByteArray ourPixels(const QImage& image) {
    QByteArray bytes;
    for (int y = 0; y < image.height(); ++y) {
        if (image.format() == QImage::Format_Indexed8) {
            for (int x = 0; x < image.width(); ++x) bytes.append(static_cast<char>(qRed(image.pixel(x, y))));
        } else {
            bytes.append(reinterpret_cast<const char*>(image.constScanLine(y)), qsizetype{3} * image.width());
        }
    }
    return bytes;
}

} // namespace

TEST_F(JpegTestData, EveryFileGivesAPictureOrAClearError) {
    ASSERT_GE(m_all->size(), 40u);
    const QRegularExpression decodeMessage(QStringLiteral("^JPEG error #\\d+$"));
    const QRegularExpression loadMessage(QStringLiteral("^(JPEG error #\\d+: .+|Cannot read .+)$"));
    for (const auto& [name, out] : *m_all) {
        SCOPED_TRACE(name.toStdString());
        if (out.loadError) {
            EXPECT_TRUE(loadMessage.match(QString::fromUtf8(out.loadError->what())).hasMatch()) << out.loadError->what();
            continue;
        }
        ASSERT_EQ(out.image.size(), QSize(out.width, out.height));
        EXPECT_TRUE(out.image.format() == QImage::Format_RGB888 || out.image.format() == QImage::Format_Indexed8);
        if (out.image.format() == QImage::Format_Indexed8) {
            EXPECT_LE(out.image.colorCount(), 236);
        }
        if (out.decodeFault) {
            EXPECT_TRUE(decodeMessage.match(QString::fromUtf8(out.decodeFault->what())).hasMatch());
        }
    }
}

TEST_F(JpegTestData, SoundFilesOfEveryKindDecodeWithoutFault) {
    const Outcome& baseline = at("libjpeg-turbo/testorig.jpg");
    ASSERT_FALSE(baseline.loadError);
    EXPECT_FALSE(baseline.decodeFault);
    EXPECT_EQ(baseline.image.size(), QSize(227, 149));
    EXPECT_EQ(baseline.image.format(), QImage::Format_RGB888);

    const Outcome& grey = at("libjpeg-turbo/historical/testimggray.jpg");
    ASSERT_FALSE(grey.loadError);
    EXPECT_EQ(grey.image.format(), QImage::Format_Indexed8);
    EXPECT_LE(grey.image.colorCount(), 236);

    const Outcome& progressive = at("libjpeg-turbo/historical/testimgp.jpg");
    ASSERT_FALSE(progressive.loadError);
    EXPECT_TRUE(progressive.progressive);
    EXPECT_FALSE(progressive.decodeFault);

    for (const char* name : {"libjpeg-turbo/testimgari.jpg", "jpeg-decoder/reftest/ycck.jpg",
                             "jpeg-decoder/reftest/mozilla/jpg-cmyk-1.jpg", "jpeg-decoder/reftest/restarts.jpg",
                             "jpeg-decoder/reftest/mjpeg.jpg", "jpeg-decoder/reftest/mozilla/jpg-size-1x1.jpg"}) {
        SCOPED_TRACE(name);
        const Outcome& out = at(name);
        ASSERT_FALSE(out.loadError) << out.loadError->what();
        EXPECT_FALSE(out.decodeFault);
        EXPECT_FALSE(out.image.isNull());
    }
}

TEST_F(JpegTestData, UnsupportedOrBrokenHeadersFailAtLoad) {
    const std::pair<const char*, int> expected[] = {
        {"libjpeg-turbo/monkey12.jpg", JERR_BAD_PRECISION},
        {"libjpeg-turbo/historical/testorig12.jpg", JERR_BAD_PRECISION},
        {"libjpeg-turbo/historical/test_optimize_12b.jpg", JERR_BAD_PRECISION},
        {"jpeg-decoder/reftest/jpeg_lossless_sel1.jpg", JERR_SOF_UNSUPPORTED},
        {"jpeg-decoder/crashtest/max_size.jpg", JERR_IMAGE_TOO_BIG},
        {"jpeg-decoder/crashtest/empty.jpg", JERR_INPUT_EMPTY},
        {"jpeg-decoder/crashtest/null_height.jpg", JERR_EMPTY_IMAGE},
        {"jpeg-decoder/crashtest/missing-sos.jpg", JERR_SOF_NO_SOS},
    };
    for (const auto& [name, code] : expected) {
        const Outcome& out = at(name);
        ASSERT_TRUE(out.loadError) << name;
        EXPECT_EQ(out.loadError->code(), code) << name << ": " << out.loadError->what();
    }
}

TEST_F(JpegTestData, DamagedDataIsAFaultOnFirstDraw) {
    for (const char* name : {"jpeg-decoder/reftest/partial_progressive.jpg", "jpeg-decoder/reftest/progressive-missing-dc.jpg"}) {
        const Outcome& out = at(name);
        ASSERT_FALSE(out.loadError) << name;
        ASSERT_TRUE(out.decodeFault) << name;
        EXPECT_EQ(out.image.size(), QSize(out.width, out.height));
    }
}

// The pixels must be libjpeg's own for these settings, which djpeg applies the same way.
TEST_F(JpegTestData, PixelsMatchLibjpegsOwnTool) {
    const struct {
        const char* name;
        QStringList options;
    } cases[] = {
        {"libjpeg-turbo/testorig.jpg", {}},
        {"libjpeg-turbo/historical/testimgp.jpg", {}},
        {"libjpeg-turbo/historical/testimggray.jpg", {"-colors", "236", "-dither", "fs"}},
        {"jpeg-decoder/reftest/ycck.jpg", {}},
    };
    for (const auto& c : cases) {
        const QByteArray reference = djpegPixels(testDataDir() + '/' + QString::fromUtf8(c.name), c.options);
        ASSERT_FALSE(reference.isEmpty()) << "djpeg gave nothing for " << c.name;
        const Outcome& out = at(c.name);
        ASSERT_FALSE(out.loadError) << c.name;
        EXPECT_TRUE(ourPixels(out.image) == reference) << c.name;
    }
}
