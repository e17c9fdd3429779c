// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ViewerFixture.h"

#include "dialogs/AboutBox.h"
#include "dialogs/Labels.h"
#include "dialogs/ErrorBox.h"
#include "window/ListBox.h"
#include "dialogs/MDIChild.h"
#include "dialogs/SplashForm.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QFontDialog>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

using namespace wordhoard;
using wordhoard::testing::ViewerTest;

namespace {

const QByteArray kAuxWindowsDictionary = "@wh_b0001#<b>a</b> one";

class AuxWindowsTest : public ViewerTest {
protected:
    // Runs `act` on the modal dialog once it is up (the code under test is blocked in exec()).
    template <typename Act> void whenModalShows(Act act) {
        QTimer::singleShot(0, [act] {
            QTRY_VERIFY(QApplication::activeModalWidget() != nullptr);
            act(QApplication::activeModalWidget());
        });
    }
};

} // namespace

TEST(ErrorBoxText, AFullStopIsAddedAfterLettersAndDigitsOnly) {
    EXPECT_EQ(errorBoxText(u"missing closing parenthesis"_qs), u"missing closing parenthesis."_qs);
    EXPECT_EQ(errorBoxText(u"JPEG error #42"_qs), u"JPEG error #42."_qs);
    EXPECT_EQ(errorBoxText(u"missing )"_qs), u"missing )"_qs);
    EXPECT_EQ(errorBoxText(u"done."_qs), u"done."_qs);
    EXPECT_EQ(errorBoxText(QString()), QString());
}

TEST_F(AuxWindowsTest, TheFontChoiceReachesExactlyTheFourReadingWidgets) {
    start(kAuxWindowsDictionary);
    const QFont buttonFont = form->TntButton2->font();
    QFont chosen(u"DejaVu Sans Mono"_qs);
    chosen.setPointSize(17);
    whenModalShows([chosen](QWidget* dialog) {
        auto* fonts = qobject_cast<QFontDialog*>(dialog);
        fonts->setCurrentFont(chosen);
        fonts->accept();
    });
    form->FontSelectExecute();
    for (QWidget* w : std::initializer_list<QWidget*>{form->TntRichEdit1, form->TntEdit1, form->TntListBox1,
                                                      form->TntListBox2}) {
        EXPECT_EQ(w->font().family(), chosen.family()) << w->objectName().toStdString();
        EXPECT_EQ(w->font().pointSize(), 17);
    }
    EXPECT_EQ(form->TntButton2->font(), buttonFont);
    EXPECT_NE(form->TntComboBox1->font().family(), chosen.family());
    // A font larger than the design's makes taller rows, so that no line is clipped (the hit
    // list's rows hold two lines: the headword, then a snippet).
    for (ListBox* list : {form->TntListBox1, form->TntListBox2}) {
        const int lines = list == form->TntListBox2 ? 2 : 1;
        EXPECT_EQ(list->uniformRowHeight(), lines * QFontMetrics(list->font()).lineSpacing());
        EXPECT_GT(list->uniformRowHeight(), lines * 21);
    }
    EXPECT_EQ(form->TntListBox1->rowHeight(0), form->TntListBox1->uniformRowHeight());

    // The next opening starts from the last choice; Cancel changes nothing.
    QFont startedWith;
    whenModalShows([&startedWith](QWidget* dialog) {
        startedWith = qobject_cast<QFontDialog*>(dialog)->currentFont();
        qobject_cast<QFontDialog*>(dialog)->setCurrentFont(QFont(u"DejaVu Serif"_qs));
        qobject_cast<QFontDialog*>(dialog)->reject();
    });
    form->FontSelectExecute();
    EXPECT_EQ(startedWith.family(), chosen.family());
    EXPECT_EQ(form->TntEdit1->font().family(), chosen.family());
}

