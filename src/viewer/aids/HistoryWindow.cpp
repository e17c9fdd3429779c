// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Go > History lists the entries of the Back/Forward history, the latest first, and shows one on
// a click; Go > Clear History empties it (and so the history kept for the dictionary).
#include "aids/ReaderMemory.h"

#include "aids/ReadingAids.h"
#include "text/CodePage.h"
#include "text/EntityDecoding.h"
#include "text/EntryIndex.h"
#include "window/MainForm.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace wordhoard {

void ReaderMemory::addHistoryItems() {
    QMenu* go = menu("Go1");
    QAction* list = go->addAction(tr("&History..."));
    list->setObjectName(QStringLiteral("GoHistory"));
    list->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_H));
    m_form.addAction(list);
    connect(list, &QAction::triggered, this, [this] { m_form.guarded([&] { showHistoryWindow(); }); });
    QAction* clear = go->addAction(tr("&Clear History"));
    clear->setObjectName(QStringLiteral("GoClearHistory"));
    connect(clear, &QAction::triggered, this, [this] { m_form.guarded([&] { clearHistory(); }); });
    m_form.readingAids().listAction(list);
}

void ReaderMemory::clearHistory() {
    restoreReading(); // else the history read later would come back
    m_form.readingAids().restoreHistory(History());
}

void ReaderMemory::showHistoryWindow() {
    restoreReading();
    if (!m_historyWindow) {
        m_historyWindow = new QDialog(&m_form);
        m_historyWindow->setObjectName(QStringLiteral("HistoryWindow"));
        m_historyWindow->setWindowTitle(tr("History"));
        m_historyTree = new QTreeWidget(m_historyWindow);
        m_historyTree->setObjectName(QStringLiteral("HistoryList"));
        m_historyTree->setAccessibleName(tr("History"));
        m_historyTree->setAccessibleDescription(
            tr("The entries shown, the latest first, with their page and the list they were shown from; the "
               "one Back and Forward stand on is bold"));
        m_historyTree->setColumnCount(3);
        m_historyTree->setHeaderLabels({tr("Headword"), tr("Page"), tr("Shown from")});
        m_historyTree->setRootIsDecorated(false);
        m_historyTree->setUniformRowHeights(true);
        m_historyTree->header()->setStretchLastSection(true);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, m_historyWindow);
        QPushButton* clear = buttons->addButton(tr("&Clear History"), QDialogButtonBox::ActionRole);
        connect(buttons, &QDialogButtonBox::rejected, m_historyWindow, &QDialog::hide);
        connect(clear, &QPushButton::clicked, this, [this] { m_form.guarded([&] { clearHistory(); }); });
        const auto show = [this](QTreeWidgetItem* item) {
            if (!item) return;
            const auto start = static_cast<std::int32_t>(item->data(0, Qt::UserRole).toInt());
            m_form.guarded([&] { showEntryFromWordList(start); });
        };
        connect(m_historyTree, &QTreeWidget::itemClicked, this, show);
        connect(m_historyTree, &QTreeWidget::itemActivated, this, show);
        auto* layout = new QVBoxLayout(m_historyWindow);
        layout->addWidget(m_historyTree);
        layout->addWidget(buttons);
        m_historyWindow->resize(460, 420);
    }
    fillHistoryWindow();
    m_historyWindow->show();
    m_historyWindow->raise();
    m_historyWindow->activateWindow();
}

void ReaderMemory::fillHistoryWindow() {
    if (!m_historyTree) return;
    m_historyTree->clear();
    if (m_form.unit().dictionary != m_dictionary) return;
    const TMapTextfile& text = m_dictionary->text();
    const History& history = m_form.readingAids().history();
    const auto& visits = history.visits();
    const QString lists[] = {tr("Wordlist"), tr("Search")};
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(visits.size()));
    for (std::size_t k = visits.size(); k-- > 0;) {
        const Visit& visit = visits[k];
        const std::optional<EntryPlace> place = placeOf(m_dictionary->index(), visit.start);
        auto* item = new QTreeWidgetItem({place ? decodeEntityBytes(place->headword) : QString(),
                                          widen(pageNameBefore(text, visit.start - 4)), lists[visit.list == 1 ? 1 : 0]});
        item->setData(0, Qt::UserRole, visit.start);
        if (k == history.position()) {
            QFont bold = m_historyTree->font();
            bold.setBold(true);
            for (int column = 0; column < 3; ++column) item->setFont(column, bold);
        }
        items << item;
    }
    m_historyTree->addTopLevelItems(items);
    for (int column = 0; column < 2; ++column) m_historyTree->resizeColumnToContents(column);
}

} // namespace wordhoard
