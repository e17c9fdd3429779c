// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The reading aids beside the documented window, driven by keys, wheel and mouse buttons.
#include "ViewerFixture.h"

#include "reading/History.h"
#include "window/ListBox.h"
#include "window/ListModels.h"
#include "window/PageImageView.h"
#include "aids/BackgroundIndexes.h"
#include "aids/ReadingAids.h"
#include "Dictionary.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

#include <memory>

using namespace wordhoard;
using wordhoard::testing::sourceDir;
using wordhoard::testing::ViewerTest;

namespace {

// Five entries on three pages; "ac" occurs in three of them.
const QByteArray kReadingAidsDictionary = "@wh_b0001\r\n"
                                          "#<b>ac</b> oak\r\n"
                                          "#<b>bana</b> slayer, <i>cf.</i> ac\r\n"
                                          "@wh_b0002\r\n"
                                          "#<b>cyning</b> king\r\n"
                                          "#<b>d&aelig;d</b> deed\r\n"
                                          "@wh_b0003\r\n"
                                          "#<b>eorl</b> nobleman, ac";

class ReadingAidsTest : public ViewerTest {
protected:
    void begin(const QByteArray& text = kReadingAidsDictionary) {
        start(text);
        activate(); // shortcuts reach the active window only
    }
    // Offscreen, a closed dialog stays the active window: make the main window active as the
    // desktop would.
    void activate() {
        QApplication::setActiveWindow(form.get());
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    ReadingAids& aids() { return form->readingAids(); }
    QAction* action(const char* name) const { return form->findChild<QAction*>(QLatin1String(name)); }
    // A key as the reader presses it, where the focus is.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : form.get(), key, modifiers);
    }
    void search(const QString& term) {
        form->TntEdit1->setText(term);
        pressKeyInSearchField(Qt::Key_Return);
    }
    void wheel(QWidget* over, int delta, Qt::KeyboardModifiers modifiers) {
        const QPointF at(over->width() / 2.0, over->height() / 2.0);
        QWheelEvent event(at, over->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(over, &event);
    }
    QString clipboard() const { return QApplication::clipboard()->text(); }
};

} // namespace

TEST_F(ReadingAidsTest, BackAndForwardRevisitEntriesWithTheirTabsAndLines) {
    begin();
    clickLine(form->TntListBox1, 0);
    clickLine(form->TntListBox1, 2);
    pressKeyInSearchField(Qt::Key_Down); // the arrow keys count: "dæd"
    search(u"ac"_qs);                    // so does the look-up, which shows "ac" as the text is typed
    ASSERT_EQ(unit.HitOffsets.size(), 3u);
    ASSERT_EQ(form->PageControl1->currentIndex(), 1);
    clickLine(form->TntListBox2, 1); // "bana" from the hit list, "ac" marked
    const QString markedStyles = paneStyles();
    ASSERT_TRUE(markedStyles.contains(u'!'));
    ASSERT_EQ(aids().history().size(), 5u);

    press(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(form->PageControl1->currentIndex(), 0); // the tab it was shown from
    EXPECT_EQ(form->TntListBox1->selectedRow(), 0);
    EXPECT_EQ(paneText(), u"ac oak\n"_qs);
    EXPECT_FALSE(paneStyles().contains(u'!')); // the word list in front: nothing marked
    press(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(form->TntListBox1->selectedRow(), 3);
    EXPECT_EQ(paneText(), u"d\u00E6d deed\n@wh_b0003\n"_qs);
    EXPECT_EQ(form->StatusPanel1->text(), u"wh_b0002"_qs);
    press(Qt::Key_Left, Qt::AltModifier);
    press(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(form->TntListBox1->selectedRow(), 0);
    EXPECT_EQ(paneText(), u"ac oak\n"_qs);
    EXPECT_EQ(form->StatusPanel1->text(), u"wh_b0001"_qs);
    EXPECT_FALSE(aids().goBack()); // the first entry shown
    EXPECT_FALSE(action("GoBack")->isEnabled());

    action("GoForward")->trigger(); // the Go menu
    EXPECT_EQ(paneText(), u"cyning king\n"_qs);
    EXPECT_EQ(form->TntListBox1->selectedRow(), 2);
    for (int i = 0; i < 3; ++i) press(Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(form->PageControl1->currentIndex(), 1);
    EXPECT_EQ(form->TntListBox2->selectedRow(), 1);
    EXPECT_EQ(paneStyles(), markedStyles); // shown as from the hit list: the hits marked
    EXPECT_FALSE(action("GoForward")->isEnabled());
    // Selecting the lines from code raised no click: nothing new was recorded.
    EXPECT_EQ(aids().history().size(), 5u);

    // The mouse's back button, over any part of the window; then a new entry drops the way forward.
    QTest::mouseClick(form->TntRichEdit1->viewport(), Qt::BackButton);
    EXPECT_EQ(paneText(), u"ac oak\n"_qs);
    clickLine(form->TntListBox1, 4);
    EXPECT_FALSE(aids().goForward());
    EXPECT_EQ(paneText(), u"eorl nobleman, ac"_qs);
    EXPECT_EQ(aids().history().size(), 5u);
    QTest::mouseClick(form->TntListBox1->viewport(), Qt::BackButton, {}, QPoint(5, 5));
    EXPECT_EQ(paneText(), u"ac oak\n"_qs);
    QTest::mouseClick(form->StatusPanel1, Qt::ForwardButton);
    EXPECT_EQ(paneText(), u"eorl nobleman, ac"_qs);
    EXPECT_EQ(form->TntListBox1->selectedRow(), 4); // the back button did not click the line under it
}

// Typing shows the look-up's entry at every letter; the history keeps only the one the reader
// settles on: once typing pauses, the field loses the focus, or another entry is shown.
TEST_F(ReadingAidsTest, TypingRecordsTheEntryTheReaderSettlesOnNotEveryKeystroke) {
    begin();
    clickLine(form->TntListBox1, 4); // "eorl"
    form->TntEdit1->setFocus();
    QTest::keyClicks(form->TntEdit1, u"cy"_qs); // "cyning" at "c" already
    EXPECT_EQ(paneText(), u"cyning king\n"_qs);
    EXPECT_EQ(aids().history().size(), 1u);
    QTest::qWait(1200);
    EXPECT_EQ(aids().history().size(), 2u);
    // Back at once, while the look-up's entry waits: it counts first.
    form->TntEdit1->clear();
    QTest::keyClicks(form->TntEdit1, u"ba"_qs);
    EXPECT_EQ(paneText(), u"bana slayer, cf. ac\n@wh_b0002\n"_qs);
    press(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(paneText(), u"cyning king\n"_qs);
    EXPECT_EQ(aids().history().size(), 3u);
    // The focus leaving the field settles it too.
    form->TntEdit1->setFocus();
    form->TntEdit1->setText(u"d"_qs);
    form->TntListBox1->setFocus();
    EXPECT_EQ(aids().history().size(), 3u); // "dæd" replaced the way forward to "bana"
    EXPECT_TRUE(aids().goBack());
    EXPECT_EQ(paneText(), u"cyning king\n"_qs);
}

TEST_F(ReadingAidsTest, BackToAHitTheHitListNoLongerHoldsShowsItWithNoLineSelected) {
    begin();
    search(u"ac"_qs);
    clickLine(form->TntListBox2, 2); // eorl
    clickLine(form->TntListBox2, 0); // ac
    search(u"oak"_qs);
    ASSERT_EQ(unit.HitOffsets.size(), 1u);
    form->TntListBox2->selectRow(0);
    ASSERT_TRUE(aids().goBack());
    EXPECT_EQ(paneText(), u"eorl nobleman, ac"_qs);
    EXPECT_EQ(form->TntListBox2->selectedRow(), -1);
    ASSERT_TRUE(aids().goForward()); // "ac" is line 0 of the new hits
    EXPECT_EQ(form->TntListBox2->selectedRow(), 0);
}

TEST_F(ReadingAidsTest, AnotherFolderStartsEverythingAfresh) {
    dir.write(u"img/wh_b0001.jpg"_qs, wordhoard::testing::readTestData(u"jpeg/libjpeg-turbo/testorig.jpg"_qs));
    begin();
    clickLine(form->TntListBox1, 0);
    clickLine(form->TntListBox1, 2);
    form->setLooseMatching(true); // its index belongs to this text
    search(u"ac"_qs);
    ASSERT_FALSE(form->findChild<QLabel*>(u"HitCount"_qs)->text().isEmpty());
    form->PageControl2->setCurrentIndex(1);
    form->PageControl2->setCurrentIndex(0);
    ASSERT_NE(form->Image1->picture(), nullptr);

    const QString other = dir.path(u"other"_qs);
    dir.write(u"other/txt/WH-main_01.txt"_qs, "@wh_b0001#<b>wyrd</b> fate#<b>ylf</b> elf");
    form->PageControl1->setCurrentIndex(0);
    form->TntEdit1->setText(u"yl"_qs); // not in this text; looked up in the next one
    ASSERT_TRUE(aids().openDictionaryFolder(other));
    EXPECT_EQ(form->TntListBox1->selectedRow(), 1);
    EXPECT_EQ(paneText(), u"ylf elf"_qs);
    EXPECT_EQ(form->findChild<QLabel*>(u"DictionaryFolder"_qs)->text(), u"other"_qs);
    form->TntEdit1->clear();
    ASSERT_TRUE(aids().openDictionaryFolder(other));
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_EQ(unit.folder, other);
    ASSERT_EQ(form->wordListModel->rowCount(), 2);
    EXPECT_EQ(form->wordListModel->line(1), u"ylf"_qs);
    EXPECT_EQ(form->hitListModel->rowCount(), 0);
    EXPECT_TRUE(form->findChild<QLabel*>(u"HitCount"_qs)->text().isEmpty());
    EXPECT_TRUE(unit.HitOffsets.empty());
    EXPECT_TRUE(paneText().isEmpty());
    EXPECT_TRUE(form->StatusPanel1->text().isEmpty());
    EXPECT_EQ(form->Image1->picture(), nullptr);
    EXPECT_TRUE(unit.LastImage.isEmpty());
    EXPECT_EQ(aids().history().size(), 0u);
    EXPECT_FALSE(aids().goBack());

    // The new text is the one shown, searched and looked up; its pictures come from its img/.
    clickLine(form->TntListBox1, 1);
    EXPECT_EQ(paneText(), u"ylf elf"_qs);
    EXPECT_EQ(form->Image1->picture(), nullptr); // other/img/ holds no wh_b0001.jpg
    form->PageControl1->setCurrentIndex(0);
    form->TntEdit1->setText(u"wy"_qs);
    EXPECT_EQ(form->TntListBox1->selectedRow(), 0);
    ASSERT_TRUE(aids().goBack());
    EXPECT_EQ(paneText(), u"ylf elf"_qs);
    search(u"fate"_qs);
    EXPECT_EQ(form->hitListModel->line(0), u"wyrd"_qs);
    search(u"elf"_qs); // loosely, over the new text's own index
    EXPECT_EQ(form->hitListModel->line(0), u"ylf"_qs);
}

TEST_F(ReadingAidsTest, FormsAndLinksAreMadeOnAWorkerForEveryTextAfterTheFirstPaint) {
    begin();
    // The first paint may have come and gone before the spies: the index is made either way.
    ASSERT_TRUE(QTest::qWaitFor([&] { return unit.dictionary->linksIfMade(); }, 10'000));
    EXPECT_NE(unit.dictionary->formsIfMade(), nullptr);
    QSignalSpy forms(&form->backgroundIndexes(), &BackgroundIndexes::formsReady);
    QSignalSpy links(&form->backgroundIndexes(), &BackgroundIndexes::linksReady);
    EXPECT_NE(unit.dictionary->linksIfMade(), nullptr);

    dir.write(u"other/txt/WH-main_01.txt"_qs, "@wh_b0001#<b>wyrd</b> fate#<b>ylf</b> elf");
    ASSERT_TRUE(aids().openDictionaryFolder(dir.path(u"other"_qs)));
    ASSERT_TRUE(links.wait(10'000) || links.size() == 1);
    EXPECT_EQ(forms.size(), 1);
    EXPECT_NE(unit.dictionary->linksIfMade(), nullptr);
}

TEST_F(ReadingAidsTest, AFolderWithoutReadableTextKeepsTheOpenDictionary) {
    begin();
    clickLine(form->TntListBox1, 0);
    clickLine(form->TntListBox1, 2);
    dir.write(u"dirtext/txt/WH-main_01.txt/inside"_qs, "a folder where the text should be");
    dir.write(u"emptytext/txt/WH-main_01.txt"_qs, "");
    const struct {
        QString folder;
        const char* reason;
    } bad[] = {{dir.path(u"nowhere"_qs), "No such file or directory"},
               {dir.path(u"dirtext"_qs), "is a directory"},
               {dir.path(u"emptytext"_qs), "the file is empty"}};
    for (const auto& [folder, reason] : bad) {
        errors.clear();
        EXPECT_FALSE(aids().openDictionaryFolder(folder));
        ASSERT_EQ(errors.size(), 1);
        // Worded as at start-up.
        EXPECT_EQ(errors[0], u"Cannot open the dictionary text \"%1/txt/WH-main_01.txt\": %2"_qs.arg(
                                 folder, QString::fromUtf8(reason)));
    }
    EXPECT_EQ(unit.folder, QString());
    EXPECT_EQ(form->wordListModel->rowCount(), 5);
    EXPECT_EQ(paneText(), u"cyning king\n"_qs);
    EXPECT_TRUE(aids().goBack());
    EXPECT_EQ(paneText(), u"ac oak\n"_qs);
}

TEST_F(ReadingAidsTest, CtrlOAsksForAFolderAndCancelChangesNothing) {
    begin();
    dir.write(u"other/txt/WH-main_01.txt"_qs, "#<b>wyrd</b> fate");
    for (const bool accept : {false, true}) {
        activate();
        QTimer::singleShot(0, [this, accept] {
            QTRY_VERIFY(qobject_cast<QFileDialog*>(QApplication::activeModalWidget()) != nullptr);
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            EXPECT_EQ(dialog->fileMode(), QFileDialog::Directory);
            if (!accept) return dialog->reject();
            dialog->selectFile(dir.path(u"other"_qs));
            static_cast<QDialog*>(dialog)->accept();
        });
        press(Qt::Key_O, Qt::ControlModifier);
        EXPECT_EQ(form->wordListModel->rowCount(), accept ? 1 : 5);
    }
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(ReadingAidsTest, KeysReachTheSearchFieldAndTheFourTabs) {
    begin();
    form->TntEdit1->setText(u"cy"_qs); // the look-up shows "cyning"
    form->TntListBox1->setFocus();
    for (const auto& [key, modifiers] : {std::pair{Qt::Key_L, Qt::ControlModifier}, std::pair{Qt::Key_F6, Qt::NoModifier}}) {
        form->TntListBox1->setFocus();
        press(key, modifiers);
        EXPECT_TRUE(form->TntEdit1->hasFocus());
        EXPECT_EQ(form->TntEdit1->selectedText(), u"cy"_qs);
    }
    // Escape in the search field empties it: no line selected, the entry shown stays.
    press(Qt::Key_Escape);
    EXPECT_TRUE(form->TntEdit1->text().isEmpty());
    EXPECT_EQ(form->TntListBox1->selectedRow(), -1);
    EXPECT_EQ(paneText(), u"cyning king\n"_qs);
    // Elsewhere Escape leaves the field alone.
    form->TntEdit1->setText(u"ac"_qs);
    form->TntListBox1->setFocus();
    press(Qt::Key_Escape);
    EXPECT_EQ(form->TntEdit1->text(), u"ac"_qs);

    press(Qt::Key_2, Qt::ControlModifier);
    EXPECT_EQ(form->PageControl1->currentIndex(), 1);
    EXPECT_TRUE(form->TntListBox2->hasFocus());
    EXPECT_FALSE(form->TntListBox2->isHidden());
    press(Qt::Key_4, Qt::ControlModifier);
    EXPECT_EQ(form->PageControl2->currentIndex(), 1);
    EXPECT_TRUE(form->ScrollBox1->hasFocus());
    press(Qt::Key_3, Qt::ControlModifier);
    EXPECT_EQ(form->PageControl2->currentIndex(), 0);
    EXPECT_TRUE(form->TntRichEdit1->hasFocus());
    press(Qt::Key_1, Qt::ControlModifier);
    EXPECT_EQ(form->PageControl1->currentIndex(), 0);
    EXPECT_TRUE(form->TntListBox1->hasFocus());
}

// Tab walks every enabled control of the window in the design's order, the widget of the tab in
// front included, and leaves a list again.
TEST_F(ReadingAidsTest, TabVisitsEveryControlAndNeverStaysInAList) {
    begin();
    const auto walk = [this] {
        QStringList names;
        form->TntEdit1->setFocus();
        for (int i = 0; i < 13; ++i) {
            names << QApplication::focusWidget()->objectName();
            press(Qt::Key_Tab);
        }
        return names;
    };
    const QString tabBar = u"qt_tabwidget_tabbar"_qs;
    EXPECT_EQ(walk(), (QStringList{u"TntEdit1"_qs, u"TntButton2"_qs, u"TntButton3"_qs, u"TntButton4"_qs,
                                   u"TntButton5"_qs, u"TntButton6"_qs, u"TntComboBox1"_qs, tabBar, u"TntListBox1"_qs,
                                   u"TntButton1"_qs, tabBar, u"TntRichEdit1"_qs, u"TntEdit1"_qs}));
    form->PageControl1->setCurrentIndex(1);
    form->PageControl2->setCurrentIndex(1);
    const QStringList names = walk();
    EXPECT_EQ(names[8], u"TntListBox2"_qs);
    EXPECT_EQ(names[11], u"ScrollBox1"_qs);
}

TEST_F(ReadingAidsTest, ZoomScalesTheTextAndBothListsWithinItsLimitsAndRowsNeverClip) {
    begin();
    search(u"ac"_qs);
    form->PageControl1->setCurrentIndex(0);
    clickLine(form->TntListBox1, 2);
    const auto rowsFit = [this] {
        for (ListBox* list : {form->TntListBox1, form->TntListBox2}) {
            EXPECT_GE(list->uniformRowHeight(), QFontMetrics(list->font()).lineSpacing()) << list->objectName().toStdString();
            EXPECT_EQ(list->rowHeight(0), list->uniformRowHeight()) << list->objectName().toStdString();
        }
    };
    EXPECT_EQ(form->TntListBox1->uniformRowHeight(), 21);
    const int expected[] = {110, 125, 150, 175, 200, 250, 300, 400, 400};
    for (const int percent : expected) {
        press(Qt::Key_Plus, Qt::ControlModifier);
        EXPECT_EQ(aids().zoom(), percent);
        EXPECT_EQ(form->TntRichEdit1->font().pixelSize(), qRound(14 * percent / 100.0));
        EXPECT_EQ(form->TntRichEdit1->document()->defaultFont(), form->TntRichEdit1->font());
        EXPECT_EQ(form->TntListBox1->font().pixelSize(), qRound(14 * percent / 100.0));
        EXPECT_EQ(form->TntListBox2->font().pixelSize(), qRound(14 * percent / 100.0));
        rowsFit();
    }
    EXPECT_GT(form->TntListBox1->uniformRowHeight(), 2 * 21);
    EXPECT_FALSE(action("ViewZoomIn")->isEnabled());
    EXPECT_EQ(paneText(), u"cyning king\n"_qs); // the entry stays, styled as before
    EXPECT_EQ(paneStyles(), u"bbbbbb.....\n"_qs);

    form->TntRichEdit1->setFocus(); // the pane's own zoom keys give way
    press(Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(aids().zoom(), 100);
    EXPECT_EQ(form->TntRichEdit1->font().pixelSize(), 14);
    EXPECT_EQ(form->TntListBox1->uniformRowHeight(), 21); // the design's rows again
    for (int i = 0; i < 8; ++i) press(Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(form->TntRichEdit1->font(), form->TntRichEdit1->document()->defaultFont());
    EXPECT_EQ(aids().zoom(), 50);
    EXPECT_EQ(form->TntRichEdit1->font().pixelSize(), 7);
    // Rows shrink with the font, in the design's proportion, as far as its line spacing allows.
    rowsFit();
    EXPECT_EQ(form->TntListBox1->uniformRowHeight(),
              std::max(11, QFontMetrics(form->TntListBox1->font()).lineSpacing()));
    EXPECT_FALSE(action("ViewZoomOut")->isEnabled());
    press(Qt::Key_Equal, Qt::ControlModifier); // for keyboards whose plus needs Shift
    EXPECT_EQ(aids().zoom(), 67);
}

// The rows of a long list change height at once (quietly, see ListBox) and stay where a click
// finds them.
TEST_F(ReadingAidsTest, ALongListIsLaidOutAgainAtEveryZoom) {
    QByteArray text;
    for (int i = 0; i < 2000; ++i) text += "#<b>w" + QByteArray::number(i) + "</b> x";
    begin(text);
    ListBox* list = form->TntListBox1;
    for (const int steps : {3, -5, 2}) {
        for (int i = 0; i < std::abs(steps); ++i) press(steps > 0 ? Qt::Key_Plus : Qt::Key_Minus, Qt::ControlModifier);
        const int height = list->uniformRowHeight();
        EXPECT_EQ(list->verticalHeader()->length(), 2000 * height);
        // The scroll bar reaches the last line, wholly shown, and no further.
        list->verticalScrollBar()->setValue(list->verticalScrollBar()->maximum());
        const QRect last = list->visualRect(list->model()->index(1999, 0));
        EXPECT_LE(last.bottom(), list->viewport()->height());
        EXPECT_GT(last.bottom() + height, list->viewport()->height());
        for (const int row : {0, 1000, 1999}) {
            clickLine(list, row);
            EXPECT_EQ(list->selectedRow(), row);
            EXPECT_EQ(list->visualRect(list->model()->index(row, 0)).height(), height);
            EXPECT_EQ(paneText(), u"w%1 x"_qs.arg(row));
        }
    }
}

TEST_F(ReadingAidsTest, CtrlWheelOverTheTextZoomsAndAPlainWheelDoesNot) {
    begin();
    QWidget* pane = form->TntRichEdit1->viewport();
    wheel(pane, 120, Qt::ControlModifier);
    EXPECT_EQ(aids().zoom(), 110);
    wheel(pane, -120, Qt::ControlModifier);
    wheel(pane, -120, Qt::ControlModifier);
    EXPECT_EQ(aids().zoom(), 90);
    wheel(pane, 60, Qt::ControlModifier); // half a notch, twice: one step
    EXPECT_EQ(aids().zoom(), 90);
    wheel(pane, 60, Qt::ControlModifier);
    EXPECT_EQ(aids().zoom(), 100);
    const QFont before = form->TntRichEdit1->font();
    wheel(pane, 120, Qt::NoModifier);
    EXPECT_EQ(aids().zoom(), 100);
    EXPECT_EQ(form->TntRichEdit1->font(), before); // the pane's own zoom stays out of it
}

TEST_F(ReadingAidsTest, AFontChoiceIsTheNewBaseOfTheZoom) {
    begin();
    press(Qt::Key_Plus, Qt::ControlModifier);
    QFont chosen(u"DejaVu Serif"_qs);
    chosen.setPointSize(20);
    QTimer::singleShot(0, [chosen] {
        QTRY_VERIFY(qobject_cast<QFontDialog*>(QApplication::activeModalWidget()) != nullptr);
        auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
        dialog->setCurrentFont(chosen);
        dialog->accept();
    });
    form->Action11->trigger(); // View > Font
    activate();
    EXPECT_EQ(aids().zoom(), 100);
    EXPECT_EQ(form->TntRichEdit1->font().pointSize(), 20);
    press(Qt::Key_Plus, Qt::ControlModifier);
    press(Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(form->TntRichEdit1->font().pointSizeF(), 25.0);
    EXPECT_EQ(form->TntListBox2->font().pointSizeF(), 25.0);
    EXPECT_EQ(form->TntRichEdit1->font().family(), chosen.family());
    for (ListBox* list : {form->TntListBox1, form->TntListBox2}) {
        EXPECT_EQ(list->uniformRowHeight(), list->linesPerRow() * QFontMetrics(list->font()).lineSpacing());
    }
    press(Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(form->TntRichEdit1->font().pointSize(), 20);
}

TEST_F(ReadingAidsTest, CopyingTheEntryWithItsCitationAndTheSelectedHeadword) {
    begin();
    QApplication::clipboard()->setText(u"before"_qs);
    press(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier); // nothing shown yet
    EXPECT_EQ(clipboard(), u"before"_qs);

    clickLine(form->TntListBox1, 3);
    press(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(clipboard(), u"d\u00E6d deed\n@wh_b0003\n\u2014 d\u00E6d, page wh_b0002\n"_qs);

    // Ctrl+C in a list copies its selected line; in the pane, the pane's own selection as before.
    form->TntListBox1->setFocus();
    press(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard(), u"d\u00E6d"_qs);
    QTextCursor cursor(form->TntRichEdit1->document());
    cursor.setPosition(4);
    cursor.setPosition(7, QTextCursor::KeepAnchor);
    form->TntRichEdit1->setTextCursor(cursor);
    form->TntRichEdit1->setFocus();
    press(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard(), u"dee"_qs);
    search(u"ac"_qs);
    clickLine(form->TntListBox2, 2);
    form->TntListBox2->setFocus();
    press(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard(), u"eorl"_qs);
    form->TntListBox2->selectRow(-1); // no line selected: nothing to copy
    QApplication::clipboard()->setText(u"before"_qs);
    press(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard(), u"before"_qs);
    // Back and Forward show an entry too (here the one the look-up showed): the citation follows it.
    aids().goBack();
    aids().copyEntryWithCitation();
    EXPECT_EQ(clipboard(), u"ac oak\n\u2014 ac, page wh_b0001\n"_qs);
}

TEST_F(ReadingAidsTest, TheTextPanesMenuKeepsItsOwnItemsAndAddsTheCitation) {
    begin();
    clickLine(form->TntListBox1, 0);
    const std::unique_ptr<QMenu> menu(aids().createTextPaneMenu());
    QStringList names;
    for (const QAction* item : menu->actions()) {
        if (!item->isSeparator()) names << item->objectName();
    }
    EXPECT_EQ(names, (QStringList{u"edit-copy"_qs, u"select-all"_qs, u"CopyEntryWithCitation"_qs, u"GoFavourite"_qs, u"ReferredToBy"_qs}));

    // The menu a right click (here its event) opens, with its item chosen.
    QStringList shown;
    QTimer::singleShot(0, [&shown] {
        QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        for (QAction* item : popup->actions()) {
            shown << item->text();
            if (item->objectName() == u"CopyEntryWithCitation"_qs) item->trigger();
        }
        popup->close();
    });
    QWidget* viewport = form->TntRichEdit1->viewport();
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10), viewport->mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(viewport, &event);
    EXPECT_TRUE(shown.contains(u"Copy Entry with &Citation"_qs));
    EXPECT_EQ(clipboard(), u"ac oak\n\u2014 ac, page wh_b0001\n"_qs);
}

TEST_F(ReadingAidsTest, ExitClosesTheMainWindow) {
    begin();
    EXPECT_TRUE(form->FileExit1->isEnabled());
    form->FileExit1->trigger();
    EXPECT_FALSE(form->isVisible());
}

// Ctrl+Q ends the event loop as closing the window does: the program ends.
TEST_F(ReadingAidsTest, CtrlQEndsTheProgram) {
    begin();
    ASSERT_TRUE(QApplication::quitOnLastWindowClosed());
    QTimer::singleShot(0, [this] { press(Qt::Key_Q, Qt::ControlModifier); });
    QTimer watchdog; // only if Ctrl+Q failed: the test would hang otherwise
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QApplication::exit(1); });
    watchdog.start(30000);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(ReadingAidsTest, HelpAndTheReadmeListEveryKey) {
    begin();
    press(Qt::Key_F1);
    ASSERT_NE(aids().shortcutDialog(), nullptr);
    EXPECT_TRUE(aids().shortcutDialog()->isVisible());
    // Every row fits at the size it opens with.
    EXPECT_FALSE(aids().shortcutDialog()->findChild<QTextBrowser*>()->verticalScrollBar()->isVisible());
    const QString listed = aids().shortcutDialog()->findChild<QTextBrowser*>()->toPlainText();
    QFile readmeFile(sourceDir() + u"/README.md"_qs);
    ASSERT_TRUE(readmeFile.open(QIODevice::ReadOnly));
    const QString readme = QString::fromUtf8(readmeFile.readAll());
    // Every key of the window is listed, those of the documented window aside (it has only Exit's).
    for (const QAction* item : form->findChildren<QAction*>()) {
        for (const QKeySequence& key : item->shortcuts()) {
            const QString text = key.toString(QKeySequence::NativeText);
            EXPECT_TRUE(listed.contains(text)) << text.toStdString();
        }
    }
    for (const auto& [what, keys] : aids().shortcutList()) {
        EXPECT_TRUE(listed.contains(what)) << what.toStdString();
        EXPECT_TRUE(readme.contains(u"| %1 | %2 |"_qs.arg(what, keys))) << what.toStdString();
    }
}