TEST_F(AuxWindowsTest, TheAboutBoxOpensTwiceAndClosesWithEnter) {
    start(kAuxWindowsDictionary);
    TAboutBox box(form.get());
    form->setAboutBox(&box);
    EXPECT_EQ(box.windowTitle(), u"About"_qs);
    EXPECT_EQ(box.size(), QSize(450, 586));
    EXPECT_EQ(box.Label2->text(), u"docs/index.html"_qs);
    EXPECT_EQ(box.Label2->palette().color(QPalette::WindowText), QColor(Qt::blue)); // a link
    EXPECT_TRUE(box.Label2->font().underline());
    EXPECT_TRUE(box.BrowseURL1->isEnabled());
    for (int round = 0; round < 2; ++round) {
        bool sawBox = false;
        whenModalShows([&sawBox, &box](QWidget* dialog) {
            sawBox = dialog == &box;
            EXPECT_EQ(box.focusWidget(), box.OKButton);
            // Shown, every label's text fits its box.
            for (QLabel* label : {box.Version, box.CreditLabel, box.Label1, box.Label2}) {
                EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width())
                    << label->objectName().toStdString();
            }
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        form->HelpAbout1Execute();
        EXPECT_TRUE(sawBox);
        EXPECT_EQ(box.ProgramIcon->pixmap().size(), QSize(400, 358)); // our picture, decoded when shown
        EXPECT_TRUE(box.isHidden());
    }
}

TEST_F(AuxWindowsTest, ChildWindowsOpenOnlyForFiles) {
    start(kAuxWindowsDictionary);
    const QString file = dir.write(u"notes.txt"_qs, "some notes");
    EXPECT_EQ(form->CreateMDIChild(dir.path(u"missing.txt"_qs)), nullptr);
    EXPECT_EQ(form->CreateMDIChild(dir.path(u"txt"_qs)), nullptr);
    EXPECT_TRUE(form->MDIClient->subWindowList().isEmpty());

    QPointer<TMDIChild> child = form->CreateMDIChild(file);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->windowTitle(), file);
    EXPECT_TRUE(child->Memo1->toPlainText().isEmpty()); // the file's contents are not loaded
    EXPECT_FALSE(child->Memo1->isReadOnly());
    EXPECT_EQ(form->MDIClient->subWindowList().size(), 1);
    child->close();
    QTRY_VERIFY(child.isNull()); // closing destroys it
}

TEST(SplashForm, StaysOnTopTranslucentWithItsFixedTexts) {
    TSplashForm splash;
    EXPECT_EQ(splash.size(), QSize(499, 339));
    EXPECT_TRUE(splash.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_NEAR(splash.windowOpacity(), 220.0 / 255.0, 0.01);
    EXPECT_EQ(splash.Version->text(), u"AN ELECTRONIC APPLICATION ON CD-ROM"_qs);
    EXPECT_EQ(splash.Comments->text(), u"ver. 0.2b"_qs);
    EXPECT_EQ(splash.Label5->text(), u"Loading..."_qs);
    // Our own artwork, decoded through the page-image decoder.
    ASSERT_FALSE(splash.Image1->pixmap().isNull());
    EXPECT_EQ(splash.Image1->pixmap().size(), QSize(499, 339));
    EXPECT_FALSE(splash.Image2->pixmap().isNull());
    EXPECT_FALSE(splash.Image3->pixmap().isNull());
    // Every label's text fits its box.
    for (QLabel* label : splash.findChildren<QLabel*>()) {
        if (label->pixmap().isNull() && !label->wordWrap()) {
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width())
                << label->objectName().toStdString();
        }
    }
}

// A placed label too narrow for its text grows, about its centre when centred; fitted when shown,
// it keeps its design box until then.
TEST(PlacedLabel, GrowsToItsTextNowOrWhenShown) {
    QWidget window;
    const QString text = u"a text much wider than its box"_qs;
    QLabel* now = placedLabel(&window, "now", text, {100, 10, 20, 15}, QFont(), Qt::AlignHCenter | Qt::AlignTop);
    const int needed = now->fontMetrics().horizontalAdvance(text) + 1;
    EXPECT_EQ(now->width(), needed);
    EXPECT_EQ(now->x(), 100 - (needed - 20) / 2);
    QLabel* later = placedLabel(&window, "later", text, {100, 30, 20, 15}, QFont(), Qt::AlignLeft | Qt::AlignTop,
                                Fit::WhenShown);
    EXPECT_EQ(later->geometry(), QRect(100, 30, 20, 15));
    growToFit(later);
    EXPECT_EQ(later->geometry(), QRect(100, 30, needed, 15));
    growToFit(later);
    EXPECT_EQ(later->width(), needed);
}
