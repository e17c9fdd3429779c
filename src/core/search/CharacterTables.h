// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace wordhoard {

// PCRE2's character tables for the dictionary's code page, Windows-1252: every byte is classified
// by the character it stands for (0x8A is 'Š', upper case, paired with 0x9A 'š'), the same on every
// machine and in every locale. pcre2_maketables() would follow the C locale instead, so that one
// term could find different entries on different machines.
//
// The layout is the one pcre2_maketables() writes (PCRE2 10.42); the public header does not state
// it, so the tests compare the ASCII half with pcre2_maketables() in the "C" locale:
//   [0, 256)     lower-case map: 'A' -> 'a', 0x8A -> 0x9A, 'a' -> 'a'
//   [256, 512)   flip-case map, a byte's other case or the byte itself: 'a' -> 'A', 0xDF 'ß' -> 0xDF
//   [512, 832)   ten 32-byte bitmaps, byte b at bit (b % 8) of byte b / 8, in the order of
//                CharacterClass below
//   [832, 1088)  one ctypes byte per byte, the sum of the kCtype... flags
namespace tables {
constexpr std::size_t kLowerCase = 0;
constexpr std::size_t kFlipCase = 256;
constexpr std::size_t kClassBitmaps = 512;
constexpr std::size_t kBitmapBytes = 32;
constexpr std::size_t kCtypes = 832;
constexpr std::size_t kSize = 1088;

enum CharacterClass : std::size_t { Space, Xdigit, Digit, Upper, Lower, Word, Graph, Print, Punct, Cntrl };

constexpr std::uint8_t kCtypeSpace = 0x01;
constexpr std::uint8_t kCtypeLetter = 0x02;
constexpr std::uint8_t kCtypeLowerLetter = 0x04;
constexpr std::uint8_t kCtypeDigit = 0x08;
constexpr std::uint8_t kCtypeWord = 0x10; // letter, digit or '_'
} // namespace tables

using CharacterTables = std::array<std::uint8_t, tables::kSize>;

// Built on first use; the same object for every caller.
const CharacterTables& windows1252Tables();

} // namespace wordhoard
