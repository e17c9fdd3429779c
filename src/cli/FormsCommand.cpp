// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Commands.h"
#include "language/FormIndex.h"

namespace wordhoard::cli {

// For every WORD, the headwords it may be a form of, best first, one a line:
// "WORD<TAB>START<TAB>HEADWORD<TAB>ANALYSIS". Exit 1 when no word had any.
int runForms(const Invocation& inv, const Dictionary& dictionary, Output& out) {
    const FormIndex& forms = dictionary.forms();
    bool any = false;
    for (const QString& word : inv.args) {
        for (const FormCandidate& c : forms.candidates(word)) {
            any = true;
            if (inv.json) {
                out << "{\"word\":";
                out.json(word) << ",\"start\":" << static_cast<long long>(c.start) << ",\"headword\":";
                out.json(c.headword) << ",\"analysis\":";
                out.json(c.analysis) << "}\n";
            } else {
                out << word << "\t" << static_cast<long long>(c.start) << "\t" << c.headword << "\t"
                    << c.analysis << "\n";
            }
        }
    }
    return any ? kOk : kNothingFound;
}

} // namespace wordhoard::cli
