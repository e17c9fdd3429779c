#include "startup/CommandLine.h"

#include "BuildInfo.h"

#include <algorithm>
#include <array>

namespace wordhoard {

namespace {

// The options QGuiApplication, QApplication and the X11 platform take from the command line:
// those that take a value (also written "-style=fusion"), then those that stand alone. Qt
// accepts them with one dash or two.
constexpr std::array<QStringView, 14> kQtOptionsWithValue = {
    u"platform", u"platformpluginpath", u"platformtheme", u"plugin", u"qwindowgeometry", u"qwindowicon",
    u"qwindowtitle", u"session", u"style", u"stylesheet", u"display", u"geometry", u"name", u"title"};
constexpr std::array<QStringView, 6> kQtFlags = {u"reverse", u"widgetcount", u"nograb", u"dograb", u"sync",
                                                 u"qmljsdebugger"};

bool among(const auto& names, QStringView name) { return std::find(names.begin(), names.end(), name) != names.end(); }

} // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    CommandLine line;
    QStringList folders;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (optionsEnded || !argument.startsWith(u'-') || argument == u"-") {
            folders << argument;
            continue;
        }
        if (argument == u"--") {
            optionsEnded = true;
            continue;
        }
        if (argument == u"--desktop") {
            line.desktop = true;
            continue;
        }
        if (argument == u"--check") {
            line.check = true;
            continue;
        }
        if (argument == u"--help" || argument == u"-h") {
            line.help = true;
            continue;
        }
        if (argument == u"--version") {
            line.version = true;
            continue;
        }
        QStringView name = QStringView(argument).mid(argument.startsWith(u"--") ? 2 : 1);
        const qsizetype equals = name.indexOf(u'=');
        const bool valueAttached = equals >= 0;
        if (valueAttached) name = name.first(equals);
        if (among(kQtOptionsWithValue, name)) {
            if (!valueAttached && ++i == arguments.size()) {
                line.error = QStringLiteral("the option %1 needs a value").arg(argument);
                return line;
            }
        } else if (!among(kQtFlags, name)) {
            line.error = QStringLiteral("unknown option %1").arg(argument);
            return line;
        }
    }
    if (folders.size() > 1) {
        line.error = QStringLiteral("one dictionary folder at most, not %1").arg(folders.size());
        return line;
    }
    if (!folders.isEmpty()) line.folder = folders.first();
    return line;
}

QString usageLine() {
    return QStringLiteral("usage: wordhoard [FOLDER]   (FOLDER holds txt/WH-main_01.txt and img/; "
                          "default: the working directory)\n'wordhoard --help' lists the options.");
}

QString helpText() {
    return QStringLiteral(
        "Usage: wordhoard [OPTION...] [FOLDER]\n"
        "Reads and searches a Wordhoard dictionary. FOLDER holds txt/WH-main_01.txt and img/;\n"
        "without it the viewer reads its working directory.\n"
        "\n"
        "Options:\n"
        "  --desktop   start as the desktop entry does: with no FOLDER, open the first of\n"
        "              $XDG_DATA_HOME/wordhoard (default ~/.local/share/wordhoard) and each\n"
        "              $XDG_DATA_DIRS entry + /wordhoard (default /usr/local/share:/usr/share)\n"
        "              that holds txt/WH-main_01.txt\n"
        "  --check     start as usual; once the main window shows, print the dictionary text\n"
        "              opened, its number of headwords and the documentation page, then quit\n"
        "              (status 1, the message on stderr, when an error box would have shown)\n"
        "  --version   print the version and exit\n"
        "  -h, --help  print this help and exit\n"
        "\n"
        "Qt's own options (-platform NAME, -style NAME, -reverse, ...) work as usual.\n");
}

QString versionLine() { return QStringLiteral("wordhoard %1").arg(QLatin1String(kVersion)); }

} // namespace wordhoard
