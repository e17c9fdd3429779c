// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The hit list's lines in context, the hit count, and F3 / Shift+F3 through the marks.
#include "ViewerFixture.h"

#include "window/ListBox.h"
#include "window/ListModels.h"
#include "display/Snippet.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>

using namespace wordhoard;
using wordhoard::testing::ViewerTest;

namespace {

class HitListTest : public ViewerTest {
protected:
    void search(const QString& term) {
        form->TntEdit1->setText(term);
        QTest::mouseClick(form->TntButton1, Qt::LeftButton);
    }
    QString hitCount() const { return form->hitCountLabel->text(); }
    // Paints the hit list's lines on screen, as the event loop would.
    void paintHitList() { form->TntListBox2->viewport()->repaint(); }
    int rowsOnScreen() const {
        return form->TntListBox2->viewport()->height() / form->TntListBox2->uniformRowHeight() + 1;
    }
    QTextCursor paneCursor() const { return form->TntRichEdit1->textCursor(); }
    // A key pressed in the search field, where the reader's typing is.
    void press(QKeyCombination key) { QTest::keyClick(form->TntEdit1, key.key(), key.keyboardModifiers()); }
};

// 10,000 entries, each with one "king", spread over pages.
QByteArray manyEntries() {
    QByteArray out;
    for (int i = 0; i < 10000; ++i) {
        if (i % 50 == 0) out += "@wh_b" + QByteArray::number(1000 + i / 50) + "\r\n";
        out += "#<b>word" + QByteArray::number(i) + "</b> <i>m.</i> a king's &thorn;egn, number " +
               QByteArray::number(i) + "\r\n";
    }
    return out;
}

} // namespace

TEST_F(HitListTest, LinesKeepTheirHeadwordAndMakeSnippetsOnlyWhenPainted) {
    start(manyEntries());
    search(u"king"_qs);
    HitListModel* model = form->hitListModel;
    ASSERT_EQ(model->rowCount(), 10000);
    EXPECT_EQ(model->data(model->index(9999, 0), Qt::DisplayRole).toString(), u"word9999"_qs);
    EXPECT_EQ(model->line(0), u"word0"_qs);
    EXPECT_EQ(form->TntListBox2->uniformRowHeight(), 2 * 21); // two lines at the design font
    EXPECT_EQ(model->contextsMade(), 0);

    paintHitList();
    const qsizetype firstScreen = model->contextsMade();
    EXPECT_GT(firstScreen, 0);
    EXPECT_LE(firstScreen, rowsOnScreen());

    // What a line shows beside its headword is the core's snippet of its hit, and its page.
    const QModelIndex line = model->index(1, 0);
    const std::int32_t start = unit.HitOffsets[1];
    const auto offset = static_cast<std::int32_t>(unit.text().bytes().indexOf("king", start) - start);
    const Snippet expected = makeSnippet(unit.text(), start, offset, 4);
    ASSERT_EQ(model->data(line, HitListModel::SnippetRole).toString(), expected.text);
    EXPECT_EQ(expected.text, QString::fromUtf16(u"word1 m. a king's \u00FEegn, number 1"));
    EXPECT_EQ(model->data(line, HitListModel::MatchPosRole).toInt(), 11);
    EXPECT_EQ(model->data(line, HitListModel::MatchLengthRole).toInt(), 4);
    EXPECT_EQ(model->data(model->index(60, 0), HitListModel::PageRole).toString(), u"wh_b1001"_qs);
    clickLine(form->TntListBox2, 60);
    EXPECT_EQ(form->StatusPanel1->text(), u"wh_b1001"_qs);

    // Scrolling to the end makes the last screenful's, and no others.
    const qsizetype before = model->contextsMade();
    form->TntListBox2->scrollToBottom();
    paintHitList();
    EXPECT_GT(model->contextsMade(), before);
    EXPECT_LE(model->contextsMade(), before + rowsOnScreen());
    EXPECT_EQ(model->data(model->index(9999, 0), HitListModel::SnippetRole).toString(),
              QString::fromUtf16(u"word9999 m. a king's \u00FEegn, number 9999"));

    // A new request drops them all.
    search(u"queen"_qs);
    EXPECT_EQ(model->contextsMade(), 0);
}

