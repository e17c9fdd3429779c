// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "startup/Startup.h"

#include "aids/Language.h"
#include "aids/ReaderMemory.h"
#include "aids/Theme.h"
#include "dialogs/AboutBox.h"
#include "settings/SettingsStore.h"
#include "startup/LazyIconStyle.h"
#include "window/MainForm.h"
#include "display/PageFiles.h"
#include "dialogs/SplashForm.h"

#include <QApplication>
#include <QThread>

#include <cstdio>
#include <exception>

namespace wordhoard {

StartupPreload StartupPreload::start(const QString& folder) {
    // Qt takes the first thread that asks for its thread data as the main one: ask here, before
    // the second thread runs (the work there makes no QObject).
    (void)QThread::currentThread();
    auto pictures = std::make_shared<std::promise<SplashPictures>>();
    StartupPreload preload;
    preload.folder = folder;
    preload.splashPictures = pictures->get_future();
    preload.dictionary = PendingText(dictionaryTextPath(folder), [pictures] {
        try {
            pictures->set_value(SplashPictures::load());
        } catch (...) {
            pictures->set_exception(std::current_exception());
        }
    });
    return preload;
}

Startup::Startup(StartupPreload preload) {
    m_unit.pendingText = std::move(preload.dictionary);
    m_unit.folder = preload.folder;
    QApplication::setStyle(new LazyIconStyle);
    QApplication::setApplicationName(QStringLiteral("Wordhoard"));
    m_store = std::make_shared<SettingsStore>(SettingsStore::standardFolder(), preload.keepSettingsUnchanged);
    const ViewerSettings settings = preload.settings ? *preload.settings : loadSettings(*m_store);
    // Before the windows are made: they take the language and the palette in force then.
    installLanguage(settings.language);
    if (settings.theme != ViewerSettings::Theme::System) applyTheme(settings.theme);
    m_mainForm = std::make_unique<TMainForm>(m_unit);
    m_mainForm->hide();
    const SplashPictures pictures =
        preload.splashPictures.valid() ? preload.splashPictures.get() : SplashPictures::load();
    m_splash = std::make_unique<TSplashForm>(pictures);
    m_splash->showAndPaint();
    m_aboutBox = new TAboutBox(m_mainForm.get());
    m_mainForm->setAboutBox(m_aboutBox);
    m_mainForm->LoadFile(dictionaryTextPath(m_unit.folder));
    if (!m_mainForm->startupError().isEmpty() && !preload.folderError.isEmpty()) {
        m_mainForm->setStartupError(preload.folderError);
    }
    m_mainForm->FillCombo();
    m_mainForm->Wordlist();
    m_mainForm->readerMemory().attach(m_store, settings);
    m_splash->hide();
    m_mainForm->show();
}

Startup::~Startup() = default;

ViewerSettings loadSettings(const SettingsStore& store) {
    SettingsStore::LoadedSettings loaded = store.loadSettings();
    if (!loaded.problem.isEmpty()) {
        std::fprintf(stderr, "wordhoard: %s: the settings are left as on a first start\n", qPrintable(loaded.problem));
    }
    return loaded.settings;
}

} // namespace wordhoard
