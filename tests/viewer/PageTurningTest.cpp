// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Turning the scanned pages, fit width and zoom on the Image tab, beside the documented click.
#include "ViewerFixture.h"

#include "window/ListBox.h"
#include "window/PageImageView.h"
#include "aids/ReadingAids.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QScrollArea>
#include <QStyle>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>

#include <cmath>

using namespace wordhoard;
using wordhoard::testing::readTestData;
using wordhoard::testing::ViewerTest;

namespace {

// Pages in marker order 1, 2, 3 (no picture), 4; page 2 is marked again after page 4.
const QByteArray kPageTurningDictionary = "@wh_b0001#<b>a</b> one@wh_b0002#<b>b</b> two@wh_b0003#<b>c</b> three"
                                          "@wh_b0004#<b>d</b> four@wh_b0002#<b>e</b> five";

class PageTurningTest : public ViewerTest {
protected:
    void SetUp() override {
        wide = readTestData(u"jpeg/libjpeg-turbo/testorig.jpg"_qs); // 227 x 149
        dir.write(u"img/wh_b0001.jpg"_qs, wide);
        dir.write(u"img/wh_b0002.jpg"_qs, readTestData(u"jpeg/libjpeg-turbo/historical/testimggray.jpg"_qs));
        dir.write(u"img/wh_b0004.jpg"_qs, readTestData(u"jpeg/jpeg-decoder/reftest/grayscale_16x24_sampling2x2.jpg"_qs));
        start(kPageTurningDictionary);
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    ReadingAids& aids() { return form->readingAids(); }
    PagePicture* shown() const { return form->Image1->picture(); }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target ? target : form.get(), key, modifiers);
    }
    // The Image tab in front with its picture focused, as Ctrl+4 leaves it.
    void toImageTab() { press(Qt::Key_4, Qt::ControlModifier); }
    QByteArray wide;
};

} // namespace

TEST_F(PageTurningTest, PageDownAndUpFollowTheMarkersAndTheEntryStays) {
    clickLine(form->TntListBox1, 1); // "b" on wh_b0002
    toImageTab();
    ASSERT_TRUE(form->ScrollBox1->hasFocus());
    const QString pane = paneText();
    PagePicture* second = shown();
    ASSERT_NE(second, nullptr);

    press(Qt::Key_PageDown); // wh_b0003 has no picture: the previous one stays
    EXPECT_EQ(unit.LastImage, QByteArray("wh_b0003"));
    EXPECT_EQ(shown(), second);
    press(Qt::Key_PageDown);
    EXPECT_EQ(unit.LastImage, QByteArray("wh_b0004"));
    ASSERT_NE(shown(), second);
    EXPECT_EQ(shown()->size(), QSize(16, 24));
    press(Qt::Key_PageDown); // the last page: wh_b0002 is marked again but keeps its place
    EXPECT_EQ(unit.LastImage, QByteArray("wh_b0004"));
    // The entry shown and its page in the status bar never changed.
    EXPECT_EQ(paneText(), pane);
    EXPECT_EQ(form->StatusPanel1->text(), u"wh_b0002"_qs);

    press(Qt::Key_Home);
    EXPECT_EQ(unit.LastImage, QByteArray("wh_b0002"));
    press(Qt::Key_PageUp);
    EXPECT_EQ(unit.LastImage, QByteArray("wh_b0001"));
    EXPECT_EQ(shown()->size(), QSize(227, 149));
    PagePicture* first = shown();
    press(Qt::Key_PageUp); // the first page
    EXPECT_EQ(unit.LastImage, QByteArray("wh_b0001"));
    EXPECT_EQ(shown(), first);
    form->findChild<QAction*>(u"GoNextPage"_qs)->trigger(); // the Go menu
    EXPECT_EQ(unit.LastImage, QByteArray("wh_b0002"));

    // An entry shown afterwards brings its own page, as ever.
    clickLine(form->TntListBox1, 0);
    EXPECT_EQ(unit.LastImage, QByteArray("wh_b0001"));
    EXPECT_TRUE(errors.isEmpty());
}

// A page whose picture can't be decoded is reported once, and the next turn goes past it; while
// pages turn, the status bar names the page turned to, and panel 1 the entry's page.
TEST_F(PageTurningTest, TurningGoesPastADamagedPageAndTheStatusBarNamesThePage) {
    dir.write(u"img/wh_b0003.jpg"_qs, "not a JPEG");
    clickLine(form->TntListBox1, 0); // "a" on wh_b0001
    toImageTab();
    QLabel* turned = form->findChild<QLabel*>(u"TurnedPage"_qs);
    ASSERT_NE(turned, nullptr);
    EXPECT_TRUE(turned->isHidden());
    press(Qt::Key_PageDown);
    EXPECT_EQ(turned->text(), u"Turned to page wh_b0002"_qs);
    EXPECT_FALSE(turned->isHidden());
    press(Qt::Key_PageDown); // wh_b0003 is damaged
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(unit.LastImage, QByteArray("wh_b0002")); // as the design has it: the load failed
    EXPECT_EQ(turned->text(), u"Turned to page wh_b0003"_qs);
    press(Qt::Key_PageDown);
    EXPECT_EQ(errors.size(), 1);
    EXPECT_EQ(unit.LastImage, QByteArray("wh_b0004"));
    EXPECT_EQ(shown()->size(), QSize(16, 24));
    EXPECT_EQ(form->StatusPanel1->text(), u"wh_b0001"_qs);
    press(Qt::Key_Home); // the entry's page: turning ends
    EXPECT_TRUE(turned->isHidden());
    EXPECT_EQ(unit.LastImage, QByteArray("wh_b0001"));
}

