// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Keeping what the reader did: attaching the store at start-up, reading a dictionary's favourites
// and history back when it opens, and saving a moment after a change.
#include "aids/ReaderMemory.h"

#include "aids/ReadingAids.h"
#include "reading/EntryPlace.h"
#include "reading/LastingHistory.h"
#include "settings/SettingsStore.h"
#include "window/ListBox.h"
#include "window/ListModels.h"
#include "window/MainForm.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace wordhoard {

namespace {

// How long after a change the settings, and a dictionary's favourites and history, are saved:
// a run of changes (paging through entries, zooming step by step) makes one write.
constexpr int kSettingsDelayMs = 1000;
constexpr int kReadingDelayMs = 2000;

void warn(const QString& message) { std::fprintf(stderr, "wordhoard: %s\n", qPrintable(message)); }

} // namespace

ReaderMemory::ReaderMemory(TMainForm& form) : m_form(form) {
    setObjectName(QStringLiteral("ReaderMemory"));
    m_designedSize = m_form.size();
    m_settingsTimer = new QTimer(this);
    m_settingsTimer->setSingleShot(true);
    m_settingsTimer->setInterval(kSettingsDelayMs);
    connect(m_settingsTimer, &QTimer::timeout, this, [this] { saveSettings(); });
    m_readingTimer = new QTimer(this);
    m_readingTimer->setSingleShot(true);
    m_readingTimer->setInterval(kReadingDelayMs);
    connect(m_readingTimer, &QTimer::timeout, this, [this] { saveReading(); });
    m_historyRefill = new QTimer(this);
    m_historyRefill->setSingleShot(true);
    m_historyRefill->setInterval(0);
    connect(m_historyRefill, &QTimer::timeout, this, [this] { fillHistoryWindow(); });

    addSettingsMenus();
    addFavouriteItems();
    addHistoryItems();
    nameControls();

    // After the reading aids, which let go of the old text's history first.
    connect(&m_form, &TMainForm::textOpened, this, [this] { m_form.guarded([&] { textOpened(); }); });
    connect(&m_form.readingAids(), &ReadingAids::historyChanged, this, [this] { historyChanged(); });
    // A setting changed: saved a moment later (a save that finds nothing changed writes nothing).
    connect(&m_form, &TMainForm::fontChosen, this, &ReaderMemory::scheduleSettingsSave);
    connect(&m_form, &TMainForm::pictureClicked, this, &ReaderMemory::scheduleSettingsSave);
    connect(m_form.listTabs(), &QTabWidget::currentChanged, this, &ReaderMemory::scheduleSettingsSave);
    connect(m_form.entryTabs(), &QTabWidget::currentChanged, this, &ReaderMemory::scheduleSettingsSave);
    for (const QAction* action : m_form.findChildren<QAction*>()) {
        connect(action, &QAction::triggered, this, &ReaderMemory::scheduleSettingsSave);
    }
    // Its first paint (reading begins after it) and its closing (the settings are saved).
    m_form.installEventFilter(this);
    textOpened();
}

ReaderMemory::~ReaderMemory() {
    if (m_settingsTimer->isActive()) saveSettings();
    saveReading();
}

void ReaderMemory::attach(std::shared_ptr<SettingsStore> store, const ViewerSettings& settings) {
    m_store = std::move(store);
    m_store->setErrorReporter(warn);
    m_theme = settings.theme;
    m_language = settings.language;
    m_recent = settings.recent;
    ViewerSettings withoutTabs = settings;
    withoutTabs.listTab = m_form.listTabs()->currentIndex();
    withoutTabs.entryTab = m_form.entryTabs()->currentIndex();
    applySettings(withoutTabs);
    // The dictionary opened before the store came: kept from now on.
    textOpened();
    // The last entry before the tabs: brought to the front, the Image tab loads that entry's page
    // and no other.
    showLastEntry();
    m_form.listTabs()->setCurrentIndex(settings.listTab);
    m_form.entryTabs()->setCurrentIndex(settings.entryTab);
    m_saved = settings;
    m_settingsTimer->stop();
}

QString ReaderMemory::openFolder() const {
    const QString folder = m_form.unit().folder;
    return QDir::cleanPath(QFileInfo(folder.isEmpty() ? QDir::currentPath() : folder).absoluteFilePath());
}

QMenu* ReaderMemory::menu(const char* objectName) const {
    return m_form.menuBar()->findChild<QMenu*>(QLatin1String(objectName), Qt::FindDirectChildrenOnly);
}

void ReaderMemory::textOpened() {
    // What belonged to the text before goes to the store first.
    saveReading();
    m_dictionary = m_form.unit().dictionary;
    m_folder = openFolder();
    m_favourites = Favourites();
    m_history = m_form.readingAids().history();
    m_readingRestored = false;
    m_readingDirty = false;
    if (m_store && m_dictionary->opened()) {
        addRecentFolder(m_recent, m_folder);
        scheduleSettingsSave();
    }
    // At start-up the store comes later (attach), and reading waits for the first paint.
    if (m_painted) {
        restoreReading();
        // Once the new word list is in place: the entry last shown, unless another came meanwhile.
        QTimer::singleShot(0, this, [this] { m_form.guarded([&] { showLastEntry(); }); });
    }
    if (m_favouritesWindow) fillFavouritesWindow();
    if (m_historyWindow) fillHistoryWindow();
}

