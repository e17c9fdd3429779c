// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "search/CharacterTables.h"

#include "text/CodePage.h"

#include <QChar>

namespace wordhoard {

namespace {

char16_t otherCaseUnit(char16_t unit) {
    const QChar ch(unit);
    return ch.isLower() ? ch.toUpper().unicode() : ch.toLower().unicode();
}

// The byte of the character's other case when Windows-1252 has both: 0xFF 'ÿ' gives 0x9F 'Ÿ';
// 0xB5 'µ' gives itself, its upper case U+039C having no byte.
unsigned char otherCaseByte(unsigned char byte) {
    const char16_t unit = widenByte(byte);
    const char16_t other = otherCaseUnit(unit);
    const auto otherByte = narrowUnit(other);
    if (!otherByte || otherCaseUnit(other) != unit) return byte;
    return *otherByte;
}

CharacterTables makeTables() {
    using namespace tables;
    CharacterTables t{};
    for (unsigned b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        const QChar ch(widenByte(byte));
        // The undefined bytes 0x81, 0x8D, 0x8F, 0x90, 0x9D widen to C1 controls.
        const bool cntrl = ch.category() == QChar::Other_Control;
        const bool digit = b >= '0' && b <= '9';
        const bool letter = ch.isLetter();
        const bool alnum = letter || digit;
        const bool word = alnum || b == '_';
        const bool space = b == ' ' || (b >= '\t' && b <= '\r') || b == 0xA0;
        const bool upper = ch.isUpper();
        const bool lower = ch.isLower();
        const bool print = !cntrl;
        const bool graph = print && !space;
        // In the order of CharacterClass.
        const std::array<bool, 10> classes = {
            space,
            digit || (b >= 'a' && b <= 'f') || (b >= 'A' && b <= 'F'),
            digit,
            upper,
            lower,
            word,
            graph,
            print,
            graph && !alnum,
            cntrl,
        };
        for (std::size_t c = 0; c < classes.size(); ++c) {
            if (classes[c]) t[kClassBitmaps + c * kBitmapBytes + b / 8] |= static_cast<std::uint8_t>(1u << (b % 8));
        }

        const unsigned char flipped = otherCaseByte(byte);
        t[kLowerCase + b] = upper ? flipped : byte;
        t[kFlipCase + b] = flipped;
        t[kCtypes + b] = static_cast<std::uint8_t>((space ? kCtypeSpace : 0) | (letter ? kCtypeLetter : 0) |
                                                   (lower ? kCtypeLowerLetter : 0) | (digit ? kCtypeDigit : 0) |
                                                   (word ? kCtypeWord : 0));
    }
    return t;
}

} // namespace

const CharacterTables& windows1252Tables() {
    static const CharacterTables tables = makeTables();
    return tables;
}

} // namespace wordhoard
