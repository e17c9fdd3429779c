// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Commands.h"
#include "language/FirstGloss.h"
#include "language/FormIndex.h"
#include "language/Words.h"

#include <QFile>
#include <QHash>

#include <cstdio>

namespace wordhoard::cli {

namespace {

struct Glossed {
    bool found = false;
    long long start = 0;
    QString headword;
    QString gloss;
};

} // namespace

// Reads Old English text (UTF-8) on stdin and prints each word in order with its best headword
// and that headword's first gloss: "WORD<TAB>START<TAB>HEADWORD<TAB>GLOSS", the last three
// empty for a word with no candidate. Exit 1 when no word had one.
int runGloss(const Invocation& inv, const Dictionary& dictionary, Output& out) {
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly)) {
        std::fprintf(stderr, "wordhoard-cli: cannot read standard input: %s\n",
                     qPrintable(input.errorString()));
        return kUsageOrOpenError;
    }
    const QString text = QString::fromUtf8(input.readAll());
    const FormIndex& forms = dictionary.forms();
    QHash<QString, Glossed> seen; // a passage repeats its words
    bool any = false;
    for (const WordSpan& span : splitWords(text)) {
        const QString word = text.sliced(span.pos, span.length);
        auto found = seen.constFind(word);
        if (found == seen.constEnd()) {
            Glossed g;
            const std::vector<FormCandidate> candidates = forms.candidates(word);
            if (!candidates.empty()) {
                const FormCandidate& best = candidates.front();
                g = {true, best.start, best.headword, firstGloss(dictionary.text(), best.start)};
            }
            found = seen.insert(word, g);
        }
        const Glossed& g = *found;
        any = any || g.found;
        if (inv.json) {
            out << "{\"word\":";
            out.json(word) << ",\"start\":";
            if (g.found) {
                out << g.start;
            } else {
                out << "null";
            }
            out << ",\"headword\":";
            out.json(g.headword) << ",\"gloss\":";
            out.json(g.gloss) << "}\n";
        } else if (g.found) {
            out << word << "\t" << g.start << "\t" << g.headword << "\t" << g.gloss << "\n";
        } else {
            out << word << "\t\t\t\n";
        }
    }
    return any ? kOk : kNothingFound;
}

} // namespace wordhoard::cli
