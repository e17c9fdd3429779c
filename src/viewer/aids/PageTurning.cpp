// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Turning the scanned pages on the Image tab, in the order of the text's page markers.
#include "aids/ReadingAids.h"

#include "display/PageOrder.h"
#include "text/CodePage.h"
#include "window/MainForm.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabWidget>

namespace wordhoard {

void ReadingAids::addPageTurning() {
    m_goMenu->addSeparator();
    // The keys work while the focus is on the Image tab (its picture or its tab); elsewhere
    // PageDown, PageUp and Home keep their usual meaning.
    const auto pageAction = [this](const QString& text, const char* name, Qt::Key key, std::function<void()> handler) {
        QAction* action = addAction(m_goMenu, text, name, {QKeySequence(key)}, std::move(handler),
                                    Qt::WidgetWithChildrenShortcut, m_form.entryTabs());
        action->setProperty(kWhere, tr("on the Image tab"));
        m_pageActions.push_back(action);
    };
    pageAction(tr("&Next Page"), "GoNextPage", Qt::Key_PageDown, [this] { turnPage(1); });
    pageAction(tr("&Previous Page"), "GoPreviousPage", Qt::Key_PageUp, [this] { turnPage(-1); });
    pageAction(tr("&Entry's Page"), "GoEntryPage", Qt::Key_Home, [this] { showEntryPage(); });
    // Named at the right of the status bar while pages turn: panel 1 keeps naming the entry's page.
    m_turnedPageLabel = new QLabel;
    m_turnedPageLabel->setObjectName(QStringLiteral("TurnedPage"));
    m_turnedPageLabel->setTextFormat(Qt::PlainText);
    m_turnedPageLabel->hide();
    m_form.statusBar()->addPermanentWidget(m_turnedPageLabel);
    connect(m_form.entryTabs(), &QTabWidget::currentChanged, this, [this](int page) {
        // The Image tab comes to the front with the entry's page.
        endPageTurning();
        updatePageActions();
        // Clicked to the front, the Image tab takes the focus from the text pane it hides, so
        // that its keys work at once; a focus elsewhere (a list, the search field) stays.
        QWidget* focus = m_form.focusWidget();
        if (page == 1 && (!focus || m_form.entryTabs()->isAncestorOf(focus))) {
            m_form.pageScroller()->setFocus(Qt::OtherFocusReason);
        }
    });
}

void ReadingAids::updatePageActions() {
    const bool imageInFront = m_form.entryTabs()->currentIndex() == 1;
    for (QAction* action : m_pageActions) action->setEnabled(imageInFront);
}

void ReadingAids::turnPage(int direction) {
    // From the page turned to last, or else from the page last asked for. A page whose picture is
    // missing counts as turned to (the previous picture stays, as for an entry on such a page),
    // and so does one whose picture can't be decoded: its error is reported, and the next turn
    // goes past it.
    if (checkText() == TextCheck::Unreadable) return;
    const QByteArray current = m_turnedPage.value_or(m_form.unit().LastImage);
    const PageOrder& order = m_form.dictionary().pageOrder();
    const std::optional<QByteArray> page = direction > 0 ? order.next(current) : order.previous(current);
    if (page) turnToPage(*page);
}

void ReadingAids::turnToPage(const QByteArray& page) {
    // In front first: the tab comes with the entry's page and ends a turning.
    m_form.entryTabs()->setCurrentIndex(1);
    m_turnedPage = page;
    m_turnedPageLabel->setText(tr("Turned to page %1").arg(widen(page)));
    m_turnedPageLabel->show();
    m_form.Load_Image(page);
}

void ReadingAids::showEntryPage() {
    endPageTurning();
    m_form.Load_Image(m_form.shownPage());
}

void ReadingAids::endPageTurning() {
    m_turnedPage.reset();
    if (m_turnedPageLabel) m_turnedPageLabel->hide();
}

} // namespace wordhoard
