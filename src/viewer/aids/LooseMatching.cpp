// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// View > Loose Matching: the look-up, the full-text search and the marks in the shown entry
// compare letters folded (accents, length marks and case ignored, þ = ð, ƿ = w). Off at start.
// Switched, it runs the last search again and marks the entry shown anew, so that what is on
// screen always follows the matching in force; a label at the right of the status bar says when
// it is on.
#include "window/MainForm.h"

#include "search/HeadwordLookup.h"
#include "aids/ReadingAids.h"
#include "search/LooseSearch.h"

#include <QAction>
#include <QMenu>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>

namespace wordhoard {

void TMainForm::buildLooseMatching() {
    auto* view = menuBar()->findChild<QMenu*>(QStringLiteral("View1"));
    view->addSeparator();
    LooseMatching1 = view->addAction(tr("&Loose Matching"));
    LooseMatching1->setObjectName(QStringLiteral("LooseMatching1"));
    LooseMatching1->setCheckable(true);
    LooseMatching1->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L));
    LooseMatching1->setToolTip(tr("Ignore accents, length marks and case; þ matches ð, ƿ matches w"));
    connect(LooseMatching1, &QAction::toggled, this, [this](bool on) { guarded([&] { setLooseMatching(on); }); });
    looseMatchingLabel = new QLabel(tr("Loose matching"));
    looseMatchingLabel->setObjectName(QStringLiteral("LooseMatchingOn"));
    looseMatchingLabel->setToolTip(LooseMatching1->toolTip());
    looseMatchingLabel->hide();
    statusBar()->addPermanentWidget(looseMatchingLabel);
}

void TMainForm::setLooseMatching(bool on) {
    if (LooseMatching1->isChecked() != on) {
        LooseMatching1->setChecked(on); // raises this again
        return;
    }
    looseMatchingLabel->setVisible(on);
    if (readingAids().checkText() == ReadingAids::TextCheck::Unreadable) return;
    if (m_lastSearch) {
        // The list in front stays in front.
        const int front = PageControl1->currentIndex();
        const QString term = *m_lastSearch;
        ProcesSearch(term);
        PageControl1->setCurrentIndex(front);
    }
    if (m_shownEntry) showEntry(*m_shownEntry);
}

bool TMainForm::looseMatching() const { return LooseMatching1->isChecked(); }

const LooseIndex* TMainForm::looseIndex() const {
    return looseMatching() ? &m_unit.dictionary->looseIndex() : nullptr;
}

} // namespace wordhoard
