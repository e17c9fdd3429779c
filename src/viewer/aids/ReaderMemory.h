// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "reading/Favourites.h"
#include "reading/History.h"
#include "settings/ViewerSettings.h"

#include <QFont>
#include <QObject>
#include <QSize>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QDialog;
class QMenu;
class QTimer;
class QTreeWidget;

namespace wordhoard {

class Dictionary;
class SettingsStore;
class TMainForm;

// What the viewer remembers of its reader between runs: the window's settings, the recent
// dictionary folders and the entry last shown in each, and per dictionary its favourites and its
// Back/Forward history. Also the menus for them (File > Recent Dictionaries, View > Theme,
// View > Language, View > Reset Settings, the favourites and history items of the Go menu) and
// the accessible names of the window's controls.
//
// Nothing is stored until start-up attaches a store (a window made in a test keeps everything in
// memory only). Then the settings are saved a moment after the reader changes one and when the
// window closes, and a dictionary's favourites and history a moment after they change and when
// another dictionary comes; the store writes on a thread of its own. A dictionary's favourites
// and history are read when it opens, at start-up only once the window has painted; each
// favourite and history step is found again in the text by EntryFinder.
//
// One concern per file: ReaderMemory.cpp (attaching, keeping and restoring), SavedSettings.cpp
// (settings, recent folders, theme, language, reset), FavouritesWindow.cpp, HistoryWindow.cpp;
// the accessible names are Accessibility.cpp's.
class ReaderMemory : public QObject {
    Q_OBJECT
public:
    // Adds the menu items and keys to a finished window; stores nothing yet.
    explicit ReaderMemory(TMainForm& form);
    ~ReaderMemory() override;

    // Start-up, once the dictionary is open and before the window shows: applies `settings` and
    // shows the entry last shown in the dictionary, then keeps the reader's settings, folders,
    // favourites and history in `store` from now on.
    void attach(std::shared_ptr<SettingsStore> store, const ViewerSettings& settings);
    SettingsStore* store() const { return m_store.get(); }

    // The settings as the window shows them now, and applying some (all but theme and language,
    // which start-up applies before the window is made).
    ViewerSettings settings() const;
    void applySettings(const ViewerSettings& settings);
    // View > Reset Settings, once confirmed: the window as designed (the font, zoom, matching,
    // page fit, tabs, size, theme and, from the next start, language), the recent folders
    // forgotten and the settings file emptied, so that the next start is a first start.
    // Favourites and history stay.
    void resetSettings();

    // File > Recent Dictionaries: the folders opened last, the latest first; a folder that no
    // longer holds a dictionary text is listed greyed.
    QStringList recentFolders() const;
    QMenu* recentMenu() const { return m_recentMenu; }

    // View > Theme, at once; saved.
    ViewerSettings::Theme theme() const { return m_theme; }
    void setTheme(ViewerSettings::Theme theme);
    // View > Language: saved, and shown from the next start (chooseLanguage offers to restart).
    QString language() const { return m_language; }
    void setLanguage(const QString& code);

    // The favourites of the dictionary open (read once it opened; see readingRestored()).
    const Favourites& favourites() const { return m_favourites; }
    // Marks the entry shown as a favourite, or unmarks it; false when no entry is shown.
    bool toggleFavourite();
    void setFavouriteNote(std::size_t at, const QString& note);
    void removeFavourite(std::size_t at);
    // Shows a favourite's entry from the word list, as a click there would; false for one the
    // text no longer holds.
    bool showFavourite(std::size_t at);
    // Go > Favourites: the list, its notes, and export as plain text or CSV.
    void showFavouritesWindow();
    QDialog* favouritesWindow() const { return m_favouritesWindow; }
    // Writes the favourites into `fileName` (UTF-8); false when it can't be written.
    bool exportFavourites(const QString& fileName, bool csv) const;

    // Go > History: the entries of the Back/Forward history, the latest first; a click shows one.
    void showHistoryWindow();
    QDialog* historyWindow() const { return m_historyWindow; }
    // Go > Clear History.
    void clearHistory();

    // Whether the favourites and history of the dictionary open have been read.
    bool readingRestored() const { return m_readingRestored; }

signals:
    // The favourites and history of the dictionary open have been read and put in place.
    void readingRestoredNow();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // ReaderMemory.cpp
    void textOpened();
    void restoreReading();
    void historyChanged();
    void scheduleReadingSave();
    void saveReading();
    void scheduleSettingsSave();
    void saveSettings();
    void showEntryFromWordList(std::int32_t start);
    void showLastEntry();
    QString openFolder() const;
    QMenu* menu(const char* objectName) const;
    // Accessibility.cpp
    void nameControls();
    // SavedSettings.cpp
    void addSettingsMenus();
    void fillRecentMenu();
    void chooseLanguage(const QString& code);
    void confirmReset();
    // FavouritesWindow.cpp
    void addFavouriteItems();
    void fillFavouritesWindow();
    void chooseExport();
    // HistoryWindow.cpp
    void addHistoryItems();
    void fillHistoryWindow();

    TMainForm& m_form;
    std::shared_ptr<SettingsStore> m_store;
    // What the window looked like when built: View > Reset Settings brings it back.
    QSize m_designedSize;
    ViewerSettings m_saved; // as last handed to the store
    ViewerSettings::Theme m_theme = ViewerSettings::Theme::System;
    QString m_language;
    std::vector<RecentDictionary> m_recent; // with the entry last shown in each
    QTimer* m_settingsTimer = nullptr;

    // The dictionary whose favourites and history are kept now, and its folder.
    std::shared_ptr<const Dictionary> m_dictionary;
    QString m_folder;
    Favourites m_favourites;
    History m_history; // as the reading aids last had it, for the save
    bool m_readingRestored = false;
    bool m_readingDirty = false;
    bool m_painted = false; // the window has painted once: reading may begin
    QTimer* m_readingTimer = nullptr;

    QMenu* m_recentMenu = nullptr;
    QMenu* m_themeMenu = nullptr;
    QMenu* m_languageMenu = nullptr;
    QAction* m_favourite = nullptr;
    QDialog* m_favouritesWindow = nullptr;
    QTreeWidget* m_favouritesTree = nullptr;
    QDialog* m_historyWindow = nullptr;
    QTreeWidget* m_historyTree = nullptr;
    QTimer* m_historyRefill = nullptr;
    bool m_filling = false; // the favourites window is being filled: its changes are not the reader's
};

} // namespace wordhoard
