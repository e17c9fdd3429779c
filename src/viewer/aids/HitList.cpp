// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The hit list beside its documented behaviour: each line two rows high, its headword with the page
// name and a snippet of the entry around the match (HitListDelegate, from HitListModel's roles),
// and the number of hits at the right of the status bar.
#include "window/MainForm.h"

#include "aids/HitListDelegate.h"
#include "window/ListBox.h"
#include "window/ListModels.h"

#include <QLabel>
#include <QStatusBar>

namespace wordhoard {

namespace {

// A term longer than this is cut in the hit count, which must not widen the status bar.
constexpr qsizetype kLongestTermShown = 24;

} // namespace

void TMainForm::buildHitList() {
    TntListBox2->setItemDelegate(new HitListDelegate(TntListBox2));
    TntListBox2->setLinesPerRow(2);
    hitCountLabel = new QLabel;
    hitCountLabel->setObjectName(QStringLiteral("HitCount"));
    hitCountLabel->setTextFormat(Qt::PlainText);
    statusBar()->addPermanentWidget(hitCountLabel);
}

void TMainForm::showHitCount(const QString& term) {
    const int hits = hitListModel->rowCount();
    if (hits == 1) {
        hitCountLabel->setText(tr("1 hit"));
    } else if (hits > 1) {
        hitCountLabel->setText(tr("%n hits", nullptr, hits));
    } else {
        const QString shown =
            term.size() > kLongestTermShown ? term.first(kLongestTermShown - 1) + QChar(0x2026) : term;
        hitCountLabel->setText(tr("No hits for \u201C%1\u201D").arg(shown));
    }
}

} // namespace wordhoard
