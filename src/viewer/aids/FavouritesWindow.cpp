// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Favourites: a key and the text's context menu mark the entry shown, Go > Favourites lists them
// with their notes, shows one on a click and exports them.
#include "aids/ReaderMemory.h"

#include "aids/ReadingAids.h"
#include "text/CodePage.h"
#include "text/EntityDecoding.h"
#include "text/EntryIndex.h"
#include "window/MainForm.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QSaveFile>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace wordhoard {

namespace {

enum Column { kHeadword, kPage, kAdded, kNote, kColumns };

// The favourite a row of the window stands for (rows may be sorted by any column).
std::optional<std::size_t> favouriteAt(const QTreeWidgetItem* item) {
    if (!item) return std::nullopt;
    return item->data(kHeadword, Qt::UserRole).value<qulonglong>();
}

} // namespace

void ReaderMemory::addFavouriteItems() {
    QMenu* go = menu("Go1");
    go->addSeparator();
    m_favourite = new QAction(tr("&Mark or Unmark Favourite"), &m_form);
    m_favourite->setObjectName(QStringLiteral("GoFavourite"));
    // Ctrl+D, as browsers mark a page, is a line edit's Delete in Qt.
    m_favourite->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D));
    m_form.addAction(m_favourite);
    go->addAction(m_favourite);
    connect(m_favourite, &QAction::triggered, this, [this] { m_form.guarded([&] { toggleFavourite(); }); });
    QAction* list = go->addAction(tr("Fav&ourites..."));
    list->setObjectName(QStringLiteral("GoFavourites"));
    list->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    m_form.addAction(list);
    connect(list, &QAction::triggered, this, [this] { m_form.guarded([&] { showFavouritesWindow(); }); });
    m_form.readingAids().listAction(m_favourite);
    m_form.readingAids().listAction(list);
    m_form.readingAids().addTextPaneAction(m_favourite);
}

bool ReaderMemory::toggleFavourite() {
    const std::optional<std::int32_t> shown = m_form.shownEntry();
    if (!shown) return false;
    restoreReading(); // what was marked before comes first
    const bool marked =
        m_favourites.toggle(m_dictionary->text(), m_dictionary->index(), *shown, QDateTime::currentDateTimeUtc());
    const std::optional<EntryPlace> place = placeOf(m_dictionary->index(), *shown);
    const QString headword = place ? decodeEntityBytes(place->headword) : QString();
    m_form.readingAids().showNotice(marked ? tr("\u201C%1\u201D is a favourite now").arg(headword)
                                           : tr("\u201C%1\u201D is no longer a favourite").arg(headword));
    scheduleReadingSave();
    if (m_favouritesWindow) fillFavouritesWindow();
    return true;
}

void ReaderMemory::setFavouriteNote(std::size_t at, const QString& note) {
    m_favourites.setNote(at, note);
    scheduleReadingSave();
}

void ReaderMemory::removeFavourite(std::size_t at) {
    m_favourites.remove(at);
    scheduleReadingSave();
    if (m_favouritesWindow) fillFavouritesWindow();
}

bool ReaderMemory::showFavourite(std::size_t at) {
    if (at >= m_favourites.size() || !m_favourites.list()[at].found) return false;
    showEntryFromWordList(m_favourites.list()[at].place.start);
    return true;
}

