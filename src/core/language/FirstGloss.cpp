// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "language/FirstGloss.h"

#include "language/EntryHead.h"

namespace wordhoard {

namespace {
// Enough of an entry's first line for any first sense; a long line is cut here.
constexpr qsizetype kHeadBytes = 4096;
} // namespace

QString firstGlossOf(QStringView head) {
    const qsizetype labelsEnd = readEntryHead(head).labelsEnd;
    qsizetype i = labelsEnd;
    const auto skipSeparators = [&] {
        while (i < head.size() && (head[i].isSpace() || head[i] == u','))
            ++i;
    };
    skipSeparators();
    while (i < head.size() && (head[i] == u'(' || head[i] == u'[')) {
        const QChar close = head[i] == u'(' ? u')' : u']';
        int depth = 0;
        qsizetype j = i;
        for (; j < head.size(); ++j) {
            if (head[j] == head[i]) ++depth;
            if (head[j] == close && --depth == 0) break;
        }
        if (j >= head.size()) break; // never closed: part of the sense after all
        i = j + 1;
        skipSeparators();
    }
    if (i >= head.size()) i = labelsEnd; // nothing but asides: they are the sense
    // The first sense's own number: "1.", "I.", "1)", "(1)".
    qsizetype number = i + (i < head.size() && head[i] == u'(' ? 1 : 0);
    const qsizetype digits = number;
    while (number < head.size() &&
           (head[number].isDigit() || head[number] == u'I' || head[number] == u'V' || head[number] == u'X')) {
        ++number;
    }
    if (number > digits && number < head.size() && (head[number] == u'.' || head[number] == u')') &&
        (number + 1 == head.size() || head[number + 1].isSpace())) {
        i = number + 1;
        skipSeparators();
    }
    qsizetype end = i;
    while (end < head.size() && head[end] != u';' && head[end] != u':')
        ++end;
    QStringView gloss = head.sliced(i, end - i).trimmed();
    while (gloss.endsWith(u',') || gloss.endsWith(u'.'))
        gloss = gloss.chopped(1).trimmed();
    return gloss.toString();
}

QString firstGloss(const TMapTextfile& text, std::int32_t start) {
    return firstGlossOf(entryHeadText(text, start, kHeadBytes));
}

} // namespace wordhoard
