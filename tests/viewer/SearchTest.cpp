// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ViewerFixture.h"

#include "window/ListBox.h"
#include "window/ListModels.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QLabel>
#include <QTest>

using namespace wordhoard;
using wordhoard::testing::ViewerTest;

namespace {

const QByteArray kSearchDictionary = "@wh_b0001\r\n"
                                     "#<b>&AElig;cer</b> field\r\n"
                                     "#<b>&aelig;t</b> <i>prep.</i> at\r\n"
                                     "#<b>cyning</b> king; se cyning the king\r\n"
                                     "@wh_b0002\r\n"
                                     "#<b>hw&aelig;t</b> what, hw&aelig;t&thorn; and hw&aelig;te\r\n"
                                     "#<b>Cyne</b> royal\r\n";

class SearchTest : public ViewerTest {
protected:
    QStringList hitLines() const {
        QStringList out;
        for (int i = 0; i < form->hitListModel->rowCount(); ++i) out << form->hitListModel->line(i);
        return out;
    }
    void type(const QString& text) {
        form->TntEdit1->setFocus();
        QTest::keyClicks(form->TntEdit1, text);
    }
};

} // namespace

TEST_F(SearchTest, TypingSelectsTheFirstHeadwordBeginningWithTheTextIgnoringCase) {
    start(kSearchDictionary);
    type(QString(QChar(0x00E6))); // æ finds "Æcer" first: case doesn't count
    EXPECT_EQ(form->TntListBox1->selectedRow(), 0);
    EXPECT_TRUE(paneText().startsWith(QString::fromUtf16(u"\u00C6cer")));
    type(u"t"_qs);
    EXPECT_EQ(form->TntListBox1->selectedRow(), 1);
    type(u"zzzz"_qs); // no line begins so: the selection and the entry stay
    EXPECT_EQ(form->TntListBox1->selectedRow(), 1);
    EXPECT_TRUE(paneText().startsWith(QString::fromUtf16(u"\u00E6t")));
    form->TntEdit1->clear(); // empty text: no line selected, the entry shown stays
    EXPECT_EQ(form->TntListBox1->selectedRow(), -1);
    EXPECT_TRUE(paneText().startsWith(QString::fromUtf16(u"\u00E6t")));
    type(u"CY"_qs);
    EXPECT_EQ(form->TntListBox1->selectedRow(), 2);
}

TEST_F(SearchTest, TypingWhileTheSearchPageIsInFrontLeavesTheWordListAlone) {
    start(kSearchDictionary);
    form->PageControl1->setCurrentIndex(1);
    type(u"cy"_qs);
    EXPECT_EQ(form->TntListBox1->selectedRow(), -1);
    form->PageControl1->setCurrentIndex(0); // coming back doesn't look up by itself
    EXPECT_EQ(form->TntListBox1->selectedRow(), -1);
}

TEST_F(SearchTest, EnterAndFulltextFillTheHitListOnTheSearchPage) {
    start(kSearchDictionary);
    form->TntEdit1->setText(u"king"_qs);
    pressKeyInSearchField(Qt::Key_Return);
    EXPECT_EQ(form->PageControl1->currentIndex(), 1);
    EXPECT_FALSE(form->TntListBox2->isHidden());
    EXPECT_EQ(hitLines(), QStringList{u"cyning"_qs});
    const auto byEnter = unit.HitOffsets;

    form->PageControl1->setCurrentIndex(0);
    QTest::mouseClick(form->TntButton1, Qt::LeftButton);
    EXPECT_EQ(form->PageControl1->currentIndex(), 1);
    EXPECT_EQ(unit.HitOffsets, byEnter);
    EXPECT_EQ(hitLines(), QStringList{u"cyning"_qs});
}

TEST_F(SearchTest, AWildcardTermRunsTwoPassesAndEachLineShowsItsEntry) {
    start(kSearchDictionary);
    // "hwæt?": the entity pass finds "hw&aelig;t&thorn;", the letter pass "hw&aelig;te".
    form->TntEdit1->setText(QString::fromUtf16(u"hw\u00E6t?"));
    QTest::mouseClick(form->TntButton1, Qt::LeftButton);
    const QString hwaet = QString::fromUtf16(u"hw\u00E6t");
    EXPECT_EQ(hitLines(), (QStringList{hwaet, hwaet}));
    ASSERT_EQ(unit.HitOffsets.size(), 2u);
    EXPECT_EQ(unit.HitOffsets[0], unit.HitOffsets[1]);
    clickLine(form->TntListBox2, 1);
    EXPECT_TRUE(paneText().startsWith(hwaet + u" what"_qs));
    EXPECT_EQ(form->StatusPanel1->text(), u"wh_b0002"_qs);
}

TEST_F(SearchTest, ATermIsMarkedInTheEntryOnlyWhileTheHitListIsActive) {
    start(kSearchDictionary);
    form->TntEdit1->setText(u"king"_qs);
    pressKeyInSearchField(Qt::Key_Return);
    clickLine(form->TntListBox2, 0);
    // "cyning king; se cyning the king": both "king"s are red and underlined.
    // The entry runs to the next '#', so the page marker after it is shown too.
    EXPECT_EQ(paneStyles(), u"bbbbbb.!!!!"_qs + QString(16, u'.') + u"!!!!\n.........\n"_qs);
    form->PageControl1->setCurrentIndex(0);
    clickLine(form->TntListBox1, 2);
    EXPECT_EQ(paneStyles(), u"bbbbbb"_qs + QString(25, u'.') + u"\n.........\n"_qs);
}

