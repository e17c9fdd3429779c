// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// wordhoard-cli: the viewer's dictionary engine from the command line.
#include "BuildInfo.h"
#include "Commands.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <functional>
#include <limits>
#include <map>

using namespace wordhoard;
using namespace wordhoard::cli;

namespace {

struct Command {
    int minArgs;
    int maxArgs;
    const char* usage;
    std::function<int(const Invocation&, const Dictionary&, Output&)> run;
    bool needsText = true; // false: runs without opening the dictionary
};

const std::map<QString, Command>& commands() {
    static const std::map<QString, Command> table = {
        {QStringLiteral("headwords"), {0, 0, "headwords", runHeadwords}},
        {QStringLiteral("lookup"), {1, 1, "lookup TEXT", runLookup}},
        {QStringLiteral("search"), {1, 1, "search TERM", runSearch}},
        {QStringLiteral("encode"), {1, 1, "encode TERM", runEncode, false}},
        {QStringLiteral("show"), {1, 1, "show START", runShow}},
        {QStringLiteral("forms"), {1, std::numeric_limits<int>::max(), "forms WORD...", runForms}},
        {QStringLiteral("gloss"), {0, 0, "gloss < TEXT", runGloss}},
        {QStringLiteral("links"), {0, 1, "links [START]", runLinks}},
        {QStringLiteral("refs"), {1, 1, "refs START", runRefs}},
    };
    return table;
}

int usageError(const QCommandLineParser& parser, const QString& message) {
    std::fprintf(stderr, "wordhoard-cli: %s\n\n%s", qPrintable(message), qPrintable(parser.helpText()));
    return kUsageOrOpenError;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("wordhoard-cli"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Reads a Wordhoard dictionary text.\n\n"
        "Commands:\n"
        "  headwords        every headword in file order: START<TAB>HEADWORD\n"
        "  lookup TEXT      the word-list line typing TEXT selects: INDEX<TAB>START<TAB>HEADWORD\n"
        "  search TERM      full-text search, the hit list in order: START<TAB>HEADWORD\n"
        "                   (--context: START<TAB>HEADWORD<TAB>SNIPPET)\n"
        "  encode TERM      the two search patterns of TERM: entity<TAB>P1, letter<TAB>P2\n"
        "  show START       the entry starting at START as the text pane shows it\n"
        "  forms WORD...    the headwords each WORD may be a form of, best first:\n"
        "                   WORD<TAB>START<TAB>HEADWORD<TAB>ANALYSIS\n"
        "  gloss            each word of the Old English text on stdin with its best headword and\n"
        "                   that headword's first gloss: WORD<TAB>START<TAB>HEADWORD<TAB>GLOSS\n"
        "  links [START]    the cross-references of every entry (or of START) in file order:\n"
        "                   FROM<TAB>POS<TAB>LEN<TAB>TEXT<TAB>TARGET<TAB>HEADWORD\n"
        "  refs START       the entries whose cross-references lead to START: FROM<TAB>HEADWORD\n\n"
        "A cross-reference is a marker (=, v., cp., cf., see, q.v. after its word, pp. of, pret. of\n"
        "and other form labels before of) and a word naming another headword (compared as loose\n"
        "matching compares, hyphens and raised dots dropped); POS and LEN count UTF-16 units of\n"
        "FROM's text as show --json gives it."));
    const QString defaultDict = QStringLiteral("txt/WH-main_01.txt");
    const QCommandLineOption dictOption(QStringLiteral("dict"),
                                        QStringLiteral("Dictionary text (default %1).").arg(defaultDict),
                                        QStringLiteral("FILE"), defaultDict);
    const QCommandLineOption jsonOption(QStringLiteral("json"), QStringLiteral("Write JSON Lines."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption(QStringLiteral("version"), QStringLiteral("Print the version and exit."));
    parser.addOption(versionOption);
    parser.addOption(dictOption);
    parser.addOption(jsonOption);
    const QCommandLineOption markOption(QStringLiteral("mark"),
                                        QStringLiteral("show: mark TERM as the Search tab does (JSON \"marks\")."),
                                        QStringLiteral("TERM"));
    parser.addOption(markOption);
    const QCommandLineOption looseOption(
        QStringLiteral("loose"),
        QStringLiteral("lookup, search, show --mark: match loosely, as the viewer's View > Loose Matching "
                       "does: accents, length marks and case are ignored, and þ matches ð, ƿ matches w."));
    parser.addOption(looseOption);
    const QCommandLineOption contextOption(
        QStringLiteral("context"),
        QStringLiteral("search: add a snippet of each hit's entry around its match as a third column (JSON "
                       "\"snippet\", and \"match\":[pos,len] in UTF-16 units)."));
    parser.addOption(contextOption);
    const QCommandLineOption linksOption(
        QStringLiteral("links"),
        QStringLiteral("show --json: add the entry's cross-references as \"links\":[[pos,len,target],...]."));
    parser.addOption(linksOption);
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("What to do (see above)."),
                                 QStringLiteral("COMMAND [ARGS...]"));

    if (!parser.parse(QCoreApplication::arguments())) return usageError(parser, parser.errorText());
    if (parser.isSet(helpOption)) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return kOk;
    }
    if (parser.isSet(versionOption)) {
        std::printf("wordhoard-cli %s\n", kVersion);
        return kOk;
    }
    QStringList positional = parser.positionalArguments();
    if (positional.isEmpty()) return usageError(parser, QStringLiteral("no command given"));
    const QString name = positional.takeFirst();
    const auto found = commands().find(name);
    if (found == commands().end()) return usageError(parser, QStringLiteral("unknown command '%1'").arg(name));
    const Command& command = found->second;
    if (positional.size() < command.minArgs || positional.size() > command.maxArgs) {
        return usageError(parser, QStringLiteral("usage: wordhoard-cli %1").arg(QLatin1String(command.usage)));
    }

    Invocation inv;
    inv.dictPath = parser.value(dictOption);
    inv.json = parser.isSet(jsonOption);
    inv.mark = parser.value(markOption);
    inv.markGiven = parser.isSet(markOption);
    inv.loose = parser.isSet(looseOption);
    inv.context = parser.isSet(contextOption);
    inv.links = parser.isSet(linksOption);
    inv.args = positional;

    const std::unique_ptr<Dictionary> dictionary =
        command.needsText ? Dictionary::load(inv.dictPath) : std::make_unique<Dictionary>();
    if (command.needsText && !dictionary->opened()) {
        std::fprintf(stderr, "wordhoard-cli: cannot open the dictionary '%s': %s\n", qPrintable(inv.dictPath),
                     qPrintable(dictionary->text().errorString()));
        return kUsageOrOpenError;
    }
    Output out(stdout);
    const int status = command.run(inv, *dictionary, out);
    out.flush();
    // A read past the end of a file cut short read zeros (never a fault); either way what was
    // printed may not be what the file says.
    if (dictionary->stale()) {
        std::fprintf(stderr, "wordhoard-cli: the dictionary '%s' changed on disk while it was read; run again\n",
                     qPrintable(inv.dictPath));
        return kUsageOrOpenError;
    }
    return status;
}
