// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Copying: the shown entry with a citation line, and the selected headword of a list.
#include "aids/ReadingAids.h"

#include "display/Citation.h"
#include "links/EntryLinks.h"
#include "text/EntityDecoding.h"
#include "reading/EntryPlace.h"
#include "text/EntryIndex.h"
#include "window/ListBox.h"
#include "window/MainForm.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QTextDocument>
#include <QTextEdit>

namespace wordhoard {

void ReadingAids::addCopying() {
    m_copyCitation = addAction(nullptr, tr("Copy Entry with &Citation"), "CopyEntryWithCitation",
                               {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)}, [this] { copyEntryWithCitation(); });
    // The pane's own Ctrl+C copies its selection as before; in a list, the view's own Ctrl+C
    // copies the current line.

    QTextEdit* pane = m_form.entryPane();
    pane->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(pane, &QWidget::customContextMenuRequested, this, [this, pane](const QPoint& at) {
        QMenu* menu = createTextPaneMenu(at);
        menu->exec(pane->viewport()->mapToGlobal(at));
        delete menu;
    });
}

QMenu* ReadingAids::createTextPaneMenu(std::optional<QPoint> at) {
    // The pane's own items (Copy, Select All) keep their place and work as before.
    QMenu* menu = m_form.entryPane()->createStandardContextMenu();
    menu->setObjectName(QStringLiteral("TextPaneMenu"));
    menu->addSeparator();
    menu->addAction(m_copyCitation);
    for (QAction* action : m_textPaneActions) menu->addAction(action);
    m_form.entryLinks().addMenuItems(menu);
    if (at) emit textPaneMenuMade(menu, *at);
    return menu;
}

bool ReadingAids::copyEntryWithCitation() {
    checkText(); // what the pane shows was read from an unchanged text
    const std::optional<std::int32_t> shown = m_form.shownEntry();
    if (!shown) return false;
    const std::optional<EntryPlace> place = placeOf(m_form.dictionary().index(), *shown);
    const QString headword = place ? decodeEntityBytes(place->headword) : QString();
    QGuiApplication::clipboard()->setText(
        citedEntry(m_form.entryPane()->document()->toPlainText(), headword, m_form.pagePanel()->text()));
    return true;
}


} // namespace wordhoard
