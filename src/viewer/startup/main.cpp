// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The viewer reads txt/ and img/ in the dictionary folder named on its command line, or in its
// working directory; started from its desktop entry (--desktop), in the folder opened last or
// else the first XDG data folder that holds a dictionary.
#include "BuildInfo.h"
#include "startup/CommandLine.h"
#include "startup/DesktopStart.h"
#include "startup/Startup.h"
#include "startup/StartupCheck.h"
#include "settings/SettingsStore.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    // Read before the preload starts, which loads the chosen folder's text.
    const wordhoard::CommandLine commandLine = wordhoard::parseCommandLine(arguments);
    if (!commandLine.error.isEmpty()) {
        std::fprintf(stderr, "wordhoard: %s\n%s\n", qPrintable(commandLine.error), qPrintable(wordhoard::usageLine()));
        return 2;
    }
    if (commandLine.help || commandLine.version) {
        std::fputs(qPrintable(commandLine.help ? wordhoard::helpText() : wordhoard::versionLine() + u'\n'), stdout);
        return 0;
    }
    QString folder = commandLine.folder;
    QString folderError;
    // Read before the preload too: a desktop start opens the folder opened last.
    const wordhoard::SettingsStore store(wordhoard::SettingsStore::standardFolder(), true);
    const wordhoard::ViewerSettings settings = wordhoard::loadSettings(store);
    if (commandLine.desktop && folder.isEmpty()) {
        const wordhoard::DesktopFolder found = wordhoard::findDesktopDictionary(wordhoard::desktopDictionaryPlaces(settings));
        folder = found.folder;
        folderError = found.error;
    }
    wordhoard::StartupPreload preload = wordhoard::StartupPreload::start(folder);
    preload.folderError = folderError;
    preload.settings = settings;
    preload.keepSettingsUnchanged = commandLine.check;
    QApplication app(argc, argv);
    // Desktops match the running program to its desktop entry, and so to its icon, by this name.
    QGuiApplication::setDesktopFileName(QLatin1String(wordhoard::kAppId));
    wordhoard::Startup startup(std::move(preload));
    if (commandLine.check) wordhoard::checkOnceShown(startup.mainForm());
    return QApplication::exec();
}
