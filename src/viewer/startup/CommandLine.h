// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

namespace wordhoard {

// What the viewer's command line asks for: `wordhoard [OPTION...] [FOLDER]`, where FOLDER holds
// txt/WH-main_01.txt and img/. The options Qt reads itself (-platform NAME, -style NAME,
// -reverse, ...) are left for Qt, so they work as they always did. Usage errors are worded by
// QCommandLineParser ("Unknown option 'bogus'.").
//   {}                       gives folder ""  (the working directory)
//   {"/d/oe"}                gives folder "/d/oe"
//   {"-platform", "xcb", "/d/oe"}  gives folder "/d/oe"
//   {"--", "-odd-name"}      gives folder "-odd-name"
//   {"--desktop", "--check"} gives desktop and check, folder ""
//   {"a", "b"}, {"--bogus"}  give an error
struct CommandLine {
    QString folder; // empty: the working directory (or, with desktop, the first dictionary in the XDG data folders)
    bool desktop = false; // --desktop: started from the desktop entry
    bool check = false;   // --check: report what was opened once the window shows, then quit
    bool help = false;    // -h, --help: print helpText() and exit
    bool version = false; // --version: print versionLine() and exit
    QString error;        // a usage error: the viewer prints it with usageLine() on stderr and exits 2
};

// `arguments` without the program name.
CommandLine parseCommandLine(const QStringList& arguments);

QString usageLine();
// What --help prints: the usage and every option.
QString helpText();
// What --version prints: "wordhoard 0.2".
QString versionLine();

} // namespace wordhoard
