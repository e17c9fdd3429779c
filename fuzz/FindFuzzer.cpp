// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// TMapTextfile::Find and FindWild (the search pre-filter) and containsLiteral against
// their byte-by-byte definitions; any difference aborts.
#include "FuzzSupport.h"

#include "search/FullTextSearch.h"
#include "text/MapTextfile.h"
#include "search/PerlRegEx.h"

using namespace wordhoard;
using wordhoard::fuzz::check;

namespace {

// A start or limit near the interesting places: negative, inside, at and past the end.
std::int32_t offsetFrom(std::uint8_t choice, std::int32_t size) {
    switch (choice % 4) {
    case 0: return static_cast<std::int32_t>(choice / 4) - 8;
    case 1: return static_cast<std::int32_t>(choice / 4) % (size + 1);
    case 2: return size - static_cast<std::int32_t>(choice / 4) % 4;
    default: return size + static_cast<std::int32_t>(choice / 4) % 4;
    }
}

// "\x61\x62" for "ab": a pattern that matches exactly these bytes.
QByteArray escaped(QByteArrayView literal) {
    QByteArray out;
    for (const char c : literal) out += "\\x" + QByteArray::number(static_cast<unsigned char>(c), 16).rightJustified(2, '0');
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Reader in(data, size);
    const std::uint8_t startChoice = in.byte();
    const std::uint8_t limitChoice = in.byte();
    const std::uint8_t cursorChoice = in.byte();
    const auto stop = static_cast<char>(in.byte());
    const auto wild = static_cast<char>(in.byte());
    const QByteArrayView pattern = in.take(in.byte() % 12);
    const QByteArrayView body = in.rest();

    TMapTextfile text;
    if (text.OpenBytes(body) != 0) return 0;
    const std::int32_t n = text.size();
    const std::int32_t start = offsetFrom(startChoice, n);
    const std::int32_t limit = offsetFrom(limitChoice, n);
    text.Seek(offsetFrom(cursorChoice, n));
    const std::int32_t cursor = text.cursor();

    check(text.Find(pattern, start, limit) == fuzz::naiveFind(body, cursor, pattern, start, limit), "Find");
    check(text.FindWild(pattern, start, limit, stop, wild) ==
              fuzz::naiveFindWild(body, cursor, pattern, start, limit, stop, wild),
          "FindWild");

    // containsLiteral against PCRE2 matching the same bytes, exact and caseless.
    const QByteArrayView literal = pattern.first(std::min<qsizetype>(pattern.size(), 6));
    if (literal.isEmpty()) return 0;
    for (const TPerlRegExOptions opts : {TPerlRegExOptions{}, TPerlRegExOptions{preCaseLess}}) {
        TPerlRegEx re;
        re.setOptions(opts);
        re.setRegEx(escaped(literal));
        re.setSubject(body);
        check(containsLiteral(body, literal, opts) == re.Match(), "containsLiteral differs from PCRE2");
    }
    return 0;
}