void ReaderMemory::showFavouritesWindow() {
    restoreReading();
    if (!m_favouritesWindow) {
        m_favouritesWindow = new QDialog(&m_form);
        m_favouritesWindow->setObjectName(QStringLiteral("FavouritesWindow"));
        m_favouritesWindow->setWindowTitle(tr("Favourites"));
        m_favouritesTree = new QTreeWidget(m_favouritesWindow);
        m_favouritesTree->setObjectName(QStringLiteral("FavouritesList"));
        m_favouritesTree->setAccessibleName(tr("Favourites"));
        m_favouritesTree->setAccessibleDescription(
            tr("Each favourite's headword, page, the date it was marked and its note; a greyed one is no longer "
               "in the dictionary text"));
        m_favouritesTree->setColumnCount(kColumns);
        m_favouritesTree->setHeaderLabels({tr("Headword"), tr("Page"), tr("Added"), tr("Note")});
        m_favouritesTree->setRootIsDecorated(false);
        m_favouritesTree->setUniformRowHeights(true);
        m_favouritesTree->setSortingEnabled(true);
        m_favouritesTree->sortByColumn(kAdded, Qt::AscendingOrder);
        m_favouritesTree->setEditTriggers(QAbstractItemView::NoEditTriggers); // the note only, below
        m_favouritesTree->header()->setStretchLastSection(true);

        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, m_favouritesWindow);
        QPushButton* show = buttons->addButton(tr("&Show"), QDialogButtonBox::ActionRole);
        QPushButton* note = buttons->addButton(tr("Edit &Note"), QDialogButtonBox::ActionRole);
        QPushButton* remove = buttons->addButton(tr("&Remove"), QDialogButtonBox::ActionRole);
        QPushButton* exportButton = buttons->addButton(tr("&Export..."), QDialogButtonBox::ActionRole);
        connect(buttons, &QDialogButtonBox::rejected, m_favouritesWindow, &QDialog::hide);

        const auto current = [this] { return favouriteAt(m_favouritesTree->currentItem()); };
        const auto editNote = [this] {
            if (QTreeWidgetItem* item = m_favouritesTree->currentItem()) m_favouritesTree->editItem(item, kNote);
        };
        connect(show, &QPushButton::clicked, this, [this, current] {
            if (const auto at = current()) m_form.guarded([&] { showFavourite(*at); });
        });
        connect(note, &QPushButton::clicked, this, editNote);
        auto* noteKey = new QAction(m_favouritesWindow);
        noteKey->setShortcut(QKeySequence(Qt::Key_F2));
        connect(noteKey, &QAction::triggered, this, editNote);
        m_favouritesWindow->addAction(noteKey);
        connect(remove, &QPushButton::clicked, this, [this, current] {
            if (const auto at = current()) removeFavourite(*at);
        });
        connect(exportButton, &QPushButton::clicked, this, [this] { m_form.guarded([&] { chooseExport(); }); });
        // A click shows the entry; on the note, a double click edits it.
        connect(m_favouritesTree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item, int column) {
            if (column == kNote) return;
            if (const auto at = favouriteAt(item)) m_form.guarded([&] { showFavourite(*at); });
        });
        connect(m_favouritesTree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item, int column) {
            if (column == kNote) m_favouritesTree->editItem(item, kNote);
        });
        connect(m_favouritesTree, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item, int column) {
            if (column == kNote) return;
            if (const auto at = favouriteAt(item)) m_form.guarded([&] { showFavourite(*at); });
        });
        connect(m_favouritesTree, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
            if (m_filling || column != kNote) return;
            if (const auto at = favouriteAt(item)) setFavouriteNote(*at, item->text(kNote));
        });

        auto* layout = new QVBoxLayout(m_favouritesWindow);
        layout->addWidget(m_favouritesTree);
        layout->addWidget(buttons);
        m_favouritesWindow->resize(620, 380);
    }
    fillFavouritesWindow();
    m_favouritesWindow->show();
    m_favouritesWindow->raise();
    m_favouritesWindow->activateWindow();
}

void ReaderMemory::fillFavouritesWindow() {
    if (!m_favouritesTree) return;
    m_filling = true;
    const bool sorting = m_favouritesTree->isSortingEnabled();
    m_favouritesTree->setSortingEnabled(false); // rows keep their place while they are added
    m_favouritesTree->clear();
    const QColor greyed = m_favouritesTree->palette().color(QPalette::Disabled, QPalette::Text);
    const auto& list = m_favourites.list();
    for (std::size_t at = 0; at < list.size(); ++at) {
        const Favourite& favourite = list[at];
        auto* item = new QTreeWidgetItem(m_favouritesTree,
                                         {decodeEntityBytes(favourite.place.headword), widen(favourite.page),
                                          favourite.added.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")),
                                          favourite.note});
        item->setData(kHeadword, Qt::UserRole, qulonglong{at});
        item->setFlags(item->flags() | Qt::ItemIsEditable);
        if (!favourite.found) {
            for (int column = 0; column < kColumns; ++column) {
                item->setForeground(column, greyed);
                item->setToolTip(column, tr("No longer in the dictionary text"));
            }
        }
    }
    m_favouritesTree->setSortingEnabled(sorting);
    for (int column = 0; column < kNote; ++column) m_favouritesTree->resizeColumnToContents(column);
    m_filling = false;
}

bool ReaderMemory::exportFavourites(const QString& fileName, bool csv) const {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write((csv ? m_favourites.toCsv() : m_favourites.toPlainText()).toUtf8());
    return file.commit();
}

void ReaderMemory::chooseExport() {
    const QString plain = tr("Plain text (*.txt)");
    const QString csv = tr("CSV (*.csv)");
    QString filter = plain;
    // The reader's documents, never the dictionary folder, unless the reader goes there.
    const QString start =
        QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).filePath(QStringLiteral("favourites.txt"));
    const QString fileName = QFileDialog::getSaveFileName(m_favouritesWindow, tr("Export Favourites"), start,
                                                          plain + QStringLiteral(";;") + csv, &filter);
    if (fileName.isEmpty()) return;
    const bool asCsv = filter == csv || fileName.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive);
    if (!exportFavourites(fileName, asCsv)) {
        m_form.reportError(tr("Cannot write the favourites to \u201C%1\u201D").arg(QDir::toNativeSeparators(fileName)));
    }
}

} // namespace wordhoard
