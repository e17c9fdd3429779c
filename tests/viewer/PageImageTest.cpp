// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ViewerFixture.h"

#include "window/ListBox.h"
#include "window/PageImageView.h"

#include <QFile>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

using namespace wordhoard;
using wordhoard::testing::readTestData;
using wordhoard::testing::ViewerTest;

namespace {

// Two entries on page wh_b0001, one on wh_b0002, one on wh_b0003 (which has no picture), one on a
// page whose file is no JPEG, and one on a page whose compressed data stops early.
const QByteArray kPageImageDictionary = "@wh_b0001#<b>a</b> one#<b>b</b> two@wh_b0002#<b>c</b> three@wh_b0003#<b>d</b> four"
                                        "@badpage1#<b>e</b> five@trunc001#<b>f</b> six";

class PageImageTest : public ViewerTest {
protected:
    void SetUp() override {
        colour = readTestData(u"jpeg/libjpeg-turbo/testorig.jpg"_qs); // 227 x 149
        grey = readTestData(u"jpeg/libjpeg-turbo/historical/testimggray.jpg"_qs);
        dir.write(u"img/wh_b0001.jpg"_qs, colour);
        dir.write(u"img/wh_b0002.jpg"_qs, grey);
        dir.write(u"img/badpage1.jpg"_qs, "this is not a JPEG file");
        dir.write(u"img/trunc001.jpg"_qs, colour.first(colour.size() * 2 / 3));
        start(kPageImageDictionary);
    }
    PagePicture* shown() const { return form->Image1->picture(); }
    QByteArray colour;
    QByteArray grey;
};

} // namespace

TEST_F(PageImageTest, AnEmptyNameLoadsTheFirstPageOnce) {
    EXPECT_EQ(shown(), nullptr);
    form->Load_Image({});
    ASSERT_NE(shown(), nullptr);
    EXPECT_EQ(shown()->size(), QSize(227, 149));
    EXPECT_EQ(unit.LastImage, QByteArray("wh_b0001"));
    PagePicture* first = shown();
    form->Load_Image({});
    EXPECT_EQ(shown(), first);
}

TEST_F(PageImageTest, AMissingPageLeavesThePreviousOneAndIsTriedOncePerName) {
    form->Load_Image("wh_b0001");
    PagePicture* a = shown();
    form->Load_Image("wh_b0003");
    EXPECT_EQ(shown(), a);
    EXPECT_EQ(unit.LastImage, QByteArray("wh_b0003"));
    dir.write(u"img/wh_b0003.jpg"_qs, colour); // appears now, but the same name isn't tried again
    form->Load_Image("wh_b0003");
    EXPECT_EQ(shown(), a);
    form->Load_Image("wh_b0001"); // A, missing B, A: A loads again
    EXPECT_NE(shown(), a);
    form->Load_Image("wh_b0003");
    EXPECT_EQ(shown()->size(), QSize(227, 149));
}

TEST_F(PageImageTest, NamesDifferingInCaseAreDifferentPages) {
    dir.write(u"img/WH_B0001.jpg"_qs, grey);
    form->Load_Image("wh_b0001");
    PagePicture* lower = shown();
    form->Load_Image("WH_B0001");
    EXPECT_NE(shown(), lower);
}

TEST_F(PageImageTest, NamesThatReachOutsideTheFolderNameNoFile) {
    dir.write(u"secret.jpg"_qs, colour);
    dir.write(u"img/sub/x.jpg"_qs, colour);
    for (const QByteArray& name : {QByteArray("../secret"), QByteArray("sub/x"), QByteArray("sub\\x"),
                                   QByteArray("wh_b0001\0x", 10), QByteArray("..")}) {
        form->Load_Image(name);
        EXPECT_EQ(shown(), nullptr) << name.toStdString();
        EXPECT_EQ(unit.LastImage, name);
    }
    dir.write(u"img/dir.jpg/x"_qs, "x"); // a folder where the picture would be
    form->Load_Image("dir");
    EXPECT_EQ(shown(), nullptr);
}

TEST_F(PageImageTest, ClicksToggleNaturalAndStretchedSizes) {
    form->Load_Image("wh_b0001");
    EXPECT_TRUE(form->Image1->stretch());
    EXPECT_EQ(form->Image1->size(), QSize(634, 373));
    form->Image1Click();
    EXPECT_FALSE(form->Image1->stretch());
    EXPECT_EQ(form->Image1->size(), QSize(227, 149));
    form->Image1Click();
    EXPECT_TRUE(form->Image1->stretch());
    EXPECT_EQ(form->Image1->size(), QSize(761, 448));
    form->Image1Click();
    EXPECT_EQ(form->Image1->size(), QSize(227, 149));
    form->Load_Image("wh_b0002"); // natural mode follows a new page's size
    EXPECT_EQ(form->Image1->size(), shown()->size());
    EXPECT_FALSE(form->Image1->isHidden());
}

TEST_F(PageImageTest, ThePageFollowsTheEntryAndIsDecodedOnlyWhenShown) {
    clickLine(form->TntListBox1, 2); // entry "c" on wh_b0002, Text tab in front
    ASSERT_NE(shown(), nullptr);
    PagePicture* loaded = shown();
    EXPECT_EQ(unit.LastImage, QByteArray("wh_b0002"));
    form->PageControl2->setCurrentIndex(1);
    EXPECT_EQ(shown(), loaded); // already there: nothing loaded again
    QTest::qWait(20);
    EXPECT_FALSE(shown()->pixels().isNull());
    clickLine(form->TntListBox1, 0);
    EXPECT_EQ(unit.LastImage, QByteArray("wh_b0001"));
    form->PageControl2->setCurrentIndex(0); // hiding the Image tab changes nothing
    EXPECT_EQ(unit.LastImage, QByteArray("wh_b0001"));
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(PageImageTest, ANaturalPictureLargerThanTheViewScrolls) {
    form->Load_Image("wh_b0001");
    form->PageControl2->setCurrentIndex(1);
    form->Image1Click();
    form->resize(400, 300);
    QTest::qWait(20);
    EXPECT_TRUE(form->ScrollBox1->horizontalScrollBar()->maximum() > 0 ||
                form->ScrollBox1->verticalScrollBar()->maximum() > 0);
}

TEST_F(PageImageTest, AFileThatIsNoJpegIsReportedAndTriedAgainNextTime) {
    clickLine(form->TntListBox1, 0);
    PagePicture* a = shown();
    clickLine(form->TntListBox1, 4);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(u"JPEG error #"_qs)) << errors[0].toStdString();
    EXPECT_EQ(shown(), a); // the previous page stays
    EXPECT_EQ(unit.LastImage, QByteArray("wh_b0001"));
    clickLine(form->TntListBox1, 4);
    EXPECT_EQ(errors.size(), 2);
}

TEST_F(PageImageTest, DamagedCompressedDataIsReportedOnceWhenFirstDrawn) {
    clickLine(form->TntListBox1, 5);
    EXPECT_TRUE(errors.isEmpty()); // the header is sound; the pixels aren't decoded yet
    EXPECT_EQ(unit.LastImage, QByteArray("trunc001"));
    form->PageControl2->setCurrentIndex(1);
    QTRY_COMPARE(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(u"JPEG error #"_qs)) << errors[0].toStdString();
    form->Image1->repaint();
    form->Image1Click();
    QTest::qWait(20);
    EXPECT_EQ(errors.size(), 1);
    EXPECT_FALSE(shown()->pixels().isNull()); // what was decoded before the fault stays
}