void ReaderMemory::restoreReading() {
    if (m_readingRestored) return;
    m_readingRestored = true;
    if (m_store && m_dictionary->opened()) {
        const SettingsStore::LoadedReading loaded = m_store->loadReading(m_folder);
        if (!loaded.problem.isEmpty()) warn(loaded.problem + QStringLiteral(": favourites and history not read"));
        const EntryFinder finder(m_dictionary->index());
        m_favourites = Favourites::decode(loaded.reading.favourites);
        m_favourites.check(m_dictionary->text(), finder);
        History history = findHistory(decodeHistory(loaded.reading.history), finder);
        // Entries shown before it was read go on from it.
        for (const Visit& visit : m_form.readingAids().history().visits()) history.record(visit);
        m_form.readingAids().restoreHistory(std::move(history));
        m_readingDirty = false;
    }
    if (m_favouritesWindow) fillFavouritesWindow();
    if (m_historyWindow) fillHistoryWindow();
    emit readingRestoredNow();
}

void ReaderMemory::showLastEntry() {
    if (m_form.shownEntry() || !m_dictionary->opened()) return;
    const auto recent = std::find_if(m_recent.begin(), m_recent.end(),
                                     [&](const RecentDictionary& r) { return r.folder == m_folder; });
    std::optional<std::int32_t> start;
    if (recent != m_recent.end() && recent->lastEntry) {
        start = EntryFinder(m_dictionary->index()).find(*recent->lastEntry);
    } else if (const std::optional<Visit> current = m_form.readingAids().history().current()) {
        start = current->start;
    }
    if (start) showEntryFromWordList(*start);
}

void ReaderMemory::showEntryFromWordList(std::int32_t start) {
    const auto& starts = m_form.unit().EntryOffsets().offsets;
    const auto found = std::lower_bound(starts.begin(), starts.end(), start);
    // Line i is entry i only in file order.
    if (found == starts.end() || *found != start || m_form.wordListModel->sorted()) return;
    const int row = static_cast<int>(found - starts.begin());
    // The word list in front, as Back shows an entry from it (and the search term is not marked).
    m_form.listTabs()->setCurrentIndex(0);
    ListBox* list = m_form.wordList();
    list->selectRow(row);
    list->scrollTo(list->model()->index(row, 0), QAbstractItemView::PositionAtCenter);
    // Before the window first shows, the list is still narrow and scrollTo scrolls it sideways
    // too: it would keep the headwords out of sight once the window has its size.
    list->horizontalScrollBar()->setValue(0);
    // As a click on the line: shown, its page loaded on the Image tab, and a history step.
    m_form.TntListBox1Click();
}

void ReaderMemory::historyChanged() {
    // The reading aids let go of the old text's history before this learns of the new text.
    if (m_form.unit().dictionary != m_dictionary) return;
    m_history = m_form.readingAids().history();
    // Filled anew once the click that showed an entry (on a row of the window itself) is over.
    if (m_historyWindow && m_historyWindow->isVisible()) m_historyRefill->start();
    if (!m_store || !m_dictionary->opened()) return;
    if (const std::optional<std::int32_t> shown = m_form.shownEntry()) {
        for (RecentDictionary& recent : m_recent) {
            if (recent.folder == m_folder) recent.lastEntry = placeOf(m_dictionary->index(), *shown);
        }
        scheduleSettingsSave();
    }
    if (m_readingRestored) scheduleReadingSave();
}

void ReaderMemory::scheduleReadingSave() {
    m_readingDirty = true;
    if (m_store) m_readingTimer->start();
}

void ReaderMemory::saveReading() {
    m_readingTimer->stop();
    if (!m_readingDirty || !m_store || !m_dictionary || !m_readingRestored) return;
    m_readingDirty = false;
    m_store->saveReading(m_folder, {encodeHistory(placeHistory(m_history, m_dictionary->index())), m_favourites.encode()});
}

void ReaderMemory::scheduleSettingsSave() {
    if (m_store) m_settingsTimer->start();
}

void ReaderMemory::saveSettings() {
    m_settingsTimer->stop();
    if (!m_store) return;
    const ViewerSettings now = settings();
    if (now == m_saved) return;
    m_store->saveSettings(now);
    m_saved = now;
}

bool ReaderMemory::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_form) {
        if (event->type() == QEvent::Paint && !m_painted) {
            m_painted = true;
            // After the paint is on screen: the favourites and history of the dictionary open.
            QTimer::singleShot(0, this, [this] { m_form.guarded([&] { restoreReading(); }); });
        } else if (event->type() == QEvent::Close) {
            saveSettings();
            saveReading();
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace wordhoard
