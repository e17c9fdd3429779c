// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "text/FileAccess.h"
#include "text/MapTextfile.h"
#include "FileApiParam.h"
#include "QtPrinters.h"
#include "TempFiles.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QThread>

#include <random>
#include <thread>

using namespace wordhoard;
using wordhoard::testing::TempDir;

namespace {

class FileAccessTest : public ::testing::TestWithParam<FileApi> {
protected:
    TempDir dir;
};

QByteArray counting(qsizetype size) {
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + i / 251);
    return bytes;
}

} // namespace

WORDHOARD_FOR_EACH_FILE_API(FileAccessTest);

TEST_P(FileAccessTest, AMappingHoldsTheWholeFileUntilItGoes) {
    const QByteArray bytes = counting(100'000);
    QString error;
    auto mapped = mapFile(dir.write("t.bin", bytes), false, 1 << 20, GetParam(), error);
    ASSERT_NE(mapped, nullptr) << error.toStdString();
    EXPECT_EQ(QByteArrayView(mapped->data(), mapped->size()), QByteArrayView(bytes));
    EXPECT_TRUE(error.isEmpty());
    EXPECT_EQ(mapFile(dir.path("t.bin"), false, 99'999, GetParam(), error), nullptr);
    EXPECT_EQ(error, u"the file is 2 GiB or larger"_qs);
    EXPECT_EQ(mapFile(dir.path("nothing"), false, 1 << 20, GetParam(), error), nullptr);
    EXPECT_EQ(error, u"No such file or directory"_qs);
}

TEST_P(FileAccessTest, AReaderReadsByOffsetOnSeveralThreadsAtOnce) {
    const QByteArray bytes = counting(300'000);
    auto reader = openFileReader(dir.write("t.bin", bytes), GetParam());
    ASSERT_NE(reader, nullptr);
    char buffer[16];
    EXPECT_EQ(reader->readAt(299'990, buffer, sizeof buffer), 10); // short at the end
    EXPECT_EQ(QByteArrayView(buffer, 10), QByteArrayView(bytes).sliced(299'990));
    EXPECT_EQ(reader->readAt(300'000, buffer, sizeof buffer), 0);

    // Two threads read interleaved stretches; each must get exactly the bytes at its offsets.
    const auto readStretches = [&](qint64 first, bool& ok) {
        std::vector<char> chunk(1000);
        ok = true;
        for (qint64 at = first; at + 1000 <= bytes.size(); at += 2000) {
            ok = ok && reader->readAt(at, chunk.data(), 1000) == 1000 &&
                 QByteArrayView(chunk.data(), 1000) == QByteArrayView(bytes).sliced(at, 1000);
        }
    };
    bool okA = false;
    bool okB = false;
    std::thread other(readStretches, 1000, std::ref(okB));
    readStretches(0, okA);
    other.join();
    EXPECT_TRUE(okA);
    EXPECT_TRUE(okB);
    EXPECT_EQ(openFileReader(dir.path("nothing"), GetParam()), nullptr);
}

TEST(FileAccess, TheByteSearchesAgreeWithThePortableOnes) {
    std::mt19937 rng(8122026);
    const auto pick = [&](qsizetype n) {
        QByteArray s(n, Qt::Uninitialized);
        for (char& c : s) c = "ab#\0"[rng() % 4];
        return s;
    };
    for (int round = 0; round < 2000; ++round) {
        const QByteArray hay = pick(static_cast<qsizetype>(rng() % 60));
        const QByteArray needle = pick(static_cast<qsizetype>(rng() % 4));
        const qsizetype naive = needle.isEmpty() ? -1 : hay.indexOf(needle);
        ASSERT_EQ(findBytesPortable(hay, needle), naive);
        ASSERT_EQ(findBytes(hay, needle), naive) << hay.toHex().toStdString() << " " << needle.toHex().toStdString();
        for (const char byte : {'#', '\0'}) {
            qsizetype last = -1;
            for (qsizetype i = 0; i < hay.size(); ++i) last = hay[i] == byte ? i : last;
            ASSERT_EQ(findLastBytePortable(hay, byte), last);
            ASSERT_EQ(findLastByte(hay, byte), last);
        }
    }
}

// A mapped text whose file is cut short, then overwritten: reads past the new end give zeros
// instead of ending the process, and the text tells that the file is no longer what it opened.
// (Qt's mapping has no guard: Windows, which builds it alone, refuses to shorten a mapped file.)
TEST(MappedTextGuard, ReadsPastTheEndOfAShrunkFileGiveZerosAndSayTheTextChanged) {
    const TempDir dir;
    const QByteArray bytes = counting(200'000);
    const QString path = dir.write("t.bin", bytes);
    TMapTextfile text;
    ASSERT_EQ(text.Open(path, false, FileApi::Posix), 0);
    EXPECT_FALSE(text.changedOnDisk());
    ASSERT_TRUE(QFile::resize(path, 10'000));
    EXPECT_TRUE(text.changedOnDisk()); // by the file's state alone
    EXPECT_EQ(text.CharAt(5000), static_cast<unsigned char>(bytes[5000])); // still there
    EXPECT_EQ(text.CharAt(150'000), 0);
    EXPECT_EQ(text.bytes().sliced(190'000).count('\0'), 10'000);
    // A second mapping of the same file is guarded on its own.
    TMapTextfile other;
    ASSERT_EQ(other.Open(path, false, FileApi::Posix), 0);
    EXPECT_FALSE(other.changedOnDisk());
    EXPECT_EQ(other.size(), 10'000);

    // Overwritten in place with bytes of the same length: the time of change tells (the kernel
    // stamps it at its tick, a few milliseconds).
    QThread::msleep(30);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QByteArray(10'000, 'x'));
    file.close();
    EXPECT_TRUE(other.changedOnDisk());
}