TEST_F(SearchTest, AnInvalidPatternShowsTheErrorBoxAndEndsTheRequest) {
    start(kSearchDictionary + "#<b>x</b> a( y\r\n");
    form->TntEdit1->setText(u"a("_qs);
    QTest::mouseClick(form->TntButton1, Qt::LeftButton);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(u"TPerlRegEx.Compile() - Error in regex at offset 2: "_qs)) << errors[0].toStdString();
    EXPECT_EQ(form->PageControl1->currentIndex(), 1);
    EXPECT_TRUE(hitLines().isEmpty());

    // Where the pattern's text occurs nowhere it is never compiled: no error, no hits.
    form->TntEdit1->setText(u"q("_qs);
    QTest::mouseClick(form->TntButton1, Qt::LeftButton);
    EXPECT_EQ(errors.size(), 1);
}

TEST_F(SearchTest, EachRequestClearsTheHitListEvenWhenItFindsNothing) {
    start(kSearchDictionary);
    form->TntEdit1->setText(u"king"_qs);
    QTest::mouseClick(form->TntButton1, Qt::LeftButton);
    EXPECT_EQ(hitLines().size(), 1);
    form->TntEdit1->setText(u"se cyning"_qs); // a space between letters never gives a hit
    QTest::mouseClick(form->TntButton1, Qt::LeftButton);
    EXPECT_TRUE(hitLines().isEmpty());
    EXPECT_TRUE(unit.HitOffsets.empty());
    form->TntEdit1->clear();
    QTest::mouseClick(form->TntButton1, Qt::LeftButton);
    EXPECT_TRUE(hitLines().isEmpty());
    EXPECT_EQ(form->PageControl1->currentIndex(), 1);
}

// View > Loose Matching, off at start: the look-up, the search and the marks fold their letters.
TEST_F(SearchTest, LooseMatchingFoldsTheLookUpTheSearchAndTheMarks) {
    const QByteArray dictionary = "@wh_b0001#<b>&a-long;d</b> pyre#<b>&eth;&aelig;t</b> that"
                                  "#<b>se</b> &thorn;&aelig;t is &eth;&AElig;T#<b>wer</b> man";
    start(dictionary);
    ASSERT_NE(form->LooseMatching1, nullptr);
    EXPECT_FALSE(form->looseMatching());
    type(u"ad"_qs);
    EXPECT_EQ(form->TntListBox1->selectedRow(), -1); // strict: no line begins "ad"
    form->TntEdit1->clear();

    QTest::keySequence(form.get(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L));
    ASSERT_TRUE(form->looseMatching());
    type(u"ad"_qs);
    EXPECT_EQ(form->TntListBox1->selectedRow(), 0); // "ād"
    form->TntEdit1->setText(QString::fromUtf16(u"\u00FE\u00E6t"));
    pressKeyInSearchField(Qt::Key_Return);
    EXPECT_EQ(hitLines(), (QStringList{QString::fromUtf16(u"\u00F0\u00E6t"), u"se"_qs}));
    clickLine(form->TntListBox2, 1);
    // "þæt" and "ðÆT" are both marked.
    EXPECT_EQ(paneStyles(), u"bb.!!!....!!!"_qs);
    form->TntEdit1->setText(QString::fromUtf16(u"\u01BFer")); // "ƿer" finds "wer"
    pressKeyInSearchField(Qt::Key_Return);
    EXPECT_EQ(hitLines(), QStringList{u"wer"_qs});

    form->LooseMatching1->trigger(); // off again: strict as before
    form->TntEdit1->setText(QString::fromUtf16(u"\u00FE\u00E6t"));
    pressKeyInSearchField(Qt::Key_Return);
    EXPECT_EQ(hitLines(), QStringList{u"se"_qs});
}

// Switching the matching runs the last search again and marks the entry shown anew, the list in
// front staying in front; a label at the right of the status bar tells that loose matching is on.
TEST_F(SearchTest, SwitchingLooseMatchingRunsTheLastSearchAgainAndSaysItIsOn) {
    start("@wh_b0001#<b>&a-long;d</b> pyre, ad#<b>bana</b> slayer, &a-long;d");
    QLabel* label = form->findChild<QLabel*>(u"LooseMatchingOn"_qs);
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->isHidden());
    form->TntEdit1->setText(u"ad"_qs);
    pressKeyInSearchField(Qt::Key_Return);
    EXPECT_EQ(hitLines(), QStringList{QString::fromUtf16(u"\u0101d")});
    clickLine(form->TntListBox2, 0);
    EXPECT_EQ(paneStyles(), u"bb.......!!"_qs);
    form->LooseMatching1->trigger();
    EXPECT_FALSE(label->isHidden());
    EXPECT_EQ(hitLines(), (QStringList{QString::fromUtf16(u"\u0101d"), u"bana"_qs}));
    EXPECT_EQ(paneStyles(), u"!!.......!!"_qs); // "ād" itself is marked too now
    form->PageControl1->setCurrentIndex(0);
    form->LooseMatching1->trigger();
    EXPECT_TRUE(label->isHidden());
    EXPECT_EQ(form->PageControl1->currentIndex(), 0);
    EXPECT_EQ(hitLines(), QStringList{QString::fromUtf16(u"\u0101d")});
}
