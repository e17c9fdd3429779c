// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The cross-references of the entry shown: drawn over the designed styles, followed by a click,
// by F4 and Enter, to a page, and listed the other way round.
#include "Dictionary.h"
#include "ViewerFixture.h"
#include "aids/BackgroundIndexes.h"
#include "aids/ReadingAids.h"
#include "links/EntryLinks.h"
#include "window/ListBox.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QScopeGuard>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QThreadPool>

using namespace wordhoard;
using wordhoard::testing::ViewerTest;

namespace {

// ārian refers to the first of two homographs (in bold) and to a form of cyning (in italics);
// cynn to cyning, and to a page mid-sentence; cyning ends with its page's marker.
const QByteArray kLinksDictionary =
    "@wh_b0001\r\n"
    "#<b>&a-long;r</b> I. <i>f.</i> honour, glory.\r\n"
    "#<b>&a-long;r</b> II. <i>m.</i> a messenger.\r\n"
    "#<b>&a-long;rian</b> <i>wk. v.</i> to honour; cp. <b>&a-long;r</b>, v. <i>cyninga</i>.\r\n"
    "#<b>cyning</b> <i>m.</i> a king.\r\n"
    "@wh_b0002\r\n"
    "#<b>cynn</b> <i>n.</i> kin, = cyning; the @wh_b0003 race.\r\n"
    "#<b>eorl</b> <i>m.</i> a nobleman.";
enum Line { ArI, ArII, Arian, Cyning, Cynn, Eorl };

class LinksTest : public ViewerTest {
  protected:
    void begin() {
        start(kLinksDictionary);
        QApplication::setActiveWindow(form.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        ASSERT_TRUE(QTest::qWaitFor([&] { return unit.dictionary->linksIfMade(); }, 10'000));
    }
    EntryLinks& links() { return form->entryLinks(); }
    QTextEdit* pane() const { return form->TntRichEdit1; }
    QString selected() const { return pane()->textCursor().selectedText(); }
    // The middle of the link's first letter, in the viewport.
    QPoint pointOf(int link) {
        QTextCursor at(pane()->document());
        at.setPosition(links().shown()[static_cast<std::size_t>(link)].from);
        const QRect rect = pane()->cursorRect(at);
        return rect.center() + QPoint(3, 0);
    }
    void show(Line line) { clickLine(form->TntListBox1, line); }
    // Each unit of the pane: 'u' underlined in the link colour, '!' underlined in red, '.' neither;
    // then 'b', 'i' or '-' for bold, italic or neither.
    QString linkStyles() const {
        const QColor link = pane()->palette().color(QPalette::Link);
        QString out;
        for (QTextBlock block = pane()->document()->begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat f = it.fragment().charFormat();
                QChar c = u'.';
                if (f.fontUnderline()) c = f.foreground().color() == link ? u'u' : u'!';
                const QChar style = f.fontWeight() >= QFont::Bold ? u'b' : f.fontItalic() ? u'i' : u'-';
                for (int k = 0; k < it.fragment().length(); ++k)
                    out += QString(c) + style;
            }
        }
        return out;
    }
};

} // namespace

TEST_F(LinksTest, LinksAreDrawnOverTheDesignedStylesAndTheMarks) {
    begin();
    show(Eorl);
    // Nothing linked: nothing underlined.
    EXPECT_EQ(linkStyles().count(u'.'), linkStyles().size() / 2);
    show(Arian);
    EXPECT_EQ(paneText(), u"ārian wk. v. to honour; cp. ār, v. cyninga.\n"_qs);
    ASSERT_EQ(links().shown().size(), 2u);
    // The bold "ār" and the italic "cyninga" keep their styles under the link's colour and line.
    const QString styles = linkStyles();
    EXPECT_EQ(styles.mid(2 * 28, 4), u"ubub"_qs);
    EXPECT_EQ(styles.mid(2 * 35, 14), QString(u"ui"_qs).repeated(7));
    EXPECT_EQ(styles.count(u'.'), paneText().size() - 1 - 9);
    EXPECT_TRUE(links().describe(links().shown()[0].link).contains(u"honour, glory"_qs));
    EXPECT_TRUE(links().describe(links().shown()[0].link).contains(u"a messenger"_qs)); // the homograph
    EXPECT_TRUE(links().describe(links().shown()[1].link).contains(u"<b>cyning</b> a king"_qs));

    // A search mark over a link stays red; the rest of the link takes the link colour.
    form->TntEdit1->setText(u"ār"_qs);
    pressKeyInSearchField(Qt::Key_Return);
    ASSERT_EQ(form->PageControl1->currentIndex(), 1);
    clickLine(form->TntListBox2, 2);
    ASSERT_EQ(paneText().left(5), u"ārian"_qs);
    EXPECT_EQ(linkStyles().mid(0, 6), u"!b!b.b"_qs); // the headword's "ār": marked, no link
    EXPECT_EQ(linkStyles().mid(2 * 28, 6), u"!b!b.-"_qs);
    EXPECT_EQ(linkStyles().mid(2 * 35, 2), u"ui"_qs);
}

TEST_F(LinksTest, AClickFollowsALinkWithHistoryAndADragStillSelects) {
    begin();
    show(Arian);
    // A drag from the link selects across it, and follows nothing.
    const QPoint link = pointOf(1);
    QTest::mousePress(pane()->viewport(), Qt::LeftButton, {}, link);
    // With the button held, which QTest::mouseMove does not say.
    QMouseEvent move(QEvent::MouseMove, link + QPoint(60, 0),
                     pane()->viewport()->mapToGlobal(link + QPoint(60, 0)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(pane()->viewport(), &move);
    QTest::mouseRelease(pane()->viewport(), Qt::LeftButton, {}, link + QPoint(60, 0));
    QTest::qWait(20);
    EXPECT_TRUE(paneText().startsWith(u"ārian"_qs));
    EXPECT_TRUE(selected().endsWith(u"ninga."_qs));
    // A click elsewhere only places the caret (Ctrl+click looks the word up: WordLookupTest).
    QTest::mouseClick(pane()->viewport(), Qt::LeftButton, {}, pointOf(0) - QPoint(40, 0));
    QTest::qWait(20);
    EXPECT_TRUE(paneText().startsWith(u"ārian"_qs));

    QTest::mouseClick(pane()->viewport(), Qt::LeftButton, {}, pointOf(1));
    ASSERT_TRUE(QTest::qWaitFor([&] { return paneText().startsWith(u"cyning"_qs); }, 2000));
    EXPECT_EQ(form->TntListBox1->selectedRow(), Cyning);
    EXPECT_EQ(form->shownEntry(), unit.EntryOffsets().offsets[Cyning]);
    QTest::keyClick(pane(), Qt::Key_Left, Qt::AltModifier);
    EXPECT_TRUE(paneText().startsWith(u"ārian"_qs));
    EXPECT_EQ(form->TntListBox1->selectedRow(), Arian);
    ASSERT_EQ(links().shown().size(), 2u); // drawn again on the way back
}

TEST_F(LinksTest, F4SelectsTheLinksInTurnAndEnterFollowsTheSelectedOne) {
    begin();
    show(Cynn);
    form->TntListBox1->setFocus();
    QTest::keyClick(form->TntListBox1, Qt::Key_F4);
    EXPECT_EQ(QApplication::focusWidget(), pane());
    EXPECT_EQ(selected(), u"cyning"_qs);
    QTest::keyClick(pane(), Qt::Key_F4);
    EXPECT_EQ(selected(), u"@wh_b0003"_qs);
    QTest::keyClick(pane(), Qt::Key_F4);
    EXPECT_EQ(selected(), u"cyning"_qs); // round to the first
    QTest::keyClick(pane(), Qt::Key_F4, Qt::ShiftModifier);
    EXPECT_EQ(selected(), u"@wh_b0003"_qs);
    QTest::keyClick(pane(), Qt::Key_F4, Qt::ShiftModifier);
    EXPECT_EQ(selected(), u"cyning"_qs);
    // Tab still leaves the pane, and Enter follows the selection only when it is a link.
    QTest::keyClick(pane(), Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), pane());
    pane()->setFocus();
    QTest::keyClick(pane(), Qt::Key_Return);
    EXPECT_TRUE(paneText().startsWith(u"cyning"_qs));
    EXPECT_TRUE(form->readingAids().goBack());
    QTest::keyClick(pane(), Qt::Key_Return); // nothing selected now
    EXPECT_TRUE(paneText().startsWith(u"cynn"_qs));
}

TEST_F(LinksTest, APageMarkerTurnsTheImageTabToItsPage) {
    begin();
    show(Cynn);
    ASSERT_EQ(links().shown().size(), 2u);
    EXPECT_TRUE(links().shown()[1].link.isPage());
    QTest::mouseClick(pane()->viewport(), Qt::LeftButton, {}, pointOf(1));
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->PageControl2->currentIndex() == 1; }, 2000));
    EXPECT_EQ(unit.LastImage, QByteArray("wh_b0003"));
    EXPECT_EQ(form->findChild<QLabel*>(u"TurnedPage"_qs)->text(), u"Turned to page wh_b0003"_qs);
    EXPECT_EQ(form->StatusPanel1->text(), u"wh_b0002"_qs); // the entry's own page
    // The marker that ends cyning is a link too.
    form->PageControl2->setCurrentIndex(0);
    show(Cyning);
    ASSERT_EQ(links().shown().size(), 1u);
    EXPECT_EQ(links().shown()[0].link.page, u"wh_b0002"_qs);
}

