// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Keys for what the mouse reaches: the search field, the four tabs.
#include "aids/ReadingAids.h"

#include "window/ListBox.h"
#include "window/MainForm.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QScrollArea>
#include <QTabWidget>
#include <QTextEdit>

namespace wordhoard {

void ReadingAids::addKeyboard() {
    // Tab leaves a list for the next widget instead of walking its one column: the lists were a
    // dead end for the keyboard.
    m_form.wordList()->setTabKeyNavigation(false);
    m_form.hitList()->setTabKeyNavigation(false);
    m_goMenu->addSeparator();
    addAction(m_goMenu, tr("Search Fie&ld"), "GoSearchField",
              {QKeySequence(Qt::CTRL | Qt::Key_L), QKeySequence(Qt::Key_F6)}, [this] { focusSearchField(); });
    const struct {
        const char* text;
        const char* name;
        Qt::Key key;
    } tabs[] = {{QT_TR_NOOP("&Wordlist Tab"), "GoWordlistTab", Qt::Key_1},
                {QT_TR_NOOP("&Search Tab"), "GoSearchTab", Qt::Key_2},
                {QT_TR_NOOP("&Text Tab"), "GoTextTab", Qt::Key_3},
                {QT_TR_NOOP("&Image Tab"), "GoImageTab", Qt::Key_4}};
    for (int tab = 0; tab < 4; ++tab) {
        addAction(m_goMenu, tr(tabs[tab].text), tabs[tab].name, {QKeySequence(Qt::CTRL | tabs[tab].key)},
                  [this, tab] { showTab(tab); });
    }
    // Only while the search field has the focus; the text then follows the rules for an empty
    // field (the word list's selection is cleared, the entry shown stays).
    addAction(nullptr, tr("Clear Search Field"), "ClearSearchField", {QKeySequence(Qt::Key_Escape)},
              [this] { m_form.searchField()->clear(); }, Qt::WidgetShortcut, m_form.searchField())
        ->setProperty(kWhere, tr("in the search field"));
}

void ReadingAids::focusSearchField() {
    m_form.searchField()->setFocus(Qt::ShortcutFocusReason);
    m_form.searchField()->selectAll();
}

void ReadingAids::showTab(int tab) {
    // The widget of the tab takes the focus, so that its keys work at once.
    if (tab < 2) {
        m_form.listTabs()->setCurrentIndex(tab);
        (tab == 0 ? m_form.wordList() : m_form.hitList())->setFocus(Qt::ShortcutFocusReason);
    } else {
        m_form.entryTabs()->setCurrentIndex(tab - 2);
        if (tab == 2) {
            m_form.entryPane()->setFocus(Qt::ShortcutFocusReason);
        } else {
            m_form.pageScroller()->setFocus(Qt::ShortcutFocusReason);
        }
    }
}

} // namespace wordhoard
