// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "settings/ViewerSettings.h"

#include <QString>
#include <QVariantMap>

#include <functional>
#include <memory>

namespace wordhoard {

// The viewer's two files in its settings folder, read and written through QSettings (INI):
//   wordhoard.conf  the window's settings and the recent folders: small, read at start-up;
//   reading.conf    per dictionary folder, its history and favourites: read once the window shows.
// Nothing is stored anywhere else (QSettings' lock files lie beside them).
//
// A file that is damaged (no INI, or not of our format) or can't be read is left unread: its
// load gives the defaults and says why, once. Writes run on a thread of the store's own, so the
// window never waits for a disk (a file of a thousand history steps takes 50 ms to write and
// sync on a busy machine); each write replaces one group, or the whole settings file, through
// QSettings' atomic replacement (a temporary file renamed over the old), so a crash leaves the
// old file or the new one, never half of one.
class SettingsStore {
public:
    // $XDG_CONFIG_HOME/wordhoard on Linux (~/.config/wordhoard when unset); the platform's
    // standard configuration folder + "/wordhoard" elsewhere.
    static QString standardFolder();

    // `readOnly` (wordhoard --check): every write is dropped.
    explicit SettingsStore(QString folder, bool readOnly = false);
    // Finishes the writes asked for.
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    QString folder() const { return m_folder; }
    QString settingsFile() const;
    QString readingFile() const;
    bool readOnly() const { return m_readOnly; }

    struct LoadedSettings {
        ViewerSettings settings;
        QString problem; // why the file was left unread; empty when it was read or is missing
    };
    LoadedSettings loadSettings() const;
    void saveSettings(const ViewerSettings& settings);
    // Removes every setting (View > Reset Settings): the next start is a first start.
    void clearSettings();

    // What one dictionary folder keeps: its history and its favourites, each encoded as
    // LastingHistory.h and Favourites.h say.
    struct Reading {
        QString history;
        QString favourites;
        bool operator==(const Reading&) const = default;
    };
    struct LoadedReading {
        Reading reading;
        QString problem;
    };
    LoadedReading loadReading(const QString& dictionaryFolder) const;
    void saveReading(const QString& dictionaryFolder, const Reading& reading);

    // Waits until every write asked for is on disk.
    void flush();
    // Told why a write failed ("cannot write ...: ..."); called on the writing thread.
    void setErrorReporter(std::function<void(const QString&)> report);

private:
    class Writer;
    QString m_folder;
    bool m_readOnly;
    std::unique_ptr<Writer> m_writer;
};

} // namespace wordhoard