TEST_F(LinksTest, ThePanelAndTheMenuListWhatRefersToTheEntry) {
    begin();
    show(Cyning);
    const QRect paneBefore = pane()->geometry();
    EXPECT_FALSE(links().panel()->isVisible()); // off at first: the designed layout
    links().panelAction()->trigger();
    EXPECT_TRUE(links().panel()->isVisible());
    QTest::qWait(0); // the layout settles
    EXPECT_LT(pane()->height(), paneBefore.height());
    const auto starts = unit.EntryOffsets().offsets;
    EXPECT_EQ(links().panel()->text(),
              u"Referred to by: <a href=\"%1\">ārian</a>, <a href=\"%2\">cynn</a>"_qs.arg(starts[Arian])
                  .arg(starts[Cynn]));
    emit links().panel()->linkActivated(QString::number(starts[Cynn]));
    EXPECT_TRUE(paneText().startsWith(u"cynn"_qs));
    EXPECT_EQ(links().panel()->text(), u"Nothing refers to this entry."_qs);
    EXPECT_TRUE(form->readingAids().goBack());

    const auto menuItems = [&](const char* submenu) {
        std::unique_ptr<QMenu> menu(form->readingAids().createTextPaneMenu());
        QStringList texts;
        QMenu* in = submenu ? menu->findChild<QMenu*>(QLatin1String(submenu)) : menu.get();
        for (QAction* action : in->actions())
            texts << action->text();
        return texts;
    };
    EXPECT_EQ(menuItems("ReferredToByMenu"), (QStringList{u"ārian"_qs, u"cynn"_qs}));
    // With a link selected, the menu offers each entry its word names.
    show(Arian);
    QTest::keyClick(pane(), Qt::Key_F4);
    const QStringList items = menuItems(nullptr);
    EXPECT_TRUE(items.contains(u"Go to ār: honour, glory"_qs));
    EXPECT_TRUE(items.contains(u"Go to ār: a messenger"_qs));
    links().panelAction()->trigger();
    EXPECT_FALSE(links().panel()->isVisible());
    QTest::qWait(0);
    EXPECT_EQ(pane()->geometry(), paneBefore);
}