TEST_F(PageTurningTest, ADictionaryWithoutPicturesSaysSoQuietly) {
    QFile::remove(dir.path(u"img/wh_b0001.jpg"_qs));
    clickLine(form->TntListBox1, 2); // "c" on wh_b0003, which has no picture
    toImageTab();
    EXPECT_EQ(shown(), nullptr);
    EXPECT_EQ(form->Image1->notice(), u"no scan for page wh_b0003"_qs);
    press(Qt::Key_PageDown); // a picture clears the notice
    EXPECT_NE(shown(), nullptr);
    EXPECT_TRUE(form->Image1->notice().isEmpty());
}

TEST_F(PageTurningTest, PageKeysKeepTheirMeaningAwayFromTheImageTab) {
    for (const char* name : {"GoNextPage", "GoPreviousPage", "GoEntryPage", "ViewFitPageWidth"}) {
        EXPECT_FALSE(form->findChild<QAction*>(QLatin1String(name))->isEnabled()) << name;
    }
    clickLine(form->TntListBox1, 0);
    form->TntListBox1->setFocus();
    press(Qt::Key_End);
    EXPECT_EQ(form->TntListBox1->selectedRow(), 4);
    // The Image tab in front, the focus in the word list: the keys still move the list.
    form->PageControl2->setCurrentIndex(1);
    EXPECT_TRUE(form->findChild<QAction*>(u"GoNextPage"_qs)->isEnabled());
    ASSERT_TRUE(form->TntListBox1->hasFocus());
    const QByteArray page = unit.LastImage;
    press(Qt::Key_Home);
    EXPECT_EQ(form->TntListBox1->selectedRow(), 0);
    EXPECT_EQ(unit.LastImage, QByteArray("wh_b0001"));
    press(Qt::Key_PageDown);
    EXPECT_EQ(form->TntListBox1->selectedRow(), 4);
    EXPECT_EQ(unit.LastImage, page);
}

TEST_F(PageTurningTest, FitWidthKeepsTheAspectRatioAndTheClickStillSwitchesAsDocumented) {
    clickLine(form->TntListBox1, 0);
    toImageTab();
    press(Qt::Key_W);
    const auto fits = [this](QSize picture) {
        const QSize room = form->ScrollBox1->maximumViewportSize();
        const QSize size = form->Image1->size();
        const int bar = form->ScrollBox1->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, form->ScrollBox1);
        EXPECT_TRUE(size.width() == room.width() || size.width() == room.width() - bar) << size.width();
        EXPECT_NEAR(double(size.height()) / size.width(), double(picture.height()) / picture.width(), 0.01);
        EXPECT_TRUE(form->Image1->stretch());
        EXPECT_FALSE(form->Image1->autoSize());
    };
    fits(QSize(227, 149));
    // A page of another shape, and a window of another size, are fitted again.
    form->findChild<QAction*>(u"GoNextPage"_qs)->trigger();
    form->findChild<QAction*>(u"GoNextPage"_qs)->trigger();
    form->findChild<QAction*>(u"GoNextPage"_qs)->trigger();
    ASSERT_EQ(shown()->size(), QSize(16, 24));
    fits(QSize(16, 24));
    EXPECT_GT(form->Image1->height(), form->ScrollBox1->maximumViewportSize().height()); // so it scrolls
    form->resize(form->width() + 150, form->height());
    QTRY_COMPARE(form->ScrollBox1->maximumViewportSize().width(), form->Image1->width() +
                 form->ScrollBox1->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, form->ScrollBox1));
    fits(QSize(16, 24));

    // The click: natural, then stretched to 761 x 448, whatever came before.
    QTest::mouseClick(form->Image1, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_FALSE(form->Image1->stretch());
    EXPECT_EQ(form->Image1->size(), QSize(16, 24));
    press(Qt::Key_Space); // the same by key
    EXPECT_TRUE(form->Image1->stretch());
    EXPECT_EQ(form->Image1->size(), QSize(761, 448));
    // The click ended the fit: a new page keeps the stretched bounds.
    press(Qt::Key_Home);
    EXPECT_EQ(form->Image1->size(), QSize(761, 448));
}

TEST_F(PageTurningTest, CtrlWheelOverThePictureZoomsItWithinItsLimits) {
    clickLine(form->TntListBox1, 0);
    toImageTab();
    form->Image1Click(); // natural: 100%
    ASSERT_EQ(form->Image1->size(), QSize(227, 149));
    const auto wheel = [this](int delta, Qt::KeyboardModifiers modifiers) {
        QWidget* over = form->Image1;
        const QPointF at(5, 5);
        QWheelEvent event(at, over->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(over, &event);
    };
    wheel(120, Qt::ControlModifier);
    EXPECT_EQ(form->Image1->size(), QSize(250, 164)); // 110%, aspect kept
    EXPECT_TRUE(form->Image1->stretch());
    wheel(-120, Qt::ControlModifier);
    EXPECT_EQ(form->Image1->size(), QSize(227, 149));
    wheel(120, Qt::NoModifier); // scrolls, no zoom
    EXPECT_EQ(form->Image1->size(), QSize(227, 149));
    for (int i = 0; i < 20; ++i) press(Qt::Key_Plus);
    EXPECT_EQ(form->Image1->size(), QSize(908, 596)); // 400%
    for (int i = 0; i < 20; ++i) press(Qt::Key_Minus);
    EXPECT_EQ(form->Image1->size(), QSize(23, 15)); // 10%
    // A zoomed page larger than the picture is drawn without an error.
    for (int i = 0; i < 20; ++i) press(Qt::Key_Plus);
    form->Image1->repaint();
    // A zoom holds for the next page.
    press(Qt::Key_PageDown);
    EXPECT_EQ(form->Image1->size(), QSize(908, 596));
    EXPECT_TRUE(errors.isEmpty());
}
