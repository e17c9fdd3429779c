// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ViewerFixture.h"

#include "window/ListBox.h"
#include "window/ListModels.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>

using namespace wordhoard;
using wordhoard::testing::ViewerTest;

namespace {

// Four entries on two pages; CR LF line ends as the real text has them.
const QByteArray kDictionary = "@wh_b0001\r\n"
                               "#<b>&aelig;t</b> <i>prep.</i> at\r\n"
                               "#<b>b&amp;n</b> bone, <b>ab</b>AB\r\n"
                               "@wh_b0002\r\n"
                               "#<b>cyning</b> <b>king <i>n.</i></b> x\r\n"
                               "#<b>last</b> end";

class MainFormTest : public ViewerTest {};

} // namespace

TEST_F(MainFormTest, StartsWithEveryHeadwordAndNothingShown) {
    start(kDictionary);
    EXPECT_EQ(form->windowTitle(), u"Wordhoard"_qs);
    ASSERT_EQ(form->wordListModel->rowCount(), 4);
    EXPECT_EQ(form->wordListModel->line(0), u"\u00E6t"_qs);
    EXPECT_EQ(form->wordListModel->line(1), u"b&n"_qs);
    EXPECT_FALSE(form->TntListBox1->isHidden());
    EXPECT_TRUE(form->TntListBox2->isHidden());
    EXPECT_EQ(form->PageControl1->currentIndex(), 0);
    EXPECT_EQ(form->PageControl2->currentIndex(), 0);
    EXPECT_TRUE(paneText().isEmpty());
    EXPECT_EQ(form->StatusPanel0->text(), u"Page: "_qs);
    EXPECT_TRUE(form->StatusPanel1->text().isEmpty());
    EXPECT_TRUE(form->FileExit1->isEnabled()); // mended: Exit has its handler
    EXPECT_FALSE(form->CheckBox1->isEnabled());
    EXPECT_TRUE(form->TntRichEdit1->isReadOnly());
    EXPECT_TRUE(errors.isEmpty());
    // Found by their names, as the design names them.
    for (const char* name : {"TntEdit1", "TntButton1", "CheckBox1", "TntButton2", "TntButton6", "TntComboBox1",
                             "PageControl1", "TabSheet1", "TntListBox1", "TabSheet2", "TntListBox2", "PageControl2",
                             "TabSheet3", "TntRichEdit1", "TabSheet4", "ScrollBox1", "Image1", "StatusBar"}) {
        EXPECT_NE(form->findChild<QWidget*>(QLatin1String(name)), nullptr) << name;
    }
}

TEST_F(MainFormTest, TabsKeepTheListsAndThePaneVisibleExactlyWhileInFront) {
    start(kDictionary);
    form->PageControl1->setCurrentIndex(1);
    EXPECT_TRUE(form->TntListBox1->isHidden());
    EXPECT_FALSE(form->TntListBox2->isHidden());
    form->PageControl1->setCurrentIndex(0);
    EXPECT_FALSE(form->TntListBox1->isHidden());
    EXPECT_TRUE(form->TntListBox2->isHidden());
    form->PageControl2->setCurrentIndex(1);
    EXPECT_TRUE(form->TntRichEdit1->isHidden());
    form->PageControl2->setCurrentIndex(0);
    EXPECT_FALSE(form->TntRichEdit1->isHidden());
}

TEST_F(MainFormTest, ClickingALineShowsItsEntryStyledWithItsPage) {
    start(kDictionary);
    clickLine(form->TntListBox1, 2);
    EXPECT_EQ(paneText(), u"cyning king n. x\n"_qs);
    EXPECT_EQ(paneStyles(), u"bbbbbb.bbbbbBB..\n"_qs);
    EXPECT_EQ(form->StatusPanel1->text(), u"wh_b0002"_qs);

    clickLine(form->TntListBox1, 0);
    EXPECT_EQ(paneText(), u"\u00E6t prep. at\n"_qs);
    EXPECT_EQ(paneStyles(), u"bb.iiiii...\n"_qs);
    EXPECT_EQ(form->StatusPanel1->text(), u"wh_b0001"_qs);
}

TEST_F(MainFormTest, SelectingFromCodeDoesNotShowAnEntry) {
    start(kDictionary);
    form->TntListBox1->selectRow(1);
    EXPECT_TRUE(paneText().isEmpty());
    form->TntListBox1->setFocus();
    QTest::keyClick(form->TntListBox1, Qt::Key_Down); // a reader's key inside the list does
    EXPECT_EQ(form->TntListBox1->selectedRow(), 2);
    EXPECT_TRUE(paneText().startsWith(u"cyning"_qs));
}

