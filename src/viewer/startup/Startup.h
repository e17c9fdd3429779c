// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window/MainUnit.h"
#include "dialogs/SplashForm.h"
#include "settings/ViewerSettings.h"

#include <future>
#include <memory>
#include <optional>

namespace wordhoard {

class SettingsStore;
class TAboutBox;
class TMainForm;

// Work that start-up hands to a second thread, begun in main() before the QApplication: the
// splash pictures are decoded, then the dictionary text is mapped and indexed. Meanwhile the main
// thread starts Qt and makes the windows; the start-up steps take the results over in their own
// order, and nothing of the user interface leaves the main thread.
struct StartupPreload {
    std::future<SplashPictures> splashPictures;
    PendingText dictionary;
    // The dictionary folder (empty: the working directory), also without a preload.
    QString folder;
    // Why no folder was found (a desktop start that found no dictionary): shown instead of the
    // text's own open error.
    QString folderError;
    // The settings, when main() has read them already (for --desktop); else start-up reads them.
    std::optional<ViewerSettings> settings;
    // wordhoard --check: the settings are read but nothing is written.
    bool keepSettingsUnchanged = false;

    static StartupPreload start(const QString& folder = QString());
};

// The program's start-up, step by step: the title; the reader's settings read, their language
// and theme put in force; the main window, created and hidden; the splash, shown and painted at
// once; the about box; then, with the splash on screen, the dictionary text is mapped, the
// palette filled and the word list built; the rest of the settings and the entry last shown put
// back; the splash goes and the main window shows. main() adds only the preload and the event
// loop. A QApplication must exist.
class Startup {
public:
    // Without a preload, each step does its own work.
    explicit Startup(StartupPreload preload = {});
    ~Startup();
    Startup(const Startup&) = delete;
    Startup& operator=(const Startup&) = delete;

    TMainForm& mainForm() { return *m_mainForm; }
    TSplashForm& splash() { return *m_splash; }

    // Where the settings are kept: $XDG_CONFIG_HOME/wordhoard.
    SettingsStore& settingsStore() { return *m_store; }

private:
    std::shared_ptr<SettingsStore> m_store; // outlives the window, which saves into it last
    MainUnit m_unit;
    std::unique_ptr<TMainForm> m_mainForm;
    std::unique_ptr<TSplashForm> m_splash;
    TAboutBox* m_aboutBox = nullptr; // owned by the main window
};

// The settings in `store`, or the designed ones when there are none; a damaged or unreadable
// file is left unread with one line on stderr saying so.
ViewerSettings loadSettings(const SettingsStore& store);

} // namespace wordhoard
