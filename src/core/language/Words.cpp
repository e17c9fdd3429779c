// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "language/Words.h"

#include <QChar>

namespace wordhoard {

namespace {

// The length of the letter or combining mark at `i` (2 for a surrogate pair), or 0 when none
// stands there.
qsizetype wordUnitAt(QStringView text, qsizetype i) {
    const QChar c = text[i];
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
        const char32_t code = QChar::surrogateToUcs4(c, text[i + 1]);
        return QChar::isLetter(code) || QChar::isMark(code) ? 2 : 0;
    }
    return c.isLetter() || c.isMark() ? 1 : 0;
}

bool isHyphen(QChar c) {
    return c == u'-' || c == u'\u2010';
}

} // namespace

std::vector<WordSpan> splitWords(QStringView text) {
    std::vector<WordSpan> words;
    qsizetype i = 0;
    while (i < text.size()) {
        qsizetype step = wordUnitAt(text, i);
        if (step == 0) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        for (;;) {
            while (step > 0) {
                i += step;
                step = i < text.size() ? wordUnitAt(text, i) : 0;
            }
            if (i + 1 < text.size() && isHyphen(text[i]) && wordUnitAt(text, i + 1) > 0) {
                ++i;
                step = wordUnitAt(text, i);
                continue;
            }
            break;
        }
        words.push_back({start, i - start});
    }
    return words;
}

} // namespace wordhoard
