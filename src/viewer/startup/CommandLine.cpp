// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "startup/CommandLine.h"

#include "BuildInfo.h"

#include <QCommandLineParser>

namespace wordhoard {

namespace {

// The options QGuiApplication, QApplication and the X11 platform read from the command line
// themselves (Qt takes them with one dash or two, a value also as "-style=fusion"): accepted
// here and left to Qt, out of the help.
constexpr const char* kQtOptionsWithValue[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "qwindowicon", "qwindowtitle",
    "session", "style", "stylesheet", "display", "geometry", "name", "title", "qmljsdebugger"};
constexpr const char* kQtFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

struct Parser {
    QCommandLineParser parser;
    QCommandLineOption desktop{QStringLiteral("desktop"),
                               QStringLiteral("Start as the desktop entry does: with no FOLDER, open the folder "
                                              "opened last, or else the first of $XDG_DATA_HOME/wordhoard (default ~/.local/share/wordhoard) and each "
                                              "$XDG_DATA_DIRS entry + /wordhoard (default "
                                              "/usr/local/share:/usr/share) that holds txt/WH-main_01.txt.")};
    QCommandLineOption check{QStringLiteral("check"),
                             QStringLiteral("Start as usual; once the main window shows, print the dictionary text "
                                            "opened, its number of headwords, the documentation page and the "
                                            "settings file (never written by a check), then quit "
                                            "(status 1, the message on stderr, when an error box would have shown).")};
    QCommandLineOption version{QStringLiteral("version"), QStringLiteral("Print the version and exit.")};
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Print this help and exit.")};

    Parser() {
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.setApplicationDescription(
            QStringLiteral("Reads and searches a Wordhoard dictionary. FOLDER holds txt/WH-main_01.txt and img/;\n"
                           "without it the viewer reads its working directory.\n"
                           "Qt's own options (-platform NAME, -style NAME, -reverse, ...) work as usual."));
        parser.addOptions({desktop, check, version, help});
        parser.addPositionalArgument(QStringLiteral("FOLDER"), QStringLiteral("The dictionary folder."),
                                     QStringLiteral("[FOLDER]"));
        for (const char* name : kQtOptionsWithValue) addHidden(name, QStringLiteral("value"));
        for (const char* name : kQtFlags) addHidden(name, {});
    }

    void addHidden(const char* name, const QString& valueName) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setValueName(valueName);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
};

} // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    Parser p;
    CommandLine line;
    // The parser skips the first argument as the program's name.
    if (!p.parser.parse(QStringList{QStringLiteral("wordhoard")} + arguments)) {
        line.error = p.parser.errorText();
        return line;
    }
    const QStringList folders = p.parser.positionalArguments();
    if (folders.size() > 1) {
        line.error = QStringLiteral("one dictionary folder at most, not %1").arg(folders.size());
        return line;
    }
    line.folder = folders.value(0);
    line.desktop = p.parser.isSet(p.desktop);
    line.check = p.parser.isSet(p.check);
    line.help = p.parser.isSet(p.help);
    line.version = p.parser.isSet(p.version);
    return line;
}

QString usageLine() {
    return QStringLiteral("usage: wordhoard [FOLDER]   (FOLDER holds txt/WH-main_01.txt and img/; "
                          "default: the working directory)\n'wordhoard --help' lists the options.");
}

QString helpText() {
    // Made before the application object exists, the parser can't know the program's name.
    return Parser().parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("wordhoard"));
}

QString versionLine() { return QStringLiteral("wordhoard %1").arg(QLatin1String(kVersion)); }

} // namespace wordhoard
