// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "text/TextLoad.h"

#include "FileApiParam.h"
#include "QtPrinters.h"
#include "TempFiles.h"

#include <gtest/gtest.h>

#include <QFile>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>
#include <utility>

using namespace wordhoard;
using wordhoard::testing::TempDir;

namespace {

void expectSameIndex(const EntryIndex& a, const EntryIndex& b) {
    ASSERT_EQ(a.offsets, b.offsets);
    for (qsizetype i = 0; i < a.size(); ++i) EXPECT_EQ(a.headword(i), b.headword(i)) << i;
}

// About 700 KB of entries, headwords straddling every part boundary, and a last entry cut short.
QByteArray manyEntries() {
    QByteArray bytes = "@wh_b0001\r\n";
    for (int i = 0; bytes.size() < 700 * 1024; ++i) {
        bytes += "#<b>h&aelig;" + QByteArray::number(i) + "</b> <i>n.</i> " + QByteArray(i % 97, 'x') + "\r\n";
    }
    return bytes + "#<b>no end";
}

EntryIndex indexOfMapping(const QString& path) {
    TMapTextfile mapped;
    EXPECT_EQ(mapped.Open(path, false), 0);
    return buildEntryIndex(mapped);
}

// Makes the loading thread and the taking thread each read one part at the same time, and lets
// the first read of one of them fail: so both threads hold a part when the failure happens.
class MeetingReader : public FileReader {
public:
    FileState state() override { return m_real->state(); }
    MeetingReader(std::unique_ptr<FileReader> real, bool failOnTakingThread)
        : m_real(std::move(real)), m_taker(std::this_thread::get_id()), m_failOnTaker(failOnTakingThread) {}

    qint64 readAt(qint64 offset, char* buffer, qint64 size) override {
        const bool taker = std::this_thread::get_id() == m_taker;
        bool first = false;
        {
            std::unique_lock lock(m_mutex);
            first = m_seen.insert(std::this_thread::get_id()).second;
            if (first) {
                m_changed.notify_all();
                m_changed.wait(lock, [this] { return m_seen.size() == 2; });
            }
        }
        if (first && taker == m_failOnTaker) return -1;
        return m_real->readAt(offset, buffer, size);
    }

private:
    std::unique_ptr<FileReader> m_real;
    const std::thread::id m_taker;
    const bool m_failOnTaker;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::set<std::thread::id> m_seen;
};

class TextLoadTest : public ::testing::TestWithParam<FileApi> {
protected:
    LoadOptions options(qint64 partSize = LoadOptions::kPartSize) const {
        LoadOptions made;
        made.partSize = partSize;
        made.api = GetParam();
        return made;
    }
    TempDir dir;
};

} // namespace

WORDHOARD_FOR_EACH_FILE_API(TextLoadTest);

// Loading reads the file in pieces; the result must be what mapping and indexing the whole
// gives, also for headwords that straddle the pieces of a text larger than one.
TEST_P(TextLoadTest, GivesTheMappedTextAndItsIndex) {
    const QByteArray bytes = manyEntries();
    const QString path = dir.write("t.txt", bytes);
    const EntryIndex expected = indexOfMapping(path);
    for (const qint64 partSize : {LoadOptions::kPartSize, qint64{64} * 1024}) {
        // Start-up's parts, and parts small enough for both threads to share them.
        LoadedText loaded = PendingText(path, {}, options(partSize)).take();
        ASSERT_TRUE(loaded.text->opened());
        EXPECT_EQ(loaded.text->bytes(), QByteArrayView(bytes));
        expectSameIndex(loaded.index, expected);
        EXPECT_EQ(loaded.index.headword(loaded.index.size() - 1), u"no end"_qs);
    }
}

TEST_P(TextLoadTest, AFileThatDoesNotOpenGivesAClosedTextWithItsReason) {
    for (const QString& path : {dir.path("missing.txt"), dir.write("empty.txt", {})}) {
        LoadedText loaded = PendingText(path, {}, options()).take();
        ASSERT_NE(loaded.text, nullptr);
        EXPECT_FALSE(loaded.text->opened());
        EXPECT_FALSE(loaded.text->errorString().isEmpty());
        EXPECT_TRUE(loaded.index.empty());
    }
}

