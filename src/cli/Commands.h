// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Dictionary.h"
#include "Output.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

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
    bool links = false;     // --links (show)
};

// START as a command's argument: an entry's start offset. Otherwise says why on stderr ("show: 7
// is not the start of an entry ...") and gives nothing (exit status 2).
std::optional<std::int32_t> entryStartArgument(const QString& arg, const char* command,
                                               const Dictionary& dictionary);
// The decoded headword of the entry starting at `start` (an entry start).
QString headwordOf(const Dictionary& dictionary, std::int32_t start);

// Each command reads the opened dictionary and writes to out; messages for the user go to stderr.
int runHeadwords(const Invocation& inv, const Dictionary& dictionary, Output& out);
int runLookup(const Invocation& inv, const Dictionary& dictionary, Output& out);
int runSearch(const Invocation& inv, const Dictionary& dictionary, Output& out);
int runEncode(const Invocation& inv, const Dictionary& dictionary, Output& out);
int runShow(const Invocation& inv, const Dictionary& dictionary, Output& out);
int runForms(const Invocation& inv, const Dictionary& dictionary, Output& out);
int runGloss(const Invocation& inv, const Dictionary& dictionary, Output& out);
int runLinks(const Invocation& inv, const Dictionary& dictionary, Output& out);
int runRefs(const Invocation& inv, const Dictionary& dictionary, Output& out);

} // namespace wordhoard::cli
