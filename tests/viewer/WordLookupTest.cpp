// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// From a word of the text to its headword: the form list under the search field, Ctrl+click and
// the text's menu, and the Gloss Passage window.
#include "ViewerFixture.h"

#include "aids/BackgroundIndexes.h"
#include "aids/ReadingAids.h"
#include "aids/WordLookup.h"
#include "gloss/GlossWindow.h"
#include "window/ListBox.h"
#include "Dictionary.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMetaEnum>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QThreadPool>

#include <memory>

using namespace wordhoard;
using wordhoard::testing::ViewerTest;

namespace {

// Lines: 0 bana, 1 beran, 2 cyning, 3 sang, 4 singan, 5 stan.
const QByteArray kWordLookupDictionary = "@wh_b0001\r\n"
                                         "#<b>bana</b> <i>m.</i> a slayer: se bana cyninges sang\r\n"
                                         "#<b>beran</b> <i>st. v. IV</i> to bear, carry\r\n"
                                         "#<b>cyning</b> <i>m.</i> a king; a ruler\r\n"
                                         "@wh_b0002\r\n"
                                         "#<b>sang</b> <i>m.</i> a song; singing\r\n"
                                         "#<b>singan</b> <i>st. v. III</i> to sing; to chant\r\n"
                                         "#<b>st&a-long;n</b> <i>m.</i> a stone\r\n";

class WordLookupTest : public ViewerTest {
protected:
    void begin(bool formsMade = true) {
        start(kWordLookupDictionary);
        if (formsMade) form->dictionary().forms();
        QApplication::setActiveWindow(form.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        form->TntEdit1->setFocus();
    }
    WordLookup& lookup() const { return *form->findChild<WordLookup*>(); }
    QListWidget& list() const { return *lookup().formList(); }
    QStringList listLines() const {
        QStringList lines;
        for (int row = 0; row < list().count(); ++row) lines << list().item(row)->text();
        return lines;
    }
    void type(const QString& text) {
        form->TntEdit1->clear();
        QTest::keyClicks(form->TntEdit1, text);
    }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    // The middle of the `nth` occurrence of `word` in a text view's viewport.
    static QPoint placeOf(QTextEdit* view, const QString& word, int nth = 0) {
        qsizetype at = -1;
        for (int k = 0; k <= nth; ++k) at = view->document()->toPlainText().indexOf(word, at + 1);
        QTextCursor cursor(view->document());
        cursor.setPosition(static_cast<int>(at + word.size() / 2));
        return view->cursorRect(cursor).center();
    }
    std::size_t historySize() { return form->readingAids().history().size(); }
};

} // namespace

TEST_F(WordLookupTest, TheListShowsOnlyWhatTheLookUpMissesAndLeavesTheFieldsKeysAlone) {
    begin();
    type(u"cyning"_qs); // a headword and a form of nothing else: the look-up's line says it all
    EXPECT_TRUE(list().isHidden());
    type(u"xyzzy"_qs);
    EXPECT_TRUE(list().isHidden());
    type(u"se sang"_qs); // not one word
    EXPECT_TRUE(list().isHidden());
    type(u"sang"_qs); // a headword and the past of singan: the headword first
    ASSERT_TRUE(list().isVisible());
    EXPECT_EQ(listLines(), (QStringList{u"sang: sang \u2014 headword"_qs,
                                        u"sang: singan \u2014 past sg., strong verb III"_qs}));
    type(u"cyninges"_qs); // no headword begins with it: the look-up keeps cyning's line
    ASSERT_TRUE(list().isVisible());
    EXPECT_EQ(listLines(), QStringList{u"cyninges: cyning \u2014 gen. sg., strong masc."_qs});
    EXPECT_GE(list().geometry().top(), form->TntEdit1->mapTo(list().parentWidget(), QPoint(0, 0)).y() +
                                           form->TntEdit1->height());

    // Down, Up and Enter do what they do without the list; the field keeps the focus.
    ASSERT_EQ(form->TntListBox1->selectedRow(), 2);
    pressKeyInSearchField(Qt::Key_Down);
    EXPECT_EQ(form->TntListBox1->selectedRow(), 3);
    EXPECT_TRUE(paneText().startsWith(u"sang"_qs));
    pressKeyInSearchField(Qt::Key_Up);
    EXPECT_EQ(form->TntListBox1->selectedRow(), 2);
    EXPECT_TRUE(form->TntEdit1->hasFocus());
    EXPECT_TRUE(list().isVisible());
    pressKeyInSearchField(Qt::Key_Return);
    EXPECT_EQ(form->PageControl1->currentIndex(), 1);
    EXPECT_EQ(unit.HitOffsets.size(), 1u); // "cyninges" is in bana's entry
    EXPECT_TRUE(list().isHidden());

    // Alt+Down while no list shows is the field's as before (its Down).
    form->PageControl1->setCurrentIndex(0);
    type(u"beran"_qs);
    ASSERT_TRUE(list().isHidden());
    press(Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(form->TntListBox1->selectedRow(), 2);
}

TEST_F(WordLookupTest, AltDownEntersTheListAndEnterShowsTheEntryWithHistory) {
    begin();
    type(u"sang"_qs);
    ASSERT_TRUE(list().isVisible());
    EXPECT_FALSE(list().hasFocus());
    press(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(list().hasFocus());
    EXPECT_EQ(list().currentRow(), 0);
    press(Qt::Key_Escape); // back to the field, the text kept
    EXPECT_TRUE(form->TntEdit1->hasFocus());
    EXPECT_EQ(form->TntEdit1->text(), u"sang"_qs);
    press(Qt::Key_Down, Qt::AltModifier);
    press(Qt::Key_Down);
    const std::size_t before = historySize();
    press(Qt::Key_Return);
    EXPECT_TRUE(paneText().startsWith(u"singan"_qs));
    EXPECT_EQ(form->TntListBox1->selectedRow(), 4);
    // The look-up's "sang" was settled on when the field lost the focus; then singan.
    EXPECT_EQ(historySize(), before + 1);
    press(Qt::Key_Up, Qt::AltModifier);
    EXPECT_TRUE(form->TntEdit1->hasFocus());
    EXPECT_TRUE(form->readingAids().goBack());
    EXPECT_TRUE(paneText().startsWith(u"sang"_qs));

    // A click on a line chooses it too, and leaves the focus where it was.
    type(u"cyninges"_qs);
    QTest::mouseClick(list().viewport(), Qt::LeftButton, {}, list().visualItemRect(list().item(0)).center());
    EXPECT_TRUE(paneText().startsWith(u"cyning"_qs));
    EXPECT_EQ(form->TntListBox1->selectedRow(), 2);
    EXPECT_TRUE(form->TntEdit1->hasFocus());
    // Going elsewhere in the window takes the list away.
    form->TntListBox1->setFocus();
    EXPECT_TRUE(list().isHidden());
}

TEST_F(WordLookupTest, TheListWaitsForTheFormIndexMadeOnTheWorker) {
    begin();
    // The pool's one thread held: the worker for the next text waits its turn.
    QThreadPool* pool = QThreadPool::globalInstance();
    const int threads = pool->maxThreadCount();
    pool->setMaxThreadCount(1);
    QSemaphore release;
    pool->start([&release] { release.acquire(); });
    auto fresh = std::shared_ptr<const Dictionary>(Dictionary::load(u"txt/WH-main_01.txt"_qs));
    form->openText(fresh, QString());
    form->Wordlist();
    form->backgroundIndexes().start();
    QSignalSpy ready(&form->backgroundIndexes(), &BackgroundIndexes::formsReady);
    type(u"cyninges"_qs);
    EXPECT_TRUE(list().isHidden());
    EXPECT_EQ(fresh->formsIfMade(), nullptr); // typing never makes it
    release.release();
    const bool came = ready.wait(10000);
    pool->setMaxThreadCount(threads);
    ASSERT_TRUE(came);
    EXPECT_TRUE(list().isVisible());
    EXPECT_EQ(listLines(), QStringList{u"cyninges: cyning \u2014 gen. sg., strong masc."_qs});
}

TEST_F(WordLookupTest, CtrlClickAndTheTextMenuLookUpAWordWhileADoubleClickSelects) {
    begin();
    clickLine(form->TntListBox1, 0);
    QTextEdit* pane = form->TntRichEdit1;
    const std::size_t before = historySize();
    QTest::mouseDClick(pane->viewport(), Qt::LeftButton, {}, placeOf(pane, u"cyninges"_qs));
    EXPECT_EQ(pane->textCursor().selectedText(), u"cyninges"_qs);
    EXPECT_TRUE(paneText().startsWith(u"bana"_qs));
    EXPECT_EQ(lookup().wordAt(placeOf(pane, u"cyninges"_qs)), u"cyninges"_qs);

    QTest::mouseClick(pane->viewport(), Qt::LeftButton, Qt::ControlModifier, placeOf(pane, u"cyninges"_qs));
    EXPECT_TRUE(paneText().startsWith(u"cyning"_qs));
    EXPECT_EQ(form->TntListBox1->selectedRow(), 2);
    EXPECT_EQ(form->PageControl1->currentIndex(), 0);
    EXPECT_EQ(historySize(), before + 1);
    EXPECT_TRUE(form->readingAids().goBack());
    EXPECT_TRUE(paneText().startsWith(u"bana"_qs));

    const auto itemAt = [&](const QPoint& at, std::unique_ptr<QMenu>& menu) {
        menu.reset(form->readingAids().createTextPaneMenu(at));
        return menu->findChild<QAction*>(u"LookUpWord"_qs);
    };
    std::unique_ptr<QMenu> menu;
    QAction* item = itemAt(placeOf(pane, u"sang"_qs), menu);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), u"Look Up \u201Csang\u201D"_qs);
    EXPECT_EQ(menu->actions().value(0), item);
    item->trigger();
    EXPECT_TRUE(paneText().startsWith(u"sang"_qs)); // the word itself is a headword: it first
    EXPECT_EQ(historySize(), before + 1);
    form->readingAids().goBack();
    item = itemAt(placeOf(pane, u"slayer"_qs), menu);
    ASSERT_NE(item, nullptr);
    EXPECT_FALSE(item->isEnabled()); // no headword fits
    EXPECT_EQ(itemAt(QPoint(pane->viewport()->width() - 4, placeOf(pane, u"bana"_qs).y()), menu), nullptr);
    // A Ctrl+click beside the text looks nothing up.
    QTest::mouseClick(pane->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      QPoint(pane->viewport()->width() - 4, placeOf(pane, u"bana"_qs).y()));
    EXPECT_TRUE(paneText().startsWith(u"bana"_qs));
}

TEST_F(WordLookupTest, TheGlossWindowLinksWordsKeepsChoicesAndCopies) {
    begin();
    press(Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    GlossWindow* gloss = lookup().glossWindow();
    ASSERT_NE(gloss, nullptr);
    ASSERT_TRUE(gloss->isVisible());
    gloss->setPassage(u"\u00DE\u0101 cyning sang,\nsang cyninges xyzzy"_qs);
    ASSERT_EQ(gloss->words().size(), 6u);
    EXPECT_EQ(gloss->view()->toHtml().count(u"href=\"word:"_qs), 4); // the words with a headword
    EXPECT_EQ(gloss->view()->toPlainText(), u"\u00DE\u0101 cyning sang,\nsang cyninges xyzzy"_qs);
    EXPECT_EQ(gloss->hoverText(4), u"cyninges: cyning \u2014 a king"_qs);
    EXPECT_EQ(gloss->glossedText(), u"\u00DE\u0101\t\t\ncyning\tcyning\ta king\nsang\tsang\ta song\n"
                                    u"sang\tsang\ta song\ncyninges\tcyning\ta king\nxyzzy\t\t\n"_qs);

    // A click on the second "sang" lists its candidates; choosing singan keeps it for that word
    // and shows its entry in the main window.
    const std::size_t before = historySize();
    QTest::mouseClick(gloss->view()->viewport(), Qt::LeftButton, {}, placeOf(gloss->view(), u"sang"_qs, 1));
    auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(popup->actions().size(), 2);
    EXPECT_TRUE(popup->actions()[0]->isChecked());
    EXPECT_EQ(popup->actions()[1]->text(), u"singan (past sg., strong verb III) \u2014 to sing"_qs);
    popup->actions()[1]->trigger();
    popup->close();
    EXPECT_TRUE(paneText().startsWith(u"singan"_qs));
    EXPECT_EQ(historySize(), before + 1);
    EXPECT_TRUE(gloss->words()[3].chosenByReader);
    EXPECT_FALSE(gloss->words()[2].chosenByReader);

    QApplication::clipboard()->clear();
    gloss->findChild<QPushButton*>(u"GlossCopy"_qs)->click();
    EXPECT_EQ(QApplication::clipboard()->text(), gloss->glossedText());
    EXPECT_TRUE(gloss->glossedText().contains(u"sang\tsang\ta song\nsang\tsingan\tto sing\n"_qs));

    // Closed and opened again: the same text and choice; words typed before it keep it on its word.
    gloss->close();
    EXPECT_FALSE(gloss->isVisible());
    lookup().showGlossWindow();
    EXPECT_EQ(lookup().glossWindow(), gloss);
    EXPECT_EQ(gloss->passage(), u"\u00DE\u0101 cyning sang,\nsang cyninges xyzzy"_qs);
    gloss->setPassage(u"sang stan "_qs + gloss->passage());
    ASSERT_EQ(gloss->words().size(), 8u);
    EXPECT_EQ(gloss->words()[1].candidates.front().headword, u"st\u0101n"_qs);
    for (const std::size_t k : {0u, 4u, 5u}) {
        const GlossWindow::Word& w = gloss->words()[k];
        EXPECT_EQ(w.candidates[w.chosen].headword, k == 5 ? u"singan"_qs : u"sang"_qs) << k;
        EXPECT_EQ(w.chosenByReader, k == 5) << k;
    }
}

TEST_F(WordLookupTest, TheNewKeysCollideWithNoOtherKeyAndNoQtStandardKey) {
    begin();
    QList<QKeySequence> standard;
    const QMetaEnum keys = QMetaEnum::fromType<QKeySequence::StandardKey>();
    for (int k = 0; k < keys.keyCount(); ++k)
        standard += QKeySequence::keyBindings(static_cast<QKeySequence::StandardKey>(keys.value(k)));
    const QList<QKeySequence> ours{QKeySequence(Qt::ALT | Qt::Key_Down), QKeySequence(Qt::ALT | Qt::Key_Up),
                                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P)};
    const QStringList names{u"EnterFormList"_qs, u"LeaveFormList"_qs, u"GlossPassage"_qs};
    for (const QKeySequence& key : ours) {
        EXPECT_FALSE(standard.contains(key)) << key.toString().toStdString();
        int holders = 0;
        for (const QAction* action : form->findChildren<QAction*>()) {
            if (!action->shortcuts().contains(key)) continue;
            ++holders;
            EXPECT_TRUE(names.contains(action->objectName())) << action->objectName().toStdString();
        }
        EXPECT_EQ(holders, 1) << key.toString().toStdString();
    }
}
