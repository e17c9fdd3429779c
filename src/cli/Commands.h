#pragma once

#include "Dictionary.h"
#include "Output.h"

#include <QString>
#include <QStringList>

namespace wordhoard::cli {

// Exit codes shared by every command.
enum ExitCode : int { kOk = 0, kNothingFound = 1, kUsageOrOpenError = 2 };

struct Invocation {
    QString dictPath;
    bool json = false;
    QStringList args;  // the command's own arguments, after the command name
    QString mark;      // --mark TERM (show)
    bool markGiven = false; // --mark was given, also with an empty TERM
    bool loose = false;     // --loose (lookup, search, show --mark)
    bool context = false;   // --context (search)
};

// Each command reads the opened dictionary and writes to out; messages for the user go to stderr.
int runHeadwords(const Invocation& inv, const Dictionary& dictionary, Output& out);
int runLookup(const Invocation& inv, const Dictionary& dictionary, Output& out);
int runSearch(const Invocation& inv, const Dictionary& dictionary, Output& out);
int runEncode(const Invocation& inv, const Dictionary& dictionary, Output& out);
int runShow(const Invocation& inv, const Dictionary& dictionary, Output& out);
int runForms(const Invocation& inv, const Dictionary& dictionary, Output& out);
int runGloss(const Invocation& inv, const Dictionary& dictionary, Output& out);

} // namespace wordhoard::cli
