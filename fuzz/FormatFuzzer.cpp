// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Entry formatting over tag soup: nested, unclosed and joined tags in any letter case, odd case
// folds, a mark and a bound n. The fast formatEntry must give exactly what the literal
// find-and-delete gives.
#include "FuzzSupport.h"

#include "display/EntryFormat.h"

using namespace wordhoard;
using wordhoard::fuzz::check;

namespace {

// Bytes 0x00..0x7F stand for themselves; higher bytes pick a token, so tags are cheap to reach.
constexpr const char16_t* kTokens[] = {
    u"<b>", u"</b>", u"<i>", u"</i>", u"<B>", u"</B>", u"<I>", u"</I>", u"<", u"</", u">", u"b>", u"i>",
    u"\u0130", u"\u0131", u"\u017F", u"\u212A", u"\u00DF", u"\u00E6", u"\u00C6",
};
constexpr std::size_t kTokenCount = sizeof(kTokens) / sizeof(kTokens[0]);

QString soup(QByteArrayView bytes) {
    QString out;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) out.append(QChar(b));
        else if (b >= 0xFE) out.append(QChar(static_cast<char16_t>(b == 0xFE ? 0xD800 : 0xDC00))); // lone surrogates
        else out.append(QString::fromUtf16(kTokens[(b - 0x80) % kTokenCount]));
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Reader in(data, size);
    const std::uint8_t markLength = in.byte() % 8;
    const std::uint16_t nChoice = in.word();
    const QString mark = soup(in.take(markLength));
    const QString decoded = soup(in.rest());
    // n is mostly the whole text (what the window passes), sometimes shorter or longer.
    qsizetype n = decoded.size();
    if (nChoice % 4 == 1) n = nChoice / 4 % (decoded.size() + 1);
    else if (nChoice % 4 == 2) n = decoded.size() + nChoice / 4 % 16;

    const FormattedEntry fast = formatEntry(decoded, n, mark);
    const FormattedEntry slow = fuzz::literalFormat(decoded, n, mark);
    check(fast.text == slow.text, "formatEntry text differs from the literal find-and-delete");
    check(fast.styles == slow.styles, "formatEntry styles differ from the literal find-and-delete");
    check(fast.marks == slow.marks, "formatEntry marks differ from the literal find-and-delete");

    return 0;
}
