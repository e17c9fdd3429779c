#include "TextLoad.h"

#include "QtPrinters.h"
#include "TempFiles.h"

#include <gtest/gtest.h>

using namespace wordhoard;
using wordhoard::testing::TempDir;

namespace {

void expectSameIndex(const EntryIndex& a, const EntryIndex& b) {
    ASSERT_EQ(a.offsets, b.offsets);
    for (qsizetype i = 0; i < a.size(); ++i) EXPECT_EQ(a.headword(i), b.headword(i)) << i;
}

} // namespace

// Loading reads the file in pieces; the result must be what mapping and indexing the whole
// gives, also for headwords that straddle the pieces of a text larger than one.
TEST(TextLoad, GivesTheMappedTextAndItsIndex) {
    TempDir dir;
    QByteArray bytes = "@wh_b0001\r\n";
    for (int i = 0; bytes.size() < 700 * 1024; ++i) {
        bytes += "#<b>h&aelig;" + QByteArray::number(i) + "</b> <i>n.</i> " + QByteArray(i % 97, 'x') + "\r\n";
    }
    bytes += "#<b>no end";
    const QString path = dir.write("t.txt", bytes);
    for (const int way : {0, 1, 2}) {
        // On this thread; on another; in 64 KB parts shared by both threads.
        LoadedText loaded = way == 0   ? loadText(path)
                            : way == 1 ? loadTextInBackground(path).take()
                                       : PendingText(path, {}, 64 * 1024).take();
        ASSERT_TRUE(loaded.text->opened());
        EXPECT_EQ(loaded.text->bytes(), QByteArrayView(bytes));
        TMapTextfile mapped;
        ASSERT_EQ(mapped.Open(path, false), 0);
        expectSameIndex(loaded.index, buildEntryIndex(mapped));
        EXPECT_EQ(loaded.index.headword(loaded.index.size() - 1), u"no end"_qs);
    }
}

TEST(TextLoad, AFileThatDoesNotOpenGivesAClosedTextWithItsReason) {
    TempDir dir;
    for (const QString& path : {dir.path("missing.txt"), dir.write("empty.txt", {})}) {
        LoadedText loaded = loadTextInBackground(path).take();
        ASSERT_NE(loaded.text, nullptr);
        EXPECT_FALSE(loaded.text->opened());
        EXPECT_FALSE(loaded.text->errorString().isEmpty());
        EXPECT_TRUE(loaded.index.empty());
    }
}
