// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ViewerFixture.h"

#include "window/ListBox.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace wordhoard;
using wordhoard::testing::ViewerTest;

namespace {

const QByteArray kPaletteDictionary = "@wh_b0001#<b>&thorn;&aelig;t</b> that#<b>&YOGH;ear</b> year";

class PaletteTest : public ViewerTest {
protected:
    // Chooses palette entry `number` (counted from 1) as the reader does, from the drop-down.
    void choose(int number) {
        form->TntComboBox1->setCurrentIndex(number - 1);
        emit form->TntComboBox1->activated(number - 1);
    }
    QString field() const { return form->TntEdit1->text(); }
};

} // namespace

TEST_F(PaletteTest, TheLetterButtonsAppendTheirLetters) {
    start(kPaletteDictionary);
    const std::pair<QPushButton*, char16_t> buttons[] = {{form->TntButton2, 0x00FE}, {form->TntButton3, 0x00F0},
                                                         {form->TntButton4, 0x00E6}, {form->TntButton5, 0x0153},
                                                         {form->TntButton6, 0x021C}};
    QString expected;
    for (const auto& [button, letter] : buttons) {
        QTest::mouseClick(button, Qt::LeftButton);
        expected += QChar(letter);
        EXPECT_EQ(field(), expected);
    }
    EXPECT_EQ(form->TntButton6->text(), QString(QChar(0x021D))); // shows the small yogh
}

TEST_F(PaletteTest, The265EntriesStandInTableOrderWithTheRepeats) {
    start(kPaletteDictionary);
    ASSERT_EQ(form->TntComboBox1->count(), 265);
    EXPECT_EQ(form->TntComboBox1->view()->sizeHintForRow(0), 21);
    EXPECT_EQ(form->TntListBox1->rowHeight(0), 21);
    EXPECT_TRUE(form->TntComboBox1->currentText().isEmpty());
    const auto entry = [&](int number) { return form->TntComboBox1->itemText(number - 1); };
    EXPECT_EQ(entry(1), u"\""_qs);
    EXPECT_EQ(entry(44), entry(72));
    EXPECT_EQ(entry(203), entry(204));
    EXPECT_EQ(entry(251), entry(252));
    EXPECT_EQ(entry(252), QString(QChar(0x1FD6)));
    EXPECT_EQ(entry(253), QString(QChar(0x1FE1)));
    EXPECT_EQ(entry(265), QString(QChar(0x2074)));

    choose(2);
    EXPECT_EQ(field(), u"&"_qs);
    choose(72);
    choose(72); // the same entry twice appends twice
    EXPECT_EQ(field(), QString::fromUtf16(u"&\u00E3\u00E3"));
}

TEST_F(PaletteTest, ArrowKeysOnTheClosedPaletteChooseToo) {
    start(kPaletteDictionary);
    form->TntComboBox1->setCurrentIndex(69); // entry 70, þ
    form->TntComboBox1->setFocus();
    QTest::keyClick(form->TntComboBox1, Qt::Key_Down);
    EXPECT_EQ(field(), QString(QChar(0x00FF))); // entry 71
    QTest::keyClick(form->TntComboBox1, Qt::Key_Down);
    EXPECT_EQ(field(), QString::fromUtf16(u"\u00FF\u00E3"));
}

TEST_F(PaletteTest, AppendingGoesToTheEndWhateverIsSelectedAndTheLookUpFollows) {
    start(kPaletteDictionary);
    form->TntEdit1->setText(QString(QChar(0x00FE)));
    form->TntEdit1->selectAll();
    QTest::mouseClick(form->TntButton4, Qt::LeftButton);
    EXPECT_EQ(field(), QString::fromUtf16(u"\u00FE\u00E6"));
    EXPECT_EQ(form->TntListBox1->selectedRow(), 0);
    EXPECT_TRUE(paneText().startsWith(QString::fromUtf16(u"\u00FE\u00E6t")));

    form->TntEdit1->clear();
    QTest::mouseClick(form->TntButton6, Qt::LeftButton); // Ȝ finds "Ȝear"
    EXPECT_EQ(form->TntListBox1->selectedRow(), 1);
}