TEST_F(LinksTest, AnEntryShownBeforeTheLinksAreMadeGainsThem) {
    begin();
    // The worker is held back by a task ahead of it in the pool, until the entry is shown.
    QThreadPool* pool = QThreadPool::globalInstance();
    const int threads = pool->maxThreadCount();
    pool->setMaxThreadCount(1);
    QSemaphore hold;
    const auto restore = qScopeGuard([&] {
        hold.release();
        pool->setMaxThreadCount(threads);
    });
    pool->start([&] { hold.acquire(); });
    dir.write(u"other/txt/WH-main_01.txt"_qs, kLinksDictionary);
    QSignalSpy ready(&form->backgroundIndexes(), &BackgroundIndexes::linksReady);
    ASSERT_TRUE(form->readingAids().openDictionaryFolder(dir.path(u"other"_qs)));
    show(Arian);
    EXPECT_EQ(unit.dictionary->linksIfMade(), nullptr);
    EXPECT_TRUE(links().shown().empty());
    form->readingAids().createTextPaneMenu()->deleteLater(); // asks for nothing that waits
    hold.release();
    ASSERT_TRUE(ready.wait(10'000) || ready.size() == 1);
    EXPECT_EQ(links().shown().size(), 2u);
    EXPECT_TRUE(linkStyles().contains(u"ubub"_qs));
}