TEST_F(HitListTest, TheHitCountFollowsEachRequestAndNoDocumentedTextChanges) {
    start(QByteArray(
        "@wh_b0001\r\n#<b>cyning</b> king\r\n#<b>cwen</b> queen, king's wife\r\n#<b>x</b> a( y\r\n"));
    EXPECT_TRUE(hitCount().isEmpty());
    EXPECT_TRUE(form->statusBar()->isAncestorOf(form->hitCountLabel));
    search(u"king"_qs);
    EXPECT_EQ(hitCount(), u"2 hits"_qs);
    search(u"queen"_qs);
    EXPECT_EQ(hitCount(), u"1 hit"_qs);
    search(u"bishop"_qs);
    EXPECT_EQ(hitCount(), QString::fromUtf16(u"No hits for \u201Cbishop\u201D"));
    // An error ends the request; the count says what it found.
    search(u"a("_qs);
    EXPECT_EQ(errors.size(), 1);
    EXPECT_EQ(hitCount(), QString::fromUtf16(u"No hits for \u201Ca(\u201D"));
    // A long term is cut, so that the status bar keeps its width.
    search(QString(40, u'q'));
    EXPECT_EQ(hitCount(),
              QString::fromUtf16(u"No hits for \u201C") + QString(23, u'q') + QChar(0x2026) + QChar(0x201D));
    EXPECT_EQ(form->StatusPanel0->text(), u"Page: "_qs);
    EXPECT_EQ(form->PageControl1->tabText(1), u"Search"_qs);
}

TEST_F(HitListTest, F3AndShiftF3GoThroughTheMarksAndRoundAtBothEnds) {
    // "king" three times, far apart, so that going to a mark has to scroll the pane.
    QByteArray entry = "#<b>cyning</b> King";
    for (int i = 0; i < 80; ++i) entry += "\r\nline " + QByteArray::number(i);
    entry += " a king";
    for (int i = 0; i < 80; ++i) entry += "\r\nmore " + QByteArray::number(i);
    entry += " the KING\r\n";
    start("@wh_b0001\r\n" + entry + "#<b>other</b> x\r\n");
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    search(u"king"_qs);
    clickLine(form->TntListBox2, 0);
    const QString text = paneText();
    std::vector<int> marks;
    for (qsizetype at = text.indexOf(u"king"_qs, 0, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf(u"king"_qs, at + 4, Qt::CaseInsensitive)) {
        marks.push_back(static_cast<int>(at));
    }
    ASSERT_EQ(marks.size(), 3u);
    const auto selected = [&] { return paneCursor().selectionStart(); };
    const auto onScreen = [&] {
        return form->TntRichEdit1->viewport()->rect().contains(form->TntRichEdit1->cursorRect());
    };
    // Format leaves the last one selected: F3 goes round to the first.
    EXPECT_EQ(selected(), marks[2]);
    press(Qt::Key_F3);
    EXPECT_EQ(selected(), marks[0]);
    EXPECT_EQ(paneCursor().selectedText(), u"King"_qs);
    EXPECT_TRUE(onScreen());
    press(Qt::Key_F3);
    EXPECT_EQ(selected(), marks[1]);
    EXPECT_TRUE(onScreen());
    press(Qt::Key_F3);
    EXPECT_EQ(selected(), marks[2]);
    EXPECT_EQ(paneCursor().selectedText(), u"KING"_qs);
    EXPECT_TRUE(onScreen());
    // Shift+F3 from the first goes round to the last; from there back, one by one.
    press(Qt::Key_F3);
    EXPECT_EQ(selected(), marks[0]);
    press(Qt::SHIFT | Qt::Key_F3);
    EXPECT_EQ(selected(), marks[2]);
    press(Qt::SHIFT | Qt::Key_F3);
    EXPECT_EQ(selected(), marks[1]);
    EXPECT_TRUE(onScreen());
    // From a caret the reader put down right at a mark, that mark is the next.
    QTextCursor caret = paneCursor();
    caret.setPosition(marks[2]);
    form->TntRichEdit1->setTextCursor(caret);
    press(Qt::Key_F3);
    EXPECT_EQ(selected(), marks[2]);

    // An entry shown from the word list has no marks: F3 leaves the pane alone.
    form->PageControl1->setCurrentIndex(0);
    clickLine(form->TntListBox1, 1);
    const int caretAt = paneCursor().position();
    press(Qt::Key_F3);
    press(Qt::SHIFT | Qt::Key_F3);
    EXPECT_EQ(paneCursor().position(), caretAt);
    EXPECT_FALSE(paneCursor().hasSelection());
}