TEST_F(MainFormTest, ListKeysMoveLineByLineAndHomeAndEndReachTheEnds) {
    start(kDictionary);
    form->TntListBox1->setFocus();
    QTest::keyClick(form->TntListBox1, Qt::Key_End);
    EXPECT_EQ(form->TntListBox1->selectedRow(), 3);
    EXPECT_EQ(paneText(), u"last end"_qs);
    QTest::keyClick(form->TntListBox1, Qt::Key_Up);
    EXPECT_EQ(form->TntListBox1->selectedRow(), 2);
    QTest::keyClick(form->TntListBox1, Qt::Key_Home);
    EXPECT_EQ(form->TntListBox1->selectedRow(), 0);
    EXPECT_TRUE(paneText().startsWith(u"\u00E6t"_qs));
    // Lines are 21 pixels and can be scrolled 400 pixels wide, however narrow the list.
    EXPECT_EQ(form->TntListBox1->visualRect(form->wordListModel->index(1, 0)).height(), 21);
    form->TntListBox1->setFixedWidth(150);
    EXPECT_EQ(form->TntListBox1->columnWidth(0), 400);
}

TEST_F(MainFormTest, UpAndDownInTheSearchFieldStopAtBothEnds) {
    start(kDictionary);
    form->TntListBox1->selectRow(2);
    pressKeyInSearchField(Qt::Key_Down);
    EXPECT_EQ(form->TntListBox1->selectedRow(), 3);
    EXPECT_EQ(paneText(), u"last end"_qs); // the last entry runs to the last byte of the file
    pressKeyInSearchField(Qt::Key_Down);
    EXPECT_EQ(form->TntListBox1->selectedRow(), 3);
    EXPECT_EQ(paneText(), u"last end"_qs);

    form->TntListBox1->selectRow(1);
    pressKeyInSearchField(Qt::Key_Up);
    EXPECT_EQ(form->TntListBox1->selectedRow(), 0);
    pressKeyInSearchField(Qt::Key_Up);
    EXPECT_EQ(form->TntListBox1->selectedRow(), 0);
    EXPECT_TRUE(paneText().startsWith(u"\u00E6t"_qs));

    // Also while the Search page is in front, they move the word list.
    form->PageControl1->setCurrentIndex(1);
    pressKeyInSearchField(Qt::Key_Down);
    EXPECT_EQ(form->TntListBox1->selectedRow(), 1);
    EXPECT_TRUE(paneText().startsWith(u"b&n"_qs));
}

// The sort check box (which nothing enables) reorders the list; typing then finds lines in the
// order shown (which entry a sorted line shows is left as the file order has it), and unchecking
// brings back file order.
TEST_F(MainFormTest, TypingFollowsTheSortedOrderWhileSorted) {
    start(QByteArray("#<b>zeta</b> z#<b>alpha</b> a#<b>mid</b> m"));
    form->CheckBox1->setChecked(true);
    form->CheckBox1Click();
    ASSERT_EQ(form->wordListModel->line(1), u"mid"_qs);
    form->TntEdit1->setText(u"mi"_qs);
    EXPECT_EQ(form->TntListBox1->selectedRow(), 1);
    form->CheckBox1->setChecked(false);
    form->CheckBox1Click();
    EXPECT_EQ(form->wordListModel->line(0), u"zeta"_qs);
    form->TntEdit1->setText(u"m"_qs);
    EXPECT_EQ(form->TntListBox1->selectedRow(), 2);
    EXPECT_EQ(paneText(), u"mid m"_qs);
}

TEST_F(MainFormTest, BrowseWithNoSelectedLineChangesNothing) {
    start(kDictionary);
    clickLine(form->TntListBox1, 0);
    const QString shown = paneText();
    form->TntListBox1->selectRow(-1);
    form->TntListBox1Click();
    EXPECT_EQ(paneText(), shown);
    EXPECT_EQ(form->StatusPanel1->text(), u"wh_b0001"_qs);
}

TEST_F(MainFormTest, APendingTextOfAnotherFileIsLeftAlone) {
    unit.pendingText = PendingText(dir.write("other.txt", "#<b>other<"), {});
    start(kDictionary);
    EXPECT_EQ(form->wordListModel->rowCount(), 4);
    EXPECT_TRUE(unit.pendingText.valid());
}

TEST_F(MainFormTest, AMissingDictionaryIsReportedOnceAfterTheWindowShows) {
    start(nullptr);
    EXPECT_EQ(form->wordListModel->rowCount(), 0);
    QTRY_COMPARE(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(u"txt/WH-main_01.txt"_qs)) << errors[0].toStdString();
    EXPECT_TRUE(errors[0].contains(u"No such file"_qs, Qt::CaseInsensitive)) << errors[0].toStdString();
    pressKeyInSearchField(Qt::Key_Down); // an empty list: nothing to show, nothing breaks
    EXPECT_TRUE(paneText().isEmpty());
    QTest::qWait(20);
    EXPECT_EQ(errors.size(), 1);
}

TEST_F(MainFormTest, DesignSizeAndGrowth) {
    start(kDictionary);
    const QSize client = form->centralWidget()->size();
    EXPECT_EQ(client.width(), 847);
    EXPECT_EQ(form->PageControl1->geometry(), QRect(3, 40, 181, client.height() - 43));
    EXPECT_EQ(form->PageControl2->geometry(), QRect(194, 40, 650, client.height() - 43));
    form->resize(form->width() + 200, form->height() + 100);
    QTest::qWait(10);
    EXPECT_EQ(form->PageControl2->width(), 850);
    EXPECT_EQ(form->PageControl1->width(), 181);
    EXPECT_EQ(form->PageControl2->height(), form->PageControl1->height());
}
