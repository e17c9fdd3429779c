// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The viewer's whole start-up, to its first painted frame: run it in a folder whose
// txt/WH-main_01.txt is the dictionary to measure, with XDG_CONFIG_HOME naming the settings to
// start with (bench/run-benchmarks does). Its main() is the viewer's own plus the exit. With
// --until-restored it ends instead once the favourites and history the window reads after its
// first paint are in place.
#include "FirstPaint.h"
#include "aids/ReaderMemory.h"
#include "settings/SettingsStore.h"
#include "startup/Startup.h"
#include "window/MainForm.h"

#include <QApplication>

#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    const bool untilRestored = argc > 1 && std::strcmp(argv[1], "--until-restored") == 0;
    const wordhoard::SettingsStore store(wordhoard::SettingsStore::standardFolder(), true);
    const wordhoard::ViewerSettings settings = wordhoard::loadSettings(store);
    wordhoard::StartupPreload preload = wordhoard::StartupPreload::start();
    preload.settings = settings;
    QApplication app(argc, argv);
    wordhoard::Startup startup(std::move(preload));
    wordhoard::TMainForm& form = startup.mainForm();
    if (untilRestored) {
        QObject::connect(&form.readerMemory(), &wordhoard::ReaderMemory::readingRestoredNow, [] { std::_Exit(0); });
    } else {
        new ExitAfterFirstPaint(&form);
    }
    return QApplication::exec();
}
