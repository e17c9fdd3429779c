// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The dictionary file changing under the open window: cut short, overwritten in place, replaced,
// emptied. The window never reads past the file's new end and never shows a wrong entry; it
// reads the file again, keeping the entry shown and the history steps that are still there.
#include "ViewerFixture.h"

#include "aids/ReadingAids.h"
#include "reading/History.h"
#include "window/ListBox.h"
#include "window/ListModels.h"

#include <QFile>
#include <QLabel>
#include <QTest>

using namespace wordhoard;
using wordhoard::testing::ViewerTest;

namespace {

// Entry k reads "wk text k", each on a line of its own.
QByteArray entries(int first, int count, const QByteArray& before = {}) {
    QByteArray text = "@wh_b0001\r\n" + before;
    for (int k = first; k < first + count; ++k) {
        text += "#<b>w" + QByteArray::number(k) + "</b> text " + QByteArray::number(k) + "\r\n";
    }
    return text;
}

class TextChangeTest : public ViewerTest {
protected:
    QString textPath() const { return dir.path(u"txt/WH-main_01.txt"_qs); }
    // Writes the file as cp does: cut to nothing, then written from the start (the inode stays).
    void overwrite(const QByteArray& bytes) const {
        QFile file(textPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    bool waitForRows(int rows) const {
        return QTest::qWaitFor([&] { return form->wordListModel->rowCount() == rows; }, 10'000);
    }
    QString notice() const { return form->findChild<QLabel*>(u"Notice"_qs)->text(); }
    QStringList historyHeadwords() const {
        QStringList words;
        for (const Visit& visit : aids().history().visits()) {
            const auto& starts = unit.EntryOffsets().offsets;
            const auto at = std::lower_bound(starts.begin(), starts.end(), visit.start) - starts.begin();
            words << unit.EntryOffsets().headword(at);
        }
        return words;
    }
    ReadingAids& aids() const { return form->readingAids(); }
};

} // namespace

TEST_F(TextChangeTest, AFileCutShortIsNeverReadPastItsEndAndIsReadAgain) {
    start(entries(0, 2000));
    clickLine(form->TntListBox1, 50);
    clickLine(form->TntListBox1, 1500);
    QFile file(textPath());
    ASSERT_TRUE(file.resize(entries(0, 100).size()));
    // Before the watcher has told the window: the click finds the text changed and reads it
    // again; the entry clicked is gone, and so are the steps to w1500.
    clickLine(form->TntListBox1, 1800);
    EXPECT_EQ(form->wordListModel->rowCount(), 100);
    EXPECT_TRUE(paneText().isEmpty());
    EXPECT_EQ(notice(), u"The dictionary text changed on disk: read again"_qs);
    EXPECT_EQ(historyHeadwords(), QStringList{u"w50"_qs});
    EXPECT_TRUE(errors.isEmpty());
    clickLine(form->TntListBox1, 99);
    EXPECT_EQ(paneText(), u"w99 text 99\n"_qs);
    ASSERT_TRUE(aids().goBack());
    EXPECT_EQ(paneText(), u"w50 text 50\n"_qs);

    // Cut short again: the watcher reads it again while the reader does nothing.
    ASSERT_TRUE(file.resize(entries(0, 60).size()));
    ASSERT_TRUE(waitForRows(60));
    EXPECT_EQ(paneText(), u"w50 text 50\n"_qs);
}

TEST_F(TextChangeTest, AFileOverwrittenOrReplacedKeepsTheEntryShownAndTheHistoryThatIsStillThere) {
    start(entries(0, 300));
    for (const int row : {2, 3, 250}) clickLine(form->TntListBox1, row);
    // One entry more before them moves every start; w3 is gone.
    QByteArray changed = entries(0, 300, "#<b>a</b> new\r\n");
    changed.replace("#<b>w3</b> text 3\r\n", "");
    overwrite(changed);
    ASSERT_TRUE(QTest::qWaitFor([&] { return unit.text().bytes() == QByteArrayView(changed); }, 10'000));
    EXPECT_EQ(paneText(), u"w250 text 250\n"_qs);
    EXPECT_EQ(form->TntListBox1->selectedRow(), 250); // a line more before it, one less
    EXPECT_EQ(historyHeadwords(), (QStringList{u"w2"_qs, u"w250"_qs}));
    ASSERT_TRUE(aids().goBack());
    EXPECT_EQ(paneText(), u"w2 text 2\n"_qs);

    // Saved anew under the same name, as editors do: a new file renamed over the old one.
    const QByteArray renamed = entries(0, 10);
    dir.write(u"txt/new.txt"_qs, renamed);
    ASSERT_TRUE(QFile::remove(textPath()));
    ASSERT_TRUE(QFile::rename(dir.path(u"txt/new.txt"_qs), textPath()));
    ASSERT_TRUE(waitForRows(10));
    EXPECT_EQ(paneText(), u"w2 text 2\n"_qs);
    // And it is still watched.
    overwrite(entries(0, 5));
    EXPECT_TRUE(waitForRows(5));
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(TextChangeTest, AFileThatCannotBeReadNowShowsNothingOfItUntilItCanBe) {
    start(entries(0, 20));
    clickLine(form->TntListBox1, 7);
    overwrite({});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !notice().isEmpty(); }, 10'000));
    EXPECT_EQ(notice(), u"The dictionary text changed on disk and can't be read now: the file is empty"_qs);
    EXPECT_EQ(form->wordListModel->rowCount(), 20);
    // Nothing of the changed text is shown: the entry shown stays as it was read.
    clickLine(form->TntListBox1, 19);
    EXPECT_EQ(paneText(), u"w7 text 7\n"_qs);
    overwrite(entries(0, 30));
    EXPECT_TRUE(waitForRows(30));
    EXPECT_EQ(paneText(), u"w7 text 7\n"_qs);
    EXPECT_TRUE(errors.isEmpty());
}