// A read that fails after the text opened, on either thread, while the other thread still reads
// a part: exactly one join, which maps and indexes the whole file again.
TEST_P(TextLoadTest, AFailedReadOnEitherThreadIndexesTheFileAgainOnce) {
    const QByteArray bytes = manyEntries();
    const QString path = dir.write("t.txt", bytes);
    const EntryIndex expected = indexOfMapping(path);
    for (const bool failOnTakingThread : {true, false}) {
        SCOPED_TRACE(failOnTakingThread ? "the taking thread fails" : "the loading thread fails");
        LoadOptions failing = options(16 * 1024);
        failing.openReader = [failOnTakingThread](const QString& name, FileApi api,
                                                  QString& error) -> std::unique_ptr<FileReader> {
            return std::make_unique<MeetingReader>(openFileReader(name, api, error), failOnTakingThread);
        };
        LoadedText loaded = PendingText(path, {}, failing).take();
        ASSERT_TRUE(loaded.text->opened());
        EXPECT_EQ(loaded.text->bytes(), QByteArrayView(bytes));
        expectSameIndex(loaded.index, expected);
    }
}

TEST_P(TextLoadTest, AFileThatCannotBeReadGivesAClosedTextWithItsReason) {
    const QString path = dir.write("t.txt", manyEntries());
    LoadOptions unreadable = options(16 * 1024);
    unreadable.openReader = [](const QString&, FileApi, QString& error) {
        error = u"Permission denied"_qs;
        return std::unique_ptr<FileReader>();
    };
    LoadedText loaded = PendingText(path, {}, unreadable).take();
    EXPECT_FALSE(loaded.text->opened());
    EXPECT_EQ(loaded.text->errorString(), u"Permission denied"_qs);
    EXPECT_FALSE(PendingText(dir.path(""), {}, options()).take().text->opened()); // a directory
}

// Reads as the file does, but once the load has read `after` bytes, has the file truncated or
// overwritten with other bytes, as another program would (the first reading only).
class ChangingReader : public FileReader {
public:
    ChangingReader(std::unique_ptr<FileReader> real, QString path, qint64 after, QByteArray replacement)
        : m_real(std::move(real)), m_path(std::move(path)), m_after(after), m_replacement(std::move(replacement)) {}
    FileState state() override { return m_real->state(); }
    qint64 readAt(qint64 offset, char* buffer, qint64 size) override {
        if (m_read.fetch_add(size) + size > m_after && !m_changed.exchange(true)) {
            QFile file(m_path);
            // Truncated in place, then written from its start: the inode stays, as with cp.
            EXPECT_TRUE(file.open(QIODevice::ReadWrite | QIODevice::Truncate));
            file.write(m_replacement);
        }
        return m_real->readAt(offset, buffer, size);
    }

private:
    std::unique_ptr<FileReader> m_real;
    QString m_path;
    qint64 m_after;
    QByteArray m_replacement;
    std::atomic<qint64> m_read{0};
    std::atomic<bool> m_changed{false};
};

// The file shrinks or is overwritten while it is read, on whichever thread reads then: the text
// loaded is one state of the file, and its index is that state's.
TEST_P(TextLoadTest, AFileChangedWhileItIsReadLoadsAsOneStateOfIt) {
    const QByteArray before = manyEntries();
    QByteArray longer = before;
    longer.replace("h&aelig;", "hw&aelig;");
    const QByteArray replacements[] = {before.first(before.size() / 3), "#<b>only</b> one", longer};
    for (const QByteArray& after : replacements) {
        for (const qint64 at : {qint64{0}, qint64{100'000}, before.size() - 1000}) {
            SCOPED_TRACE(after.size());
            SCOPED_TRACE(at);
            const QString path = dir.write("t.txt", before);
            LoadOptions changing = options(16 * 1024);
            bool first = true;
            changing.openReader = [&](const QString& name, FileApi api, QString& error) -> std::unique_ptr<FileReader> {
                auto real = openFileReader(name, api, error);
                if (!std::exchange(first, false)) return real;
                return std::make_unique<ChangingReader>(std::move(real), name, at, after);
            };
            LoadedText loaded = PendingText(path, {}, changing).take();
            ASSERT_TRUE(loaded.text->opened()) << loaded.text->errorString().toStdString();
            EXPECT_EQ(loaded.text->bytes(), QByteArrayView(after));
            expectSameIndex(loaded.index, indexOfMapping(path));
        }
    }
}

// What runs before the load on its thread may fail; the load still runs, and taking it reports
// the failure instead of hanging or losing it.
TEST_P(TextLoadTest, AFailingStepBeforeTheLoadIsRethrownByTake) {
    const QString path = dir.write("t.txt", manyEntries());
    PendingText pending(path, [] { throw std::runtime_error("the splash pictures are damaged"); }, options(64 * 1024));
    try {
        pending.take();
        ADD_FAILURE() << "take() returned";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "the splash pictures are damaged");
    }
    EXPECT_FALSE(pending.valid());
}
