// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// F3 and Shift+F3: the text pane moves to the next or previous marked occurrence of the search
// field's text in the entry shown, and selects it. Past the last mark F3 goes round to the first,
// and Shift+F3 before the first to the last, as find-next does in a browser. Right after Format
// (which leaves the last mark selected) F3 goes to the first mark and Shift+F3 to the last; once
// the reader has moved in the pane, "next" counts from the pane's selection (a caret right at a
// mark counts that mark as next).
#include "window/MainForm.h"

#include <QAction>
#include <QTextCursor>
#include <QTextEdit>

#include <algorithm>
#include <utility>

namespace wordhoard {

void TMainForm::buildMarkNavigation() {
    nextMarkAction = new QAction(tr("Next Mark"), this);
    nextMarkAction->setObjectName(QStringLiteral("NextMark"));
    nextMarkAction->setShortcut(Qt::Key_F3);
    previousMarkAction = new QAction(tr("Previous Mark"), this);
    previousMarkAction->setObjectName(QStringLiteral("PreviousMark"));
    previousMarkAction->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3));
    // On the window, in no menu: the documented menus stay as they are.
    addAction(nextMarkAction);
    addAction(previousMarkAction);
    // Moving a cursor raises nothing, so the handlers need no guard.
    connect(nextMarkAction, &QAction::triggered, this, [this] { goToMark(true); });
    connect(TntRichEdit1, &QTextEdit::cursorPositionChanged, this, [this] { m_marksFresh = false; });
    connect(previousMarkAction, &QAction::triggered, this, [this] { goToMark(false); });
}

void TMainForm::goToMark(bool forward) {
    if (m_markPositions.empty()) return;
    const bool fresh = std::exchange(m_marksFresh, false);
    const QTextCursor now = TntRichEdit1->textCursor();
    const qsizetype from = now.selectionStart();
    const bool caretOnly = !now.hasSelection();
    const auto& marks = m_markPositions;
    auto target = marks.end();
    if (fresh) {
        // Right after Format, which leaves the last mark selected: the marks from their start.
        target = forward ? marks.begin() : marks.end() - 1;
    } else if (forward) {
        target = std::find_if(marks.begin(), marks.end(), [&](const MarkRange& m) {
            return m.pos > from || (caretOnly && m.pos == from);
        });
        if (target == marks.end()) target = marks.begin();
    } else {
        const auto after =
            std::find_if(marks.begin(), marks.end(), [&](const MarkRange& m) { return m.pos >= from; });
        target = after == marks.begin() ? marks.end() - 1 : after - 1;
    }
    QTextCursor cursor(TntRichEdit1->document());
    cursor.setPosition(static_cast<int>(target->pos));
    cursor.setPosition(static_cast<int>(target->pos + target->len), QTextCursor::KeepAnchor);
    TntRichEdit1->setTextCursor(cursor); // which scrolls the pane to it
}

} // namespace wordhoard
